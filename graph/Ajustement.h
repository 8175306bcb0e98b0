// Fitting a graph view to its points: the quadrant choice and the two zoom
// steps (of the existing zoom table, no other scale) that hold every point
// of the study's trials, and the axis ranges of a view in physical units.
// No Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "study/Records.h"

namespace orvane {

struct VueAjustee {
    int32_t Quadrant;  // 0..8, as the view slot
    int32_t ZoomX;     // 0..50
    int32_t ZoomY;     // 0..50
};

// The fit of the view (its quantities qX, qY) to every point of trials
// 1..Etude.NbCaract: the quadrant that holds the signs of the points (the
// smallest of the nine: one quadrant when all points are in it, a half plane
// when they straddle one axis, all four otherwise; a value 0 counts on both
// sides), and for each axis the largest zoom step (the smallest extent) whose
// extent, full scale × 50 div TableZoom[step], holds the largest absolute
// value of that axis. No point: nothing (the view keeps its settings). A
// value beyond step 0's extent gets step 0.
std::optional<VueAjustee> AjusterVue(const VueGraphe& vue);

// The view slot with the fit applied (unchanged when there is no point).
VueGraphe VueAjusteeDe(const VueGraphe& vue);

// The axis ranges of a view in the quantities' units (counts × 10^exponent
// of the study's descriptors), as the plot frame lays them out: {min, max}.
std::pair<double, double> PlageX(const VueGraphe& vue);
std::pair<double, double> PlageY(const VueGraphe& vue);

}  // namespace orvane
