// The one-page report of the study (title, legend of the trials, the shown
// graph views) drawn on a printer or into a PDF file, and the placing of the
// shown views in a rectangle.
#pragma once

#include <QRect>
#include <QString>
#include <array>

class QPageLayout;
class QPainter;
class QPrinter;

namespace orvane {

class TCaractMachine;

// Shown flags of the four views (index k - 1 for view k).
using VuesMontrees = std::array<bool, 4>;
// The plot frames of the tracing window (index k - 1 for view k); a null
// entry draws that view with a graph of its own.
using CadresTrace = std::array<TCaractMachine*, 4>;

// The views the study shows: slot present and marked shown.
VuesMontrees VuesDeLEtude();
int NombreVues(const VuesMontrees& montrees);

// Rectangles of n shown views (1..4) in the zone (left, top, width, height),
// in the order of the shown views: two side by side; with three the first two
// share the left column and the third takes the right one; four make a grid
// filled column by column. Halves truncate. n outside 1..4 leaves them empty.
std::array<QRect, 4> PositionsVues(int gauche, int haut, int largeur, int hauteur, int n);

// The page measures: W = page width x 28 / 30, margin M = W / 28, H = the
// page height but at most W.
struct MesuresPage {
    int W, M, H;
};
MesuresPage MesurerPage(int largeurPage, int hauteurPage);

// Draws the report on a painter whose drawable page is (0, 0, largeur,
// hauteur) in device pixels: the title centred at the top (Arial 12), for each
// trial "Essai k" and its comment in the curve colour of the print scheme
// (Arial 9), and the shown views in the square area above the legend (scheme
// row 1, Arial 8). The graph of the frame of each view draws it when given.
void DessinerRapport(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                     const CadresTrace& cadres = {});

// Prints the report on the printer. A job that cannot start (no printer, a
// file that cannot be made) or end is reported to the user and gives false.
bool ImprimerRapport(QPrinter& imprimante, const VuesMontrees& montrees,
                     const CadresTrace& cadres = {});

// The report as the bytes of a one-page PDF document on the given page.
QByteArray RapportPdf(const QPageLayout& page, const VuesMontrees& montrees,
                      const CadresTrace& cadres = {});
// The page of the PDF export: the printer's page when one was set up,
// otherwise A4 portrait with 10 mm margins.
QPageLayout PagePdf();

// Writes the report to a PDF file, replacing it whole. A failure (read-only
// folder, full disk) is reported to the user and gives false.
bool ExporterRapportPdf(const QString& chemin, const VuesMontrees& montrees,
                        const CadresTrace& cadres = {});

// ---- the tracing window's commands ----

// Print dialog, then the report on the chosen printer. False when cancelled
// or when the job failed (already reported).
bool Imprimer(const VuesMontrees& montrees, const CadresTrace& cadres = {});
// "Exporter en PDF": asks for a file name, then writes the report. False
// when cancelled or failed (already reported).
bool ExporterPdf(const VuesMontrees& montrees, const CadresTrace& cadres = {});

}  // namespace orvane
