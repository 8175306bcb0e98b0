#include "study/Acquisition.h"

#include <cstdlib>

#include "study/LoisCharge.h"

namespace orvane {

const std::array<std::array<int32_t, NbGrandeurs>, NbGammesSeuils> TableSeuils = {{
    {10, 10, 5, 5, 10, 5, 5, 10, 10, 10, 5, 10},
    {10, 10, 2, 2, 10, 2, 2, 10, 10, 10, 2, 10},
    {10, 10, 5, 5, 10, 5, 5, 10, 10, 10, 5, 10},
    {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10},
}};

int32_t SeuilDeclenchement(int32_t pleineEchelle, int32_t gamme, int32_t grandeur) {
    if (gamme < 0 || gamme >= NbGammesSeuils || grandeur < 0 || grandeur >= NbGrandeurs) return 0;
    const int64_t s = static_cast<int64_t>(pleineEchelle) *
                      TableSeuils[static_cast<size_t>(gamme)][static_cast<size_t>(grandeur)] / 1000;
    return static_cast<int32_t>(s);
}

bool Declenche(int32_t valeur, int32_t reference, int32_t seuil) {
    return std::llabs(static_cast<int64_t>(valeur) - reference) > seuil;
}

int32_t GrandeurSynchroDeItem(int item) {
    if (item < 0 || item >= static_cast<int>(GrandeursSynchro.size())) return 0;
    return GrandeursSynchro[static_cast<size_t>(item)];
}

int ItemDeGrandeurSynchro(int32_t grandeur) {
    for (size_t i = 0; i < GrandeursSynchro.size(); ++i)
        if (GrandeursSynchro[i] == grandeur) return static_cast<int>(i);
    return -1;
}

int32_t PoidsCoupleCharge(int32_t gamme) {
    switch (gamme) {
        case 1: return 100;
        case 3: return 3;
        default: return 10;
    }
}

int64_t DistanceCarree(int32_t n, int32_t t, int32_t nRef, int32_t tRef, int32_t w) {
    const int64_t dn = static_cast<int64_t>(n) - nRef;
    const int64_t dt = static_cast<int64_t>(t) - tRef;
    return dn * dn + static_cast<int64_t>(w) * dt * dt;
}

std::array<int32_t, 5> ParametresDeCharge(int32_t type, const EnteteCaract& r, int32_t gamme,
                                          int32_t frequence) {
    return ParametresCharge(type, r, EchellesDe(gamme, frequence));
}

}  // namespace orvane
