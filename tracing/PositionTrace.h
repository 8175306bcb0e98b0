// Geometry and classification rules of the tracing window that need no
// window: where the shown graph views go, and which group a characteristic
// type belongs to.
#pragma once

#include <array>
#include <cstdint>

#include "study/Study.h"

namespace orvane {

// A rectangle as left, top, width, height.
struct RectangleTrace {
    int32_t Gauche = 0;
    int32_t Haut = 0;
    int32_t Largeur = 0;
    int32_t Hauteur = 0;
    bool operator==(const RectangleTrace&) const = default;
};

// The places of the shown views, [0] for the first one shown.
using PlacesTrace = std::array<RectangleTrace, 4>;

// Places n shown views (1..4) in the area (L, T, W, H): one takes it all,
// two stand side by side, three put the first two in the left column and the
// third in the whole right column, four make a two-by-two grid filled column
// by column. Halves are W / 2 and H / 2, so an odd size loses its last pixel.
// For any other n nothing is written.
void calculposition(PlacesTrace& places, int n, int32_t L, int32_t T, int32_t W, int32_t H);

// Types whose points are a time capture or carry the time quantity: 9..14,
// 16 and 18 (the time box shows for these).
bool TypeAvecTemps(int32_t type);

// Capture durations of the oscilloscope, in seconds, by slider position.
inline constexpr std::array<int32_t, 25> TableDurees = {5,  6,  7,  8,  9,   10,  12, 14, 16,
                                                        18, 20, 25, 30, 35,  40,  45, 50, 55,
                                                        60, 70, 80, 90, 100, 110, 120};

}  // namespace orvane
