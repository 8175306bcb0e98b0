// A graph view of the study drawn with the plotting component: the axes of
// a view slot, the curves of the characteristics, the colour schemes. Used by
// the plot frame on screen and for copies and prints, and by the command-line
// companion.
#pragma once

#include <cstdint>

#include "graph/Graphe.h"
#include "study/Records.h"

namespace orvane {

// Colour schemes: background, then palette entries 0..5 (axes, curves 1..5).
// Row s + 1 is the screen scheme s (0..7); copies and prints use row 1.
inline constexpr int NbPalettes = 8;
extern const TCouleur TablePalettes[NbPalettes + 1][7];

// Gives a graph the background and palette of row `ligne` (1..8).
void AppliquerPalette(TGraphe& g, int ligne);

// The slot's fields brought into their tables: quantities 0..11, zoom steps
// 0..50, quadrant 0..8.
struct VueBornee {
    int qX, zX, qY, zY, quadrant;
};
VueBornee BornerVue(const VueGraphe& v);

// Axis configurations of a view from the study's quantity descriptors, the
// zoom steps and the quadrant choice.
void ConfigurerAxes(const VueGraphe& vue, TaxeC& x, TaxeC& y);

// Loads characteristic k (0..5) seen through quantities qX and qY. Markers
// only while an acquisition runs, otherwise the study's smoothing mode.
void ChargerCourbe(TCourbeGraphe& c, int k, int qX, int qY);

// Lays out and draws view `vue` (1..4) on a graph whose surface, rectangle,
// colours and font are set: axes and every characteristic that has points,
// no cursor.
// `courbe` is working room for the curves.
void DessinerVue(TGraphe& g, TCourbeGraphe& courbe, int vue);

}  // namespace orvane
