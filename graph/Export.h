// A graph view drawn as the copy command draws it (colour scheme row 1,
// automatic font size, no cursor) into pictures and files.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

class QPainter;

namespace orvane {

struct TGraphe;

// Size in pixels of the copied picture at a resolution: 190 x 140 mm.
QSize TailleCopie(int dpi);

// Sets a graph up for a copy on a painter: the rectangle (0, 0, w, h),
// colour scheme row 1, "arial" at the automatic size; clips the painter. The
// graph draws on it while a `SurfaceGraphe` lends it.
void PreparerGrapheCopie(TGraphe& g, QPainter& p, const QSize& taille);

// Draws view `vue` (1..4) of the study as a copy on a painter whose device
// gives the resolution.
void DessinerVueCopie(QPainter& p, const QSize& taille, int vue);

// A drawing made into a picture of the given size and resolution.
using Dessin = std::function<void(QPainter&)>;
QByteArray SvgDe(const QSize& taille, int dpi, const Dessin& dessin);
QImage ImageDe(const QSize& taille, int dpi, const Dessin& dessin);
QByteArray PdfDe(const QSize& taille, int dpi, const Dessin& dessin);

// Writes the view to a file whose extension chooses the format: .svg, .png
// or .pdf. The file is replaced whole; false and a reason on failure.
bool ExporterVue(int vue, const std::string& chemin, const QSize& taille, int dpi,
                 std::string* raison);

// Text of the values of characteristic k seen through a view: the two
// symbols, the two units, then one line per point (CR LF, TAB), UTF-8.
std::string TexteValeursVue(int vue, int k);

}  // namespace orvane
