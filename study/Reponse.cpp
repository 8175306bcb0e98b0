#include "study/Reponse.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "study/Study.h"

namespace orvane {

namespace {

constexpr double Bande = 0.02;      // the step starts beyond 2 % of the change
constexpr double Tolerance = 0.05;  // settled within ±5 % of the change
constexpr double ConstanteTemps = 0.632;

double Moyenne(const std::vector<double>& y, size_t debut, size_t fin) {
    double s = 0;
    for (size_t i = debut; i < fin; ++i) s += y[i];
    return s / static_cast<double>(fin - debut);
}

// The time between samples i − 1 and i where u, going from u[i−1] to u[i],
// meets the level.
double Interpoler(const std::vector<double>& t, const std::vector<double>& u, size_t i,
                  double niveau) {
    const double du = u[i] - u[i - 1];
    if (du == 0) return t[i];
    return t[i - 1] + (niveau - u[i - 1]) / du * (t[i] - t[i - 1]);
}

// The first time from sample `depuis` on that u reaches the level (u rises
// towards 1); nothing when it never does.
std::optional<double> Atteinte(const std::vector<double>& t, const std::vector<double>& u,
                               size_t depuis, double niveau) {
    if (u[depuis] >= niveau) return t[depuis];
    for (size_t i = depuis + 1; i < u.size(); ++i)
        if (u[i] >= niveau) return Interpoler(t, u, i, niveau);
    return std::nullopt;
}

std::optional<double> Fini(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

MesuresReponse MesurerReponse(const std::vector<double>& t, const std::vector<double>& y) {
    MesuresReponse m;
    const size_t n = t.size();
    if (n < 3 || y.size() != n) return m;
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(t[i]) || !std::isfinite(y[i]) || (i > 0 && !(t[i] > t[i - 1]))) return m;

    const size_t dernier = n / 10 > 0 ? n / 10 : 1;
    const double finale = Moyenne(y, n - dernier, n);
    m.finale = Fini(finale);
    const double variation0 = finale - y[0];
    // The first sample beyond the band around the first one.
    size_t sortie = 0;
    if (variation0 != 0)
        for (size_t i = 1; i < n && sortie == 0; ++i)
            if (std::abs(y[i] - y[0]) > Bande * std::abs(variation0)) sortie = i;
    if (sortie == 0) {
        // No step: the quantity's level is all there is.
        m.initiale = Fini(Moyenne(y, 0, n));
        return m;
    }
    const size_t debut = sortie - 1;
    const double initiale = Moyenne(y, 0, debut + 1);
    m.initiale = Fini(initiale);
    m.debut = t[debut];
    const double variation = finale - initiale;
    if (variation == 0 || !std::isfinite(variation)) return m;

    // The response as a share of the change: 0 before the step, 1 at the end.
    std::vector<double> u(n);
    for (size_t i = 0; i < n; ++i) u[i] = (y[i] - initiale) / variation;

    const auto t10 = Atteinte(t, u, debut, 0.1);
    const auto t90 = Atteinte(t, u, debut, 0.9);
    if (t10 && t90) m.montee = Fini(*t90 - *t10);
    if (const auto t63 = Atteinte(t, u, debut, ConstanteTemps)) m.constante = Fini(*t63 - t[debut]);

    double pic = 1;
    for (size_t i = debut; i < n; ++i) pic = std::max(pic, u[i]);
    m.depassement = Fini((pic - 1) * 100);

    // The last sample outside the band around the final value; settled from
    // where it comes back into the band (never, when it is the last sample).
    std::optional<size_t> hors;
    for (size_t i = debut; i < n; ++i)
        if (std::abs(u[i] - 1) > Tolerance) hors = i;
    if (!hors) {
        m.etablissement = 0;
    } else if (*hors + 1 < n) {
        const double bord = u[*hors] > 1 ? 1 + Tolerance : 1 - Tolerance;
        m.etablissement = Fini(Interpoler(t, u, *hors + 1, bord) - t[debut]);
    }
    return m;
}

MesuresReponse MesurerEssai(int k, int q) {
    if (k < 1 || k > NbCaractMax || q < 0 || q >= NbGrandeurs) return {};
    const Caracteristique& c = Caracts[k];
    const int32_t et = Etude.Grandeurs[GTemps].Exposant, ey = Etude.Grandeurs[q].Exposant;
    std::vector<double> t, y;
    for (int p = 0; p <= std::min(c.Dernier(), DernierPointMax); ++p) {
        t.push_back(ValeurPhysique(c.Point(GTemps, p), et));
        y.push_back(ValeurPhysique(c.Point(q, p), ey));
    }
    return MesurerReponse(t, y);
}

}  // namespace orvane
