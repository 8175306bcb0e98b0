#include "study/PointFonctionnement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "study/LoisCharge.h"
#include "study/Study.h"

namespace orvane {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Infini = std::numeric_limits<double>::infinity();

bool Fini(double v) { return std::isfinite(v); }

// T·n of the constant-power law: T = K / n with K = 30·P / π (N·m·tr/min).
double ConstanteHyperbole(const LoiCharge& l) { return l.P * 30 / Pi; }

// Where the capped constant-power law leaves its limit: K / Tmax.
double VitesseCoude(const LoiCharge& l) { return ConstanteHyperbole(l) / l.Tmax; }

bool Plafonnee(const LoiCharge& l) { return l.Tmax > 0; }

// One piece of a law over [lo, hi]: T = q2·n² + q1·n + q0, or T = K / n.
struct Morceau {
    double lo, hi;
    double q2 = 0, q1 = 0, q0 = 0;
    bool hyperbole = false;
    double K = 0;
};

// The law cut where its expression changes, in increasing speed.
std::vector<Morceau> Morceaux(const LoiCharge& l) {
    switch (l.Genre) {
        case GenreLoi::CoupleConstant: return {{-Infini, Infini, 0, 0, l.B}};
        case GenreLoi::Lineaire: return {{-Infini, Infini, 0, l.A, l.B}};
        case GenreLoi::Quadratique: return {{-Infini, 0, -l.A, 0, l.B}, {0, Infini, l.A, 0, l.B}};
        case GenreLoi::PuissanceConstante: {
            Morceau h{0, Infini};
            h.hyperbole = true;
            h.K = ConstanteHyperbole(l);
            if (!Plafonnee(l)) return {h};
            const double coude = VitesseCoude(l);
            h.lo = coude;
            return {{0, coude, 0, 0, l.Tmax}, h};
        }
        case GenreLoi::Decollage: {
            const double p = (l.Tr - l.Tc) / l.Nd;
            return {{-Infini, -l.Nd, 0, 0, l.Tr},
                    {-l.Nd, 0, 0, -p, l.Tc},
                    {0, l.Nd, 0, p, l.Tc},
                    {l.Nd, Infini, 0, 0, l.Tr}};
        }
        default: return {};
    }
}

// Roots of c2·x² + c1·x + c0 in [a, b] (a little beyond counts as the end);
// `partout` when the polynomial is zero everywhere.
std::vector<double> Racines(double c2, double c1, double c0, double a, double b, bool& partout) {
    partout = false;
    std::vector<double> r;
    if (c2 == 0) {
        if (c1 == 0) {
            partout = c0 == 0;
            return r;
        }
        r.push_back(-c0 / c1);
    } else {
        double d = c1 * c1 - 4 * c2 * c0;
        // A tangent: the rounding of the discriminant must not make it two
        // roots, or none.
        if (std::abs(d) <= 1e-12 * (c1 * c1 + std::abs(4 * c2 * c0))) d = 0;
        if (d < 0) return r;
        const double q = -0.5 * (c1 + std::copysign(std::sqrt(d), c1));
        if (q == 0) {
            r.push_back(0);
        } else {
            r.push_back(q / c2);
            r.push_back(c0 / q);
        }
    }
    const double marge = 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
    std::vector<double> dedans;
    for (double x : r)
        if (Fini(x) && x >= a - marge && x <= b + marge) dedans.push_back(std::clamp(x, a, b));
    std::sort(dedans.begin(), dedans.end());
    return dedans;
}

}  // namespace

bool LoiValide(const LoiCharge& l) {
    const int g = static_cast<int>(l.Genre);
    if (g < 1 || g > 5) return false;
    if (!Fini(l.A) || !Fini(l.B) || !Fini(l.P) || !Fini(l.Tmax) || !Fini(l.Tc) || !Fini(l.Tr) ||
        !Fini(l.Nd))
        return false;
    if (l.Genre == GenreLoi::PuissanceConstante && (l.P < 0 || l.Tmax < 0)) return false;
    if (l.Genre == GenreLoi::Decollage && !(l.Nd > 0)) return false;
    return true;
}

std::optional<double> CoupleLoi(const LoiCharge& l, double n) {
    if (!LoiValide(l) || !Fini(n)) return std::nullopt;
    double t = 0;
    switch (l.Genre) {
        case GenreLoi::CoupleConstant: t = l.B; break;
        case GenreLoi::Lineaire: t = l.A * n + l.B; break;
        case GenreLoi::Quadratique: t = l.A * n * std::abs(n) + l.B; break;
        case GenreLoi::PuissanceConstante: {
            const double k = ConstanteHyperbole(l);
            if (Plafonnee(l) && n >= 0 && k >= l.Tmax * n) {
                t = l.Tmax;
            } else {
                if (n <= 0) return std::nullopt;
                t = k / n;
            }
            break;
        }
        case GenreLoi::Decollage: {
            const double m = std::abs(n);
            t = m < l.Nd ? l.Tc + (l.Tr - l.Tc) * m / l.Nd : l.Tr;
            break;
        }
        default: return std::nullopt;
    }
    if (!Fini(t)) return std::nullopt;
    return t;
}

std::optional<double> PenteLoi(const LoiCharge& l, double n) {
    if (!CoupleLoi(l, n)) return std::nullopt;
    double p = 0;
    switch (l.Genre) {
        case GenreLoi::CoupleConstant: p = 0; break;
        case GenreLoi::Lineaire: p = l.A; break;
        case GenreLoi::Quadratique: p = 2 * l.A * std::abs(n); break;
        case GenreLoi::PuissanceConstante: {
            const double k = ConstanteHyperbole(l);
            p = Plafonnee(l) && k >= l.Tmax * n ? 0 : -k / (n * n);
            break;
        }
        case GenreLoi::Decollage: {
            const double m = std::abs(n);
            p = m < l.Nd ? (l.Tr - l.Tc) / l.Nd * (n < 0 ? -1 : 1) : 0;
            break;
        }
        default: return std::nullopt;
    }
    if (!Fini(p)) return std::nullopt;
    return p;
}

std::optional<LoiCharge> LoiDeEssai(const EnteteCaract& e, int32_t gamme, int32_t frequence) {
    const EchellesCharge s = EchellesDe(gamme, frequence);
    // A torque word as the drive receives it (0.01 N·m, truncated), in N·m.
    auto couple = [&](int mot) {
        return static_cast<double>(int64_t{s.Tscale} * e[mot] / 150) / 100;
    };
    const double n0 = s.N0;
    LoiCharge l;
    switch (e[MotTypeCaract]) {
        case 6:
        case 10:
            l.Genre = GenreLoi::CoupleConstant;
            l.B = couple(3);
            break;
        case 7:
        case 11:
            l.Genre = GenreLoi::Lineaire;
            l.B = couple(5);
            l.A = (couple(4) - l.B) / n0;
            break;
        case 8:
        case 12:
            l.Genre = GenreLoi::Quadratique;
            l.B = couple(7);
            l.A = (couple(6) - l.B) / (n0 * n0);
            break;
        case 9:
        case 13:
            l.Genre = GenreLoi::PuissanceConstante;
            l.P = static_cast<double>(int64_t{e[9]} * s.Pscale / 150);
            l.Tmax = couple(8);
            break;
        case 15:
        case 16:
            l.Genre = GenreLoi::Decollage;
            l.Tc = couple(23);
            l.Tr = couple(24);
            l.Nd = e[25] * n0 / 100;
            break;
        default: return std::nullopt;
    }
    if (!LoiValide(l)) return std::nullopt;
    return l;
}

bool EstCaracteristiqueMachine(int32_t type) { return type >= 1 && type <= 5; }

std::vector<Croisement> Croisements(std::vector<PointMachine> points, const LoiCharge& loi) {
    std::vector<Croisement> c;
    if (!LoiValide(loi)) return c;
    std::erase_if(points, [](const PointMachine& p) { return !Fini(p.n) || !Fini(p.T); });
    std::stable_sort(points.begin(), points.end(),
                     [](const PointMachine& a, const PointMachine& b) { return a.n < b.n; });
    // Equal speeds: one point at their mean torque.
    std::vector<PointMachine> courbe;
    for (size_t i = 0; i < points.size();) {
        size_t j = i;
        double somme = 0;
        for (; j < points.size() && points[j].n == points[i].n; ++j) somme += points[j].T;
        courbe.push_back({points[i].n, somme / static_cast<double>(j - i)});
        i = j;
    }
    if (courbe.size() < 2) return c;

    const std::vector<Morceau> morceaux = Morceaux(loi);
    auto ajouter = [&](double n, double t, double pente) {
        const auto pl = PenteLoi(loi, n);
        const double p = n * t * Pi / 30;
        if (!pl || !Fini(t) || !Fini(p)) return;
        c.push_back({n, t, p, *pl > pente});
    };
    for (size_t i = 0; i + 1 < courbe.size(); ++i) {
        const PointMachine& p0 = courbe[i];
        const PointMachine& p1 = courbe[i + 1];
        const double s = (p1.T - p0.T) / (p1.n - p0.n);
        if (!Fini(s)) continue;
        auto machine = [&](double n) { return p0.T + s * (n - p0.n); };
        for (const Morceau& m : morceaux) {
            const double a = std::max(m.lo, p0.n), b = std::min(m.hi, p1.n);
            if (a > b) continue;
            std::vector<double> r;
            bool partout = false;
            if (!m.hyperbole && m.q2 == 0) {
                // A straight law: the linear equation solved from the gaps at
                // both ends, zero within rounding at an end counting as a root.
                const double fa = m.q1 * a + m.q0 - machine(a);
                const double fb = m.q1 * b + m.q0 - machine(b);
                const double tol =
                    1e-9 * std::max({1.0, std::abs(machine(a)), std::abs(machine(b))});
                const bool za = std::abs(fa) <= tol, zb = std::abs(fb) <= tol;
                if (za && zb) {
                    partout = true;
                } else if (za) {
                    r.push_back(a);
                } else if (zb) {
                    r.push_back(b);
                } else if ((fa < 0) != (fb < 0)) {
                    r.push_back(a + (b - a) * fa / (fa - fb));
                }
            } else if (!m.hyperbole) {
                // q2·n² + q1·n + q0 = T0 + s·(n − n0).
                r = Racines(m.q2, m.q1 - s, m.q0 - p0.T + s * p0.n, a, b, partout);
            } else {
                // K / n = T0 + s·(n − n0), times n (n > 0).
                r = Racines(s, p0.T - s * p0.n, -m.K, a, b, partout);
                std::erase_if(r, [](double n) { return n <= 0; });
            }
            if (partout) {
                r = {a};
                if (b > a) r.push_back(b);
                if (m.hyperbole) std::erase_if(r, [](double n) { return n <= 0; });
            }
            for (double n : r) ajouter(n, machine(n), s);
        }
    }
    // In speed order, a crossing met twice (a shared end) counted once.
    std::stable_sort(c.begin(), c.end(),
                     [](const Croisement& a, const Croisement& b) { return a.n < b.n; });
    std::vector<Croisement> uniques;
    for (const Croisement& x : c) {
        if (!uniques.empty() &&
            std::abs(x.n - uniques.back().n) <= 1e-9 * std::max(1.0, std::abs(x.n)))
            continue;
        uniques.push_back(x);
    }
    return uniques;
}

namespace {

bool EssaiPresent(int k) { return k >= 1 && k <= NbCaractMax && k <= Etude.NbCaract; }

}  // namespace

std::vector<PointMachine> PointsEssai(int k) {
    std::vector<PointMachine> p;
    if (!EssaiPresent(k)) return p;
    const Caracteristique& c = Caracts[k];
    const int32_t en = Etude.Grandeurs[GVitesse].Exposant;
    const int32_t et = Etude.Grandeurs[GCouple].Exposant;
    const int dernier = std::min(c.Dernier(), DernierPointMax);
    for (int i = 0; i <= dernier; ++i)
        p.push_back(
            {ValeurPhysique(c.Point(GVitesse, i), en), ValeurPhysique(c.Point(GCouple, i), et)});
    return p;
}

std::optional<Ecart> EcartMesure(int k, const Croisement& c) {
    const std::vector<PointMachine> p = PointsEssai(k);
    // Full scales in physical units; a damaged one counts as one unit.
    auto pleine = [](int q) {
        const DescGrandeur& d = Etude.Grandeurs[q];
        const double v = ValeurPhysique(d.PleineEchelle, d.Exposant);
        return v > 0 ? v : 1.0;
    };
    const double fn = pleine(GVitesse), ft = pleine(GCouple);
    std::optional<Ecart> meilleur;
    double dmin = Infini;
    for (size_t i = 0; i < p.size(); ++i) {
        const double dn = p[i].n - c.n, dt = p[i].T - c.T;
        const double d = (dn / fn) * (dn / fn) + (dt / ft) * (dt / ft);
        if (!meilleur || d < dmin) {
            dmin = d;
            meilleur = Ecart{static_cast<int>(i), dn, dt};
        }
    }
    return meilleur;
}

// ---- the load line in a view's reserved words ----
//
// ReserveX[0]: the kind 1..5 of GenreLoi, or 100 + k for the law of static
// load trial k (its words are read again from the trial, the three other
// words are 0). The parameters, rounded to the nearest step:
//   1 constant      ReserveX[1] T0 in 0.001 N·m
//   2 linear        ReserveX[1] a in 1e-9 N·m per tr/min, ReserveY[0] b in 0.001 N·m
//   3 quadratic     ReserveX[1] a in 1e-12 N·m per (tr/min)², ReserveY[0] b in 0.001 N·m
//   4 power         ReserveX[1] P in 0.01 W, ReserveY[0] Tmax in 0.001 N·m (0: none)
//   5 break-away    ReserveX[1] Tc, ReserveY[0] Tr in 0.001 N·m, ReserveY[1] nd in 0.001 tr/min
// So torques up to ±2 MN·m, linear slopes up to ±2 N·m per tr/min (a few
// µN·m per tr/min still hold three significant digits), quadratic ones up to
// ±2e-3 N·m per (tr/min)² (30 N·m at 120 tr/min), powers up to 21 MW. A law
// that does not fit is not stored (four zeros).

namespace {

constexpr int32_t BaseEssai = 100;

struct Pas {
    double x1 = 0, y0 = 0, y1 = 0;  // the value of one step of each word, 0: unused
};

Pas PasDe(GenreLoi g) {
    switch (g) {
        case GenreLoi::CoupleConstant: return {1e-3, 0, 0};
        case GenreLoi::Lineaire: return {1e-9, 1e-3, 0};
        case GenreLoi::Quadratique: return {1e-12, 1e-3, 0};
        case GenreLoi::PuissanceConstante: return {1e-2, 1e-3, 0};
        case GenreLoi::Decollage: return {1e-3, 1e-3, 1e-3};
        default: return {};
    }
}

std::optional<int32_t> Coder(double v, double pas) {
    if (pas == 0) return 0;
    const double r = std::round(v / pas);
    if (!Fini(r) || r < INT32_MIN || r > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(r);
}

void Effacer(VueGraphe& v) { v.ReserveX[0] = v.ReserveX[1] = v.ReserveY[0] = v.ReserveY[1] = 0; }

}  // namespace

void EcrireLoiVue(VueGraphe& v, const std::optional<LoiCharge>& loi, int essaiCharge) {
    Effacer(v);
    if (essaiCharge >= 1 && essaiCharge <= NbCaractMax) {
        v.ReserveX[0] = BaseEssai + essaiCharge;
        return;
    }
    if (!loi || !LoiValide(*loi)) return;
    const LoiCharge& l = *loi;
    double x1 = 0, y0 = 0, y1 = 0;
    switch (l.Genre) {
        case GenreLoi::CoupleConstant: x1 = l.B; break;
        case GenreLoi::Lineaire:
        case GenreLoi::Quadratique:
            x1 = l.A;
            y0 = l.B;
            break;
        case GenreLoi::PuissanceConstante:
            x1 = l.P;
            y0 = l.Tmax;
            break;
        case GenreLoi::Decollage:
            x1 = l.Tc;
            y0 = l.Tr;
            y1 = l.Nd;
            break;
        default: return;
    }
    const Pas pas = PasDe(l.Genre);
    const auto cx1 = Coder(x1, pas.x1), cy0 = Coder(y0, pas.y0), cy1 = Coder(y1, pas.y1);
    if (!cx1 || !cy0 || !cy1) return;
    // A break-away speed below one step would read back as no law.
    if (l.Genre == GenreLoi::Decollage && *cy1 <= 0) return;
    v.ReserveX[0] = static_cast<int32_t>(l.Genre);
    v.ReserveX[1] = *cx1;
    v.ReserveY[0] = *cy0;
    v.ReserveY[1] = *cy1;
}

std::optional<LoiVue> LireLoiVue(const VueGraphe& v) {
    const int32_t genre = v.ReserveX[0];
    if (genre > BaseEssai && genre <= BaseEssai + NbCaractMax) {
        const int k = genre - BaseEssai;
        if (!EssaiPresent(k)) return std::nullopt;
        const auto l = LoiDeEssai(Caracts[k].Entete, ConfigGenerale.GammePuissance,
                                  ConfigGenerale.FrequenceReseau);
        if (!l) return std::nullopt;
        return LoiVue{*l, k};
    }
    if (genre < 1 || genre > 5) return std::nullopt;
    LoiCharge l;
    l.Genre = static_cast<GenreLoi>(genre);
    const Pas pas = PasDe(l.Genre);
    const double x1 = v.ReserveX[1] * pas.x1, y0 = v.ReserveY[0] * pas.y0,
                 y1 = v.ReserveY[1] * pas.y1;
    switch (l.Genre) {
        case GenreLoi::CoupleConstant: l.B = x1; break;
        case GenreLoi::Lineaire:
        case GenreLoi::Quadratique:
            l.A = x1;
            l.B = y0;
            break;
        case GenreLoi::PuissanceConstante:
            l.P = x1;
            l.Tmax = y0;
            break;
        case GenreLoi::Decollage:
            l.Tc = x1;
            l.Tr = y0;
            l.Nd = y1;
            break;
        default: return std::nullopt;
    }
    if (!LoiValide(l)) return std::nullopt;
    return LoiVue{l, 0};
}

}  // namespace orvane
