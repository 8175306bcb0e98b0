// The study on paper, drawn with Qt Gui alone (the command-line companion
// writes it too): the page that the print and the PDF export make (title,
// legend of the trials, the shown views), and the lab report, that page
// followed by each trial's values, the operating points and the step
// measurements, every page with a footer.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QPageLayout>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

class QPainter;

namespace orvane {

struct TGraphe;

// Shown flags of the four views (index k - 1 for view k).
using VuesMontrees = std::array<bool, 4>;

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

// Draws view `vue` (1..4) in `place` on a painter clipped to it.
using DessinVue = std::function<void(QPainter& p, int vue, const QRect& place)>;
// A print graph on the painter: the rectangle, scheme row 1, "arial" at a size.
void PreparerGrapheImpression(TGraphe& g, const QRect& r, int taillePolice);
// Draws view `vue` in `place` with a print graph of its own.
void DessinerVueImpression(QPainter& p, int vue, const QRect& place, int taillePolice);
// Draws the shown views in their places (in the order of the shown views),
// each clipped to its place.
void DessinerVuesDans(QPainter& p, const std::array<QRect, 4>& places, const VuesMontrees& montrees,
                      const DessinVue& dessin);

// Draws the study's page on a painter whose drawable page is (0, 0, largeur,
// hauteur) in device pixels: the title centred at the top (Arial 12), for each
// trial "Essai k" and its comment in the curve colour of the print scheme
// (Arial 9), and the shown views in the square area above the legend (scheme
// row 1, Arial 8), each drawn by `dessin` (empty: a print graph of its own).
void DessinerPageEtude(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                       const DessinVue& dessin = {});

// A4 portrait with 10 mm margins: the page when no printer was set up.
QPageLayout PageParDefaut();

// ---- the lab report ----

struct CompteRendu {
    QPageLayout page = PageParDefaut();
    VuesMontrees vues{};  // the views of the first page
    DessinVue dessin;     // how they are drawn (empty: print graphs of their own)
    QDate date;           // in the footer (invalid: today)
};

// The report as the bytes of a PDF document on its page:
// - page 1: the study's page, above the footer;
// - each trial in turn: "Essai k" in its print colour, its comment, machine
//   and load titles, and the table of its values (the columns and texts of
//   the copied values), paged with its two header rows repeated;
//   a study without trials says so instead;
// - the operating points of each present torque-speed view with a load line,
//   and the step measurements of each present time view's vertical quantity,
//   for the trials where they apply;
// - on every page a footer: the study title, the date, "page N / M".
// Empty when the document could not be drawn.
QByteArray CompteRenduPdf(const CompteRendu& c);

// Writes the report to a file through a temporary file beside it and a
// rename: on failure no file is left and `raison` says why.
bool EcrireCompteRendu(const QString& chemin, const CompteRendu& c, QString* raison = nullptr);

}  // namespace orvane
