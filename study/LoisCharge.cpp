#include "study/LoisCharge.h"

#include <algorithm>
#include <cmath>

#include "study/Study.h"

namespace orvane {

const std::array<LigneGamme, NbGammes> TableGammes = {{
    {1500, 1500, 1500, 1000, 1500},
    {1500, 300, 500, 200, 300},
    {1500, 1500, 2000, 1000, 1500},
    {1500, 3000, 4500, 1000, 3000},
}};

const LigneGamme& LigneDeGamme(int32_t gamme) {
    return TableGammes[gamme >= 0 && gamme < NbGammes ? static_cast<size_t>(gamme) : 0];
}

int32_t PuissanceMachine(int32_t gamme) { return LigneDeGamme(gamme).PuissanceMachine; }

namespace {

constexpr BornesCurseurs Bornes150 = {0, 150, 0, 150};
constexpr BornesCurseurs BornesLevage = {50, 250, 0, 150};

// The word each slider edits, per type; -1 where the law has none.
constexpr std::array<int, NbTypesCaract> MotA = {-1, -1, -1, -1, -1, -1, -1, 4,  6, 9,
                                                 -1, 4,  6,  9,  10, 24, 24, 26, 26};
constexpr std::array<int, NbTypesCaract> MotB = {-1, -1, -1, -1, -1, -1, 3,  5,  7, 8,
                                                 3,  5,  7,  8,  11, 23, 23, -1, -1};

// Least value of the constant-power sliders: the torque limit divides.
constexpr int32_t MinPuissanceCste = 10;

int MotDe(const std::array<int, NbTypesCaract>& table, int type) {
    return type >= 0 && type < NbTypesCaract ? table[static_cast<size_t>(type)] : -1;
}

bool PuissanceConstante(int type) { return type == 9 || type == 13; }

std::string Couple(int64_t t) { return FormatFixe(t, 2) + " Nm"; }

std::string TexteJ(int64_t mot) { return "J = " + FormatFixe(mot, 3) + " kg.m²"; }

std::string Str(std::string_view s) { return std::string(s); }

// Borne v into lo..hi; true when it changed.
bool BornerMot(int32_t& v, int32_t lo, int32_t hi) {
    const int32_t b = std::clamp(v, lo, hi);
    if (b == v) return false;
    v = b;
    return true;
}

}  // namespace

const std::array<BornesCurseurs, NbTypesCaract> TableBornesCurseurs = {
    Bornes150, Bornes150, Bornes150, Bornes150,    Bornes150,    Bornes150, Bornes150,
    Bornes150, Bornes150, Bornes150, Bornes150,    Bornes150,    Bornes150, Bornes150,
    Bornes150, Bornes150, Bornes150, BornesLevage, BornesLevage,
};

const BornesCurseurs& BornesDe(int type) {
    return TableBornesCurseurs[type >= 0 && type < NbTypesCaract ? static_cast<size_t>(type) : 0];
}

void EtatCurseurs::PlacerA(int32_t valeur) {
    PosA = std::clamp(MaxA - valeur + MinA, MinA, std::max(MinA, MaxA));
}

void EtatCurseurs::PlacerB(int32_t valeur) {
    PosB = std::clamp(MaxB - valeur, MinB, std::max(MinB, MaxB));
}

void EtatCurseurs::DefinirBornes(int type) {
    const BornesCurseurs& b = BornesDe(type);
    MinA = b.MinA;
    MaxA = b.MaxA;
    MinB = b.MinB;
    MaxB = b.MaxB;
    PosA = std::clamp(PosA, MinA, MaxA);
    PosB = std::clamp(PosB, MinB, MaxB);
}

void ContraindreCurseurs(int type, Curseur bouge, EtatCurseurs& c, EnteteCaract& r) {
    bool aBouge = bouge == Curseur::A;
    bool bBouge = bouge == Curseur::B;
    switch (type) {
        case 8:
        case 12:
        case 14:
            if (c.ValeurA() < c.ValeurB()) {
                c.PlacerA(c.ValeurB());
                aBouge = true;
            }
            break;
        case 9:
        case 13:
            if (c.ValeurA() < MinPuissanceCste) {
                c.PlacerA(MinPuissanceCste);
                aBouge = true;
            }
            if (c.ValeurB() < MinPuissanceCste) {
                c.PlacerB(MinPuissanceCste);
                bBouge = true;
            }
            break;
        case 15:
        case 16:
            if (c.ValeurA() > c.ValeurB()) {
                c.PlacerA(c.ValeurB());
                aBouge = true;
            }
            break;
        default: break;
    }
    const int motA = MotDe(MotA, type);
    const int motB = MotDe(MotB, type);
    if (aBouge && motA >= 0) r[motA] = c.ValeurA();
    if (bBouge && motB >= 0) r[motB] = c.ValeurB();
}

void PlacerCurseurs(int type, EtatCurseurs& c, const EnteteCaract& r) {
    if (const int motB = MotDe(MotB, type); motB >= 0) c.PlacerB(r[motB]);
    if (const int motA = MotDe(MotA, type); motA >= 0) c.PlacerA(r[motA]);
}

bool BornerMotsCharge(int type, EnteteCaract& r) {
    if (!EstTypeCharge(type)) return false;
    const BornesCurseurs& b = BornesDe(type);
    const int32_t plancher = PuissanceConstante(type) ? MinPuissanceCste : 0;
    bool change = false;
    if (const int m = MotDe(MotA, type); m >= 0)
        change |= BornerMot(r[m], std::max(b.MinA, plancher), b.MaxA);
    if (const int m = MotDe(MotB, type); m >= 0)
        change |= BornerMot(r[m], std::max(b.MinB, plancher), b.MaxB);
    switch (type) {
        case 14:
            change |= BornerMot(r[12], 10, 100);
            change |= BornerMot(r[13], 0, 10);
            break;
        case 15:
        case 16: change |= BornerMot(r[25], 1, 100); break;
        case 17:
        case 18:
            change |= BornerMot(r[27], 5, 20);
            change |= BornerMot(r[28], 50, 90);
            break;
        default: break;
    }
    return change;
}

int PositionInertie(int64_t mot14, int32_t jscale, int positionMax) {
    const int64_t j = std::max<int64_t>(jscale, 1);
    // Beyond the last entry the lookup gives the last index anyway.
    const int64_t v = std::clamp<int64_t>(mot14 * 1000 / j, INT32_MIN, INT32_MAX);
    return std::clamp(IndexDeInertie(static_cast<int32_t>(v)), 0, positionMax);
}

int32_t InertieDePosition(int position, int32_t jscale) {
    return static_cast<int32_t>(int64_t{InertieDeIndex(position)} * jscale / 1000);
}

EchellesCharge EchellesDe(int32_t gamme, int32_t frequence) {
    const LigneGamme& g = LigneDeGamme(gamme);
    const int32_t n0 = frequence == 60 ? 1800 : 1500;
    return {n0, static_cast<int32_t>(n0 * M_PI / 3), g.EchelleCouple, g.EchellePuissance,
            g.EchelleInertie};
}

bool EstTypeCharge(int type) { return type >= 6 && type <= 18; }

bool TypeAvecInertie(int type) { return (type >= 10 && type <= 14) || type == 16 || type == 18; }

int CodeTrace(int type) {
    constexpr std::array<int, NbTypesCaract> codes = {0, 0, 0, 0, 0, 0, 1, 2, 3, 4,
                                                      1, 2, 3, 4, 5, 2, 2, 6, 6};
    return type >= 0 && type < NbTypesCaract ? codes[static_cast<size_t>(type)] : 0;
}

int IndexTexteColonnes(int type) {
    constexpr std::array<int, NbTypesCaract> index = {0, 0, 0, 0, 0, 0, 1, 2, 3, 4,
                                                      1, 2, 3, 4, 5, 6, 6, 7, 7};
    return type >= 0 && type < NbTypesCaract ? index[static_cast<size_t>(type)] : 0;
}

AffichageCharge CalculerAffichage(int type, EnteteCaract& r, const EchellesCharge& e, int32_t maxA,
                                  int32_t maxB, int32_t maxN, const TTextesOrvane& t) {
    AffichageCharge a;
    a.Inertie = Str(t.Texte(34));
    a.PanneauInertie = TypeAvecInertie(type);
    if (!EstTypeCharge(type)) return a;
    a.Valide = true;
    a.Code = CodeTrace(type);

    const int64_t n0 = e.N0;
    const int64_t ts = e.Tscale;
    const int64_t da = std::max(maxA, 1);
    const int64_t db = std::max(maxB, 1);
    const int64_t dn = std::max(maxN, 1);
    const int ix = IndexTexteColonnes(type);
    const std::string unite = Str(t.Grandeurs[GVitesse].Unite);
    auto vitesse = [&](int64_t n) { return std::to_string(n) + unite; };
    auto puissance = [&](int64_t couple) { return std::to_string(e.W10 * couple / 1000) + " W"; };
    const size_t i = static_cast<size_t>(ix);
    a.C1 = Str(t.TitreColonne1[i]);
    a.J = TexteJ(r[MotInertie]);

    a.Vitesse = {0, n0, 1, 3, "n"};
    a.Couple = {0, ts, 100, 3, "T"};
    a.CurseurA = a.CurseurB = a.CurseurJ = true;
    a.Colonne2 = true;
    auto& p = a.Points;

    switch (type) {
        case 6:
        case 10: {
            const int64_t tc = r[3] * ts / db;
            a.Colonne2 = false;
            a.CurseurA = false;
            a.C3 = Str(t.TitreColonne3[i]) + vitesse(n0);
            a.B1 = Couple(tc);
            a.B3 = puissance(tc);
            p = {{0, 0}, {0, tc}, {n0, tc}};
            break;
        }
        case 7:
        case 11:
        case 8:
        case 12: {
            const bool quadratique = type == 8 || type == 12;
            const int64_t ta = r[quadratique ? 6 : 4] * ts / da;
            const int64_t tb = r[quadratique ? 7 : 5] * ts / db;
            a.C2 = Str(t.TitreColonne2[i]) + vitesse(n0);
            a.C3 = Str(t.TitreColonne3[i]) + vitesse(n0);
            a.B1 = Couple(tb);
            a.B2 = Couple(ta);
            a.B3 = puissance(ta);
            p = {{0, 0}, {0, tb}};
            if (!quadratique) {
                p.push_back({n0, ta});
            } else {
                for (int k = 2; k <= 21; ++k) {
                    const int64_t n = (k - 1) * n0 / 20;
                    p.push_back({n, tb + n * n * (ta - tb) / n0 / n0});
                }
            }
            break;
        }
        case 9:
        case 13: {
            const int64_t pc = r[9] * e.Pscale / da;
            const int64_t tm = r[8] * ts / db;
            const int64_t n43 = 4 * n0 / 3;
            a.Vitesse.NbGraduations = 4;
            a.C2 = Str(t.TitreColonne2[i]) + vitesse(n43);
            a.C3 = Str(t.TitreColonne3[i]);
            a.B1 = Couple(tm);
            a.B2 = Couple(pc * 956 / n43);
            a.B3 = std::to_string(pc) + " W";
            const int64_t nc = pc * 956 / std::max<int64_t>(tm, 1);
            p = {{0, tm}, {nc, tm}};
            for (int k = 2; k <= 21; ++k) {
                const int64_t n = (k - 1) * 100;
                p.push_back(n > nc ? PointCharge{n, pc * 956 / n} : PointCharge{nc, tm});
            }
            break;
        }
        case 14: {
            const int64_t tmax = r[10] * ts / da;
            const int64_t tmin = r[11] * ts / db;
            const int64_t rd = r[12];
            const int64_t pe = r[13];
            const int64_t l = 10 * rd;
            a.Colonne2 = false;
            a.PanneauCycle = true;
            a.C3 = Str(t.TitreColonne2[i]);
            a.B1 = Couple(tmin);
            a.B3 = Couple(tmax);
            a.Reduction = Str(t.Texte(30)) + " :";
            a.Pent = Str(t.Texte(31)) + " :";
            a.Red = "1/" + std::to_string(rd);
            a.Pente = std::to_string(pe * 10) + "%";
            a.Vitesse = {0, std::max<int64_t>(20 * rd, 1), 10, 4, "tr"};
            p = {{0, tmin},         {(10 - pe) * l / 20, tmin},
                 {l / 2, tmax},     {(20 - pe) * l / 20, tmax},
                 {l, tmin},         {(30 - pe) * l / 20, tmin},
                 {3 * l / 2, tmax}, {(40 - pe) * l / 20, tmax},
                 {2 * l, tmin},     {2 * l + 1, tmin}};
            break;
        }
        case 15:
        case 16: {
            const int64_t ta = r[24] * ts / da;
            const int64_t tb = r[23] * ts / db;
            const int64_t nd = r[25] * n0 / dn;
            a.PanneauN = true;
            // The running torque is the torque at N0: caption of the other
            // two-slider laws.
            a.C2 = Str(t.TitreColonne2[1]) + vitesse(n0);
            a.C3 = Str(t.TitreColonne3[i]);
            a.B1 = Couple(tb);
            a.B2 = Couple(ta);
            a.B3 = FormatFixe(nd, 0) + " tr/min";
            p = {{0, 0}, {0, tb}, {nd, ta}, {n0, ta}};
            break;
        }
        case 17:
        case 18: {
            const int64_t m = r[26] * ts / n0;
            const int64_t v = r[27];
            const int64_t eta = std::max<int32_t>(r[28], 1);
            const int64_t tup = m * 625 * v / eta / 10;
            const int64_t tdown = m * 625 * v * eta / 100000;
            r[29] = static_cast<int32_t>(v * m * v / 2467);
            a.CurseurB = false;
            a.CurseurJ = false;
            a.PanneauCycle = true;
            a.C2 = Str(t.TitreColonne2[i]);
            a.C3 = Str(t.TitreColonne3[i]);
            a.B1 = Couple(tdown);
            a.B2 = Couple(tup);
            a.B3 = std::to_string(m) + " kg";
            a.Reduction = Str(t.Texte(32));
            a.Pent = Str(t.Texte(33)) + " :";
            a.Red = FormatFixe(v, 1) + " m/s";
            a.Pente = std::to_string(r[28]) + "%";
            a.J = TexteJ(r[29]);
            a.Vitesse = {-n0, n0, 1, 3, "n"};
            a.Couple = {-ts / 5, 2 * ts, 100, 3, "T"};
            p = {{-n0, tdown}, {0, tdown}, {0, tup}, {n0, tup}};
            break;
        }
        default: break;
    }
    return a;
}

GeometrieTrace CalculerTrace(int gauche, int haut, int droite, int bas, const AxeCharge& vn,
                             const AxeCharge& vt, const std::vector<PointCharge>& points,
                             int hauteurM, int largeurTmax) {
    // Ticks a plot can have at most: one per pixel is already unreadable.
    constexpr int MaxGraduations = 4000;
    GeometrieTrace g;
    const int64_t nmax = vn.Max != 0 ? vn.Max : 1;
    const int64_t tmax = vt.Max != 0 ? vt.Max : 1;
    const int64_t nbN = std::max<int64_t>(vn.NbGraduations, 1);
    const int64_t nbT = std::max<int64_t>(vt.NbGraduations, 1);
    const int64_t divN = vn.Diviseur != 0 ? vn.Diviseur : 1;
    const int64_t divT = vt.Diviseur != 0 ? vt.Diviseur : 1;

    if (vt.Min < 0 && vt.Max > vt.Min)
        g.Y0 = static_cast<int>(int64_t{bas - haut} * vt.Min / (vt.Max - vt.Min) + bas);
    else
        g.Y0 = bas - hauteurM - 10;
    if (vn.Min < 0 && vn.Max > vn.Min)
        g.X0 = gauche + static_cast<int>(-vn.Min * int64_t{droite - gauche} / (vn.Max - vn.Min));
    else
        g.X0 = gauche + largeurTmax + 10;
    g.PasX = static_cast<int>((droite - g.X0 - 20) / nbN);
    g.PasY = static_cast<int>((g.Y0 - haut - 20) / nbT);

    if (g.PasX > 0) {
        const int64_t pas = nmax / divN / nbN;
        int64_t valeur = 0;
        for (int x = g.X0 + g.PasX; x <= droite && g.GradVitesse.size() < MaxGraduations;
             x += g.PasX) {
            valeur += pas;
            g.GradVitesse.push_back({x, std::to_string(valeur)});
        }
        if (vn.Min < 0) {
            const int64_t pasG = vn.Min / divN / nbN;
            valeur = 0;
            for (int x = g.X0 - g.PasX; x >= gauche && g.GradVitesse.size() < 2 * MaxGraduations;
                 x -= g.PasX) {
                valeur += pasG;
                g.GradVitesse.push_back({x, std::to_string(valeur)});
            }
        }
    }
    if (g.PasY > 0) {
        const int64_t pas = tmax / divT / nbT;
        int64_t valeur = 0;
        for (int y = g.Y0 - g.PasY; y >= haut && g.GradCouple.size() < MaxGraduations;
             y -= g.PasY) {
            valeur += pas;
            g.GradCouple.push_back({y, std::to_string(valeur)});
        }
        if (vt.Min < 0) {
            const int64_t pasB = vt.Min / divT / nbT;
            valeur = 0;
            for (int y = g.Y0 + g.PasY; y <= bas && g.GradCouple.size() < 2 * MaxGraduations;
                 y += g.PasY) {
                valeur += pasB;
                g.GradCouple.push_back({y, std::to_string(valeur)});
            }
        }
    }
    g.Points.reserve(points.size());
    for (const PointCharge& pt : points)
        g.Points.push_back({g.X0 + pt.N * g.PasX * nbN / nmax, g.Y0 - pt.T * g.PasY * nbT / tmax});
    return g;
}

std::array<int32_t, 5> ParametresCharge(int type, const EnteteCaract& r, const EchellesCharge& e) {
    std::array<int32_t, 5> p{};
    if (!EstTypeCharge(type)) return p;
    const int64_t ts = e.Tscale;
    auto echelle = [&](int mot) { return static_cast<int32_t>(ts * r[mot] / 150); };
    switch (type) {
        case 6:
        case 10: p[1] = echelle(3); break;
        case 7:
        case 11:
            p[0] = echelle(4);
            p[1] = echelle(5);
            p[2] = e.N0;
            break;
        case 8:
        case 12:
            p[0] = echelle(6);
            p[1] = echelle(7);
            p[2] = e.N0;
            break;
        case 9:
        case 13: {
            p[0] = echelle(8);
            const int64_t tm = std::max<int32_t>(r[8], 1);
            const int64_t d = std::max<int64_t>(ts, 1);
            p[2] = static_cast<int32_t>(int64_t{e.Pscale} * r[9] * 956 / tm / d);
            break;
        }
        case 14:
            p[0] = echelle(10);
            p[1] = echelle(11);
            p[2] = static_cast<int32_t>((10 - int64_t{r[13]}) * r[12] / 10);
            p[3] = static_cast<int32_t>(int64_t{r[12]} * r[13] / 10);
            break;
        case 15:
        case 16:
            p[0] = echelle(24);
            p[1] = echelle(23);
            p[2] = r[25];
            break;
        case 17:
        case 18:
            p[0] = static_cast<int32_t>(ts * r[26] / std::max(e.N0, 1));
            p[1] = r[28];
            p[2] = r[27];
            break;
        default: break;
    }
    if (TypeAvecInertie(type)) p[4] = r[MotInertie];
    return p;
}

}  // namespace orvane
