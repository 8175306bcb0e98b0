#include "graph/Lectures.h"

#include <algorithm>
#include <cmath>

#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

bool VueCoupleVitesse(const VueGraphe& v) { return v.GrandeurX == 1 && v.GrandeurY == 2; }

bool VueTemporelle(const VueGraphe& v) { return v.GrandeurX == 11; }

std::optional<LoiCharge> LoiDeVue(const VueGraphe& v) {
    const std::optional<LoiVue> lue = LireLoiVue(v);
    if (!lue) return std::nullopt;
    if (lue->essaiCharge <= 0) return lue->loi;
    if (lue->essaiCharge > Etude.NbCaract) return std::nullopt;
    return LoiDeEssai(Caracts[lue->essaiCharge].Entete, ConfigGenerale.GammePuissance,
                      ConfigGenerale.FrequenceReseau);
}

namespace {

bool Proches(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

bool MemeLoi(const LoiCharge& a, const LoiCharge& b) {
    return a.Genre == b.Genre && Proches(a.A, b.A) && Proches(a.B, b.B) && Proches(a.P, b.P) &&
           Proches(a.Tmax, b.Tmax) && Proches(a.Tc, b.Tc) && Proches(a.Tr, b.Tr) &&
           Proches(a.Nd, b.Nd);
}

// The static-load trial whose points check the law: the one the view names,
// else the first whose settings give the same law.
int EssaiDeCharge(const VueGraphe& v, const LoiCharge& loi) {
    const std::optional<LoiVue> lue = LireLoiVue(v);
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        if (Caracts[k].Dernier() < 0) continue;
        const std::optional<LoiCharge> l = LoiDeEssai(
            Caracts[k].Entete, ConfigGenerale.GammePuissance, ConfigGenerale.FrequenceReseau);
        if (l && ((lue && lue->essaiCharge == k) || MemeLoi(*l, loi))) return k;
    }
    return 0;
}

}  // namespace

std::vector<PointVue> PointsDeFonctionnement(const VueGraphe& v) {
    std::vector<PointVue> points;
    const std::optional<LoiCharge> loi = LoiDeVue(v);
    if (!loi || !VueCoupleVitesse(v)) return points;
    const int charge = EssaiDeCharge(v, *loi);
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        if (!EstCaracteristiqueMachine(Caracts[k].Entete[MotTypeCaract]) ||
            Caracts[k].Dernier() < 1)
            continue;
        for (const Croisement& c : Croisements(PointsEssai(k), *loi)) {
            PointVue p{k, c, std::nullopt, charge};
            if (charge > 0) p.ecart = EcartMesure(charge, c);
            points.push_back(p);
        }
    }
    return points;
}

std::optional<double> ValeurEn(int k, int qX, int qY, double x) {
    if (k < 1 || k > NbCaractMax || qX < 0 || qX >= NbGrandeurs || qY < 0 || qY >= NbGrandeurs)
        return std::nullopt;
    const Caracteristique& c = Caracts[k];
    const int dernier = std::min(c.Dernier(), DernierPointMax);
    for (int p = 0; p <= dernier; ++p) {
        const double xp = c.Point(qX, p);
        if (xp < x) continue;
        if (xp == x || p == 0) {
            if (xp != x) return std::nullopt;  // before the first sample
            return c.Point(qY, p);
        }
        const double x0 = c.Point(qX, p - 1), y0 = c.Point(qY, p - 1), y1 = c.Point(qY, p);
        return y0 + (y1 - y0) * (x - x0) / (xp - x0);
    }
    return std::nullopt;
}

std::string UniteGrandeur(int q) {
    return DepuisCp1252(Etude.Grandeurs[std::clamp(q, 0, NbGrandeurs - 1)].Unite.Lire());
}

std::string TexteMesure(const std::optional<double>& v, int decimales, const std::string& unite) {
    if (!v || !std::isfinite(*v)) return "—";
    const int d = BornerDecimales(decimales);
    const double arrondi = std::round(*v * std::pow(10.0, d));
    if (!std::isfinite(arrondi) || std::fabs(arrondi) > 9e15) return "—";
    return FormatFixe(static_cast<int64_t>(arrondi), d) + (unite.empty() ? "" : " " + unite);
}

std::array<std::string, 7> TextesMesures(const MesuresReponse& m, int q) {
    const int d = std::max(Etude.Grandeurs[std::clamp(q, 0, NbGrandeurs - 1)].Decimales, 0);
    const std::string u = UniteGrandeur(q), s = UniteGrandeur(GTemps);
    return {TexteMesure(m.initiale, d, u),     TexteMesure(m.finale, d, u),
            TexteMesure(m.debut, 3, s),        TexteMesure(m.montee, 3, s),
            TexteMesure(m.constante, 3, s),    TexteMesure(m.depassement, 1, "%"),
            TexteMesure(m.etablissement, 3, s)};
}

std::vector<std::string> TextesPoint(const PointVue& p) {
    const Croisement& c = p.point;
    std::vector<std::string> l{"n* = " + TexteMesure(c.n, 1, UniteGrandeur(GVitesse)) +
                               "   T* = " + TexteMesure(c.T, 2, UniteGrandeur(GCouple)) +
                               "   P* = " + TexteMesure(c.P, 0, UniteGrandeur(GPuissanceMeca)) +
                               "   " +
                               std::string(Textes.Texte(c.stable ? TexteStable : TexteInstable))};
    if (p.ecart)
        l.push_back(std::string(Textes.Texte(TexteEcartMesure)) +
                    " : Δn = " + TexteMesure(p.ecart->dn, 1, UniteGrandeur(GVitesse)) +
                    "   ΔT = " + TexteMesure(p.ecart->dT, 2, UniteGrandeur(GCouple)));
    return l;
}

}  // namespace orvane
