// The largest study: five characteristics of 2001 points each, smooth curves
// with some noise across the whole axes, and four views of different
// quantities. Shared by the drawing tests and the benchmarks.
#pragma once

#include <cstdint>

#include "study/Study.h"

namespace orvane::essai {

inline void RemplirEtudePleine() {
    InitEtude();
    const int32_t vues[NbVues][2] = {{GVitesse, GCouple},
                                     {GCouple, GCourant},
                                     {GPuissanceMeca, GRendement},
                                     {GVitesse, GPuissanceElec}};
    for (int v = 0; v < NbVues; ++v)
        Etude.Vues[v] = {1, 1, {0, 0}, vues[v][0], 18, {0, 0}, vues[v][1], 18, {0, 0}, 0};
    uint32_t graine = 7;
    for (int k = 1; k <= NbCaractMax; ++k) {
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < NbPointsMax; ++p) {
            graine = graine * 1103515245u + 12345u;
            const int32_t bruit = static_cast<int32_t>((graine >> 16) % 41) - 20;
            ValeursCourantes[GVitesse] = -1500 + 3 * p / 2 + 100 * k;
            for (int q = 2; q < NbGrandeurs; ++q)
                ValeursCourantes[q] = (p - 1000) * (q + k) + bruit * q;
            AjouterPoint();
        }
    }
}

}  // namespace orvane::essai
