// Copies and exports of the study from the tracing window: the shown views
// as a picture on the clipboard, the values as text on the clipboard, the
// values as a CSV file or a workbook for spreadsheets.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "tracing/Impression.h"

class QPainter;

namespace orvane {

// The save dialog of the exports: `filtre` as the dialog shows it (several
// file types separated by ";;"), `extension` without its dot, coming in as
// the first type's and going out as that of the type chosen; `nom` comes in
// with a proposed path and goes out with the chosen one. False when the user
// cancels.
using ChoixExport = std::function<bool(const QString& filtre, QString& extension, QString& nom)>;
// Installs f (an empty function restores the file dialog) and returns the
// previous one.
ChoixExport DefinirChoixExport(ChoixExport f);
// Runs the export dialog, proposing the study's name with the extension in
// the work-file folder; the extension is added when the user leaves it out.
bool ChoisirFichierExport(const QString& filtre, const QString& extension, QString& nom);
// The same among several file types, `filtres[i]` for `extensions[i]`: the
// first is proposed. `type` comes out with the index of the one chosen: that
// of the extension given with the name when it is one of them, else that of
// the filter chosen, whose extension is then added.
bool ChoisirFichierExport(const QStringList& filtres, const QStringList& extensions, QString& nom,
                          int& type);

// ---- picture of the shown views ----

// Draws the shown views as the copy draws them into (0, 0, taille): placed
// as on screen, scheme row 1, automatic font size, no cursor.
void DessinerVuesCopie(QPainter& p, const QSize& taille, const VuesMontrees& montrees,
                       const CadresTrace& cadres = {});
// Puts the shown views on the clipboard, 190 x 140 mm at the given
// resolution: an SVG picture ("image/svg+xml") with a PNG image alongside for
// programs that take only bitmaps.
void CopierVues(int dpi, const VuesMontrees& montrees, const CadresTrace& cadres = {});

// ---- values ----

// The values text (r <= 0: every trial holding points, each after its
// "Essai k" line; r = 1..5: that trial's block) as Unicode text.
QString TexteValeursUnicode(int r);
// Puts it on the clipboard as plain text ("N°" pastes as "N°").
void CopierValeurs(int r);

// Writes the values of every trial as a CSV file in the current language's
// separators (UTF-8 with a byte-order mark, so that spreadsheets read "N°"),
// replacing the file whole. A failure is reported to the user and gives false.
bool ExporterValeursCsv(const QString& chemin);
// The same as a spreadsheet workbook (tracing/Classeur.h).
bool ExporterValeursXlsx(const QString& chemin);
// "Exporter les valeurs": asks for a file name and its type, then writes the
// CSV file or the workbook. False when cancelled or failed (already reported).
bool ExporterValeurs();

}  // namespace orvane
