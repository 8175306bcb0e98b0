// JPEG pictures of the windows, decoded and written with libjpeg.
//
// A file that is missing, not a JPEG, damaged or cut short gives a null
// picture: the decoder never aborts the program and never shows half a
// picture. The pictures that come with the program are found beside the
// executable, in its "images" folder.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvane {

// Decodes a JPEG image held in memory into an RGB32 picture; null on failure
// and for pictures of more than 40 million pixels.
QImage DecoderJpeg(const QByteArray& octets);
// Reads and decodes a JPEG file; null on failure.
QImage LireJpeg(const QString& chemin);
// Writes a picture as a baseline JPEG of the given quality (1..100).
bool EcrireJpeg(const QImage& image, const QString& chemin, int qualite = 90);

// Path of a picture that comes with the program: <executable folder>/images/nom,
// else <shared-data folder>/images/nom (see Emplacements.h).
QString CheminImage(const QString& nom);

// The bench picture at the top of the main menu.
inline constexpr const char* ImageBanc = "banc.jpg";
// The background of the tracing window, shown while no characteristic is.
inline constexpr const char* ImageFondTrace = "fond_trace.jpg";
// The pictures of the three pages of the choice window: characteristic of a
// machine, industrial application, time display.
inline constexpr const char* ImageChoixMachine = "choix_machine.jpg";
inline constexpr const char* ImageChoixStatique = "choix_statique.jpg";
inline constexpr const char* ImageChoixDynamique = "choix_dynamique.jpg";
// The picture at the top of the about box.
inline constexpr const char* ImageAPropos = "apropos.jpg";

}  // namespace orvane
