#include "graph/Ajustement.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "graph/Echelle.h"
#include "study/Study.h"

namespace orvane {

namespace {

// Which signs of each axis a quadrant choice shows: -1 the negative side
// only, 0 both, 1 the positive side only (the plot frame's layout).
constexpr int Cotes[9][2] = {{0, 0},   {1, 1},  {1, 0},  {1, -1}, {0, -1},
                             {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}};

// One axis's points: which signs occur and the largest absolute value.
struct Etalement {
    bool positif = false;
    bool negatif = false;
    int64_t maxAbs = 0;

    void Ajouter(int32_t v) {
        positif |= v > 0;
        negatif |= v < 0;
        maxAbs = std::max(maxAbs, v < 0 ? -int64_t{v} : int64_t{v});
    }
    // The side to show: one side when every value lies on it (0 on both).
    int Cote() const { return positif && negatif ? 0 : (negatif ? -1 : 1); }
};

// The extent of quantity q at zoom step z, in counts, as the plot frame
// lays it out (kept in the int32 range).
int64_t Etendue(int q, int z) {
    const int64_t e = int64_t{Etude.Grandeurs[q].PleineEchelle} * 50 / TableZoom[z];
    return std::clamp<int64_t>(e, INT32_MIN, INT32_MAX);
}

// The largest zoom step whose extent holds v; step 0 when none does.
int32_t ZoomPour(int q, int64_t v) {
    for (int z = NbZooms - 1; z > 0; --z)
        if (Etendue(q, z) >= v) return z;
    return 0;
}

std::pair<double, double> Plage(int q, int zoom, int cote) {
    const int64_t e = Etendue(q, zoom);
    const int32_t exposant = Etude.Grandeurs[q].Exposant;
    return {ValeurPhysique(cote > 0 ? 0 : -e, exposant),
            ValeurPhysique(cote < 0 ? 0 : e, exposant)};
}

}  // namespace

std::optional<VueAjustee> AjusterVue(const VueGraphe& vue) {
    const int qX = Borner(vue.GrandeurX, NbGrandeurs);
    const int qY = Borner(vue.GrandeurY, NbGrandeurs);
    Etalement x, y;
    bool point = false;
    const int nb = std::clamp(Etude.NbCaract, 0, NbCaractMax);
    for (int k = 1; k <= nb; ++k) {
        const Caracteristique& c = Caracts[k];
        const int dernier = std::min(c.Dernier(), DernierPointMax);
        for (int p = 0; p <= dernier; ++p) {
            x.Ajouter(c.Point(qX, p));
            y.Ajouter(c.Point(qY, p));
            point = true;
        }
    }
    if (!point) return std::nullopt;
    const int cx = x.Cote(), cy = y.Cote();
    int32_t quadrant = 0;
    for (int i = 0; i < 9; ++i)
        if (Cotes[i][0] == cx && Cotes[i][1] == cy) quadrant = i;
    return VueAjustee{quadrant, ZoomPour(qX, x.maxAbs), ZoomPour(qY, y.maxAbs)};
}

VueGraphe VueAjusteeDe(const VueGraphe& vue) {
    VueGraphe v = vue;
    if (const auto a = AjusterVue(vue)) {
        v.Quadrant = a->Quadrant;
        v.ZoomX = a->ZoomX;
        v.ZoomY = a->ZoomY;
    }
    return v;
}

std::pair<double, double> PlageX(const VueGraphe& vue) {
    return Plage(Borner(vue.GrandeurX, NbGrandeurs), Borner(vue.ZoomX, NbZooms),
                 Cotes[Borner(vue.Quadrant, 9)][0]);
}

std::pair<double, double> PlageY(const VueGraphe& vue) {
    return Plage(Borner(vue.GrandeurY, NbGrandeurs), Borner(vue.ZoomY, NbZooms),
                 Cotes[Borner(vue.Quadrant, 9)][1]);
}

}  // namespace orvane
