#include "tracing/PositionTrace.h"

namespace orvane {

void calculposition(PlacesTrace& places, int n, int32_t L, int32_t T, int32_t W, int32_t H) {
    const int32_t w2 = W / 2;
    const int32_t h2 = H / 2;
    switch (n) {
        case 1: places[0] = {L, T, W, H}; break;
        case 2:
            places[0] = {L, T, w2, H};
            places[1] = {L + w2, T, w2, H};
            break;
        case 3:
            places[0] = {L, T, w2, h2};
            places[1] = {L, T + h2, w2, h2};
            places[2] = {L + w2, T, w2, H};
            break;
        case 4:
            places[0] = {L, T, w2, h2};
            places[1] = {L, T + h2, w2, h2};
            places[2] = {L + w2, T, w2, h2};
            places[3] = {L + w2, T + h2, w2, h2};
            break;
        default: break;
    }
}

bool TypeAvecTemps(int32_t type) { return (type >= 9 && type <= 14) || type == 16 || type == 18; }

}  // namespace orvane
