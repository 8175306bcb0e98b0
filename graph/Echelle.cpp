#include "graph/Echelle.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "study/Study.h"

namespace orvane {

const std::array<int32_t, NbZooms> TableZoom = {
    10,  11,  12,  13,  14,  15,  16,  18,  20,  22,  24,  26,  28,  30,  34,  38,  42,
    46,  50,  55,  60,  68,  75,  82,  90,  100, 110, 120, 130, 140, 150, 160, 180, 200,
    220, 240, 260, 280, 300, 340, 380, 420, 460, 500, 550, 600, 680, 750, 820, 900, 1000};

const std::array<int32_t, 10> Puissances10 = {1,      10,      100,      1000,      10000,
                                              100000, 1000000, 10000000, 100000000, 1000000000};

namespace {

// Prefixes from 10^-12 to 10^12; beyond them the power is written out.
const std::array<const char*, 9> PrefixesNommes = {"p", "n", "\xC2\xB5", "m", "",
                                                   "k", "M", "G",        "T"};

// a * b div c with a 128-bit product, truncated toward zero, kept in int64.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    const __int128 r = static_cast<__int128>(a) * b / c;
    if (r > std::numeric_limits<int64_t>::max()) return std::numeric_limits<int64_t>::max();
    if (r < std::numeric_limits<int64_t>::min()) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

int NbCaracteres(int64_t v) { return static_cast<int>(std::to_string(v).size()); }

int64_t Puissance10(int i) { return Puissances10[static_cast<size_t>(std::clamp(i, 0, 9))]; }

// Position of e among 1, 2, 3 modulo 3 (e = 1, 4, -2 -> 1; 2, 5, -1 -> 2; 0, 3, -3 -> 3).
int ChiffresEntiers(int64_t e) {
    const int64_t r = ((e % 3) + 3) % 3;
    return r == 0 ? 3 : static_cast<int>(r);
}

}  // namespace

int32_t VersInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string PrefixesSI(int indice) {
    if (indice >= -4 && indice <= 4) return PrefixesNommes[static_cast<size_t>(indice + 4)];
    // "E-45 " .. "E+45 " and, past them, the same pattern.
    const int64_t p = int64_t{indice} * 3;
    return std::string("E") + (p < 0 ? "-" : "+") + std::to_string(p < 0 ? -p : p) + " ";
}

void PreparerEchelle(TEchelleAxe& e, const TaxeC& c) {
    e.Min = c.Min;
    e.Max = c.Max;
    e.Exposant = c.Exposant;
    e.Mode = c.Decimales;
    e.Etendue = std::abs(e.Max - e.Min);
    if (e.Etendue == 0) e.Etendue = 1;
}

void calculechelle(TEchelleAxe& e, bool vertical) {
    int64_t d = e.Max - e.Min;
    int n = NbCaracteres(d);
    int64_t ex = e.Mode < 0 ? e.Exposant : 0;
    bool decale = false;
    if (n == 1) {
        n = 2;
        d *= 10;
        ex -= 1;
        decale = true;
    }
    const int64_t t = d / Puissance10(n - 2);
    ex += n - 2;
    int k = 0;
    while (ex % 3 != 0) {
        ex -= 1;
        k += 1;
    }
    int64_t m = 1;
    if (t >= 13 && t <= 24)
        m = 2;
    else if (t >= 25 && t <= 48)
        m = 4;
    else if (t >= 49 && t <= 64)
        m = 5;
    else if (t >= 65 && t <= 100)
        m = 10;
    e.Pas = m * Puissance10(n - 2);

    if (e.Mode >= 0) {
        e.PasLibelle = e.Pas;
        e.DecLibelle = BornerDecimales(e.Mode);
        e.Exposant = 0;
    } else {
        // A range under 10 counts was scaled up tenfold to find its step:
        // the labels count ten times more to still denote the tick values.
        const int64_t f = decale ? 10 : 1;
        if (k == 0) {
            e.PasLibelle = m * f;
            e.DecLibelle = 0;
            e.Exposant = ex;
        } else if (k == 1) {
            e.PasLibelle = 10 * m * f;
            e.DecLibelle = 0;
            e.Exposant = ex;
        } else {
            e.PasLibelle = m * f;
            e.DecLibelle = 1;
            e.Exposant = ex + 3;
        }
    }
    if (e.Pas < 1) e.Pas = 1;
    if (e.Etendue < 1) e.Etendue = 1;

    if (e.Min <= 0 && e.Max >= 0)
        e.Origine = 0;
    else if (e.Min > 0)
        e.Origine = (e.Min / e.Pas + 1) * e.Pas;
    else
        e.Origine = (e.Max / e.Pas - 1) * e.Pas;

    e.PixPas = MulDiv(e.Longueur, e.Pas, e.Etendue);
    const int64_t decalage = MulDiv(e.Longueur, e.Origine - e.Min, e.Etendue);
    e.PixOrigine = vertical ? e.Fin - decalage : e.Debut + decalage;
}

int32_t PixelX(const TEchelleAxe& x, int64_t v) {
    return VersInt32(MulDiv(v - x.Origine, x.PixPas, x.Pas) + x.PixOrigine);
}

int32_t PixelY(const TEchelleAxe& y, int64_t v) {
    return VersInt32(y.PixOrigine - MulDiv(v - y.Origine, y.PixPas, y.Pas));
}

std::string textevaleur(int32_t v, const TaxeC& c) {
    // Fixed-point mode: the tick labels' text, with the same bound on the
    // decimals.
    if (c.Decimales >= 0) return FormatFixe(v, c.Decimales) + " " + c.Unite;
    std::string s = std::to_string(std::abs(static_cast<int64_t>(v)));
    const int64_t e = static_cast<int64_t>(s.size()) + c.Exposant;
    if (s.size() > 5) s.resize(5);
    const int entiers = ChiffresEntiers(e);
    // Only a positive exponent leaves fewer digits than the integer part:
    // the missing ones are zeros (0.5 x 10^2 is 50).
    while (static_cast<int>(s.size()) < entiers) s.push_back('0');
    if (static_cast<int>(s.size()) > entiers) s.insert(static_cast<size_t>(entiers), 1, ',');
    if (v < 0) s.insert(s.begin(), '-');
    return s + " " + PrefixesSI(static_cast<int>((e - entiers) / 3)) + c.Unite;
}

std::string TexteUnite(const TaxeC& c, const TEchelleAxe& e) {
    if (c.Unite.empty()) return {};
    const std::string prefixe =
        c.Decimales < 0 ? PrefixesSI(static_cast<int>(e.Exposant / 3)) : std::string();
    return "(" + prefixe + c.Unite + ")";
}

std::vector<Graduation> GraduationsX(const TEchelleAxe& x, int64_t a,
                                     const std::function<int64_t(const std::string&)>& largeur) {
    std::vector<Graduation> r;
    if (x.PixPas <= 0 || x.Pas <= 0) return r;
    int64_t j = (x.Origine / x.Pas + 1) * x.PasLibelle;
    for (int64_t px = x.PixOrigine + x.PixPas; px < x.Fin; px += x.PixPas, j += x.PasLibelle) {
        std::string s = FormatFixe(j, static_cast<int>(x.DecLibelle));
        // A label reaching the arrow end is left out with its tick.
        if (largeur(s) / 2 + px + a < x.Fin) r.push_back({px, std::move(s)});
    }
    j = (x.Origine / x.Pas - 1) * x.PasLibelle;
    for (int64_t px = x.PixOrigine - x.PixPas; px > x.Debut; px -= x.PixPas, j -= x.PasLibelle)
        r.push_back({px, FormatFixe(j, static_cast<int>(x.DecLibelle))});
    return r;
}

std::vector<Graduation> GraduationsY(const TEchelleAxe& y) {
    std::vector<Graduation> r;
    if (y.PixPas <= 0 || y.Pas <= 0) return r;
    int64_t j = (y.Origine / y.Pas + 1) * y.PasLibelle;
    for (int64_t py = y.PixOrigine - y.PixPas; py > y.Debut; py -= y.PixPas, j += y.PasLibelle)
        r.push_back({py, FormatFixe(j, static_cast<int>(y.DecLibelle))});
    j = (y.Origine / y.Pas - 1) * y.PasLibelle;
    for (int64_t py = y.PixOrigine + y.PixPas; py < y.Fin; py += y.PixPas, j -= y.PasLibelle)
        r.push_back({py, FormatFixe(j, static_cast<int>(y.DecLibelle))});
    return r;
}

// ---- curves ----

int ModeEffectif(int lissage, int dernier) {
    if (lissage < 0 || lissage > 5) return -1;
    int limite;
    if (dernier <= 0)
        limite = -1;
    else if (dernier <= 3)
        limite = 2;
    else if (dernier == 4)
        limite = 3;
    else if (dernier <= 6)
        limite = 4;
    else
        limite = 5;
    return std::min(lissage, limite);
}

std::vector<int64_t> Filtrer(const std::vector<int64_t>& a, int dernier, int n) {
    std::vector<int64_t> b = a;
    dernier = std::min(dernier, static_cast<int>(a.size()) - 1);
    for (int i = 1; i < dernier; ++i) {
        // Near the ends the window shrinks so that it stays inside the curve.
        const int demi = std::min({n / 2, i, dernier - i});
        const int64_t* p = a.data() + i;
        if (demi >= 3) {
            b[i] = (p[-3] + 8 * p[-2] + 12 * p[-1] + 22 * p[0] + 12 * p[1] + 8 * p[2] + p[3]) / 64;
        } else if (demi == 2) {
            b[i] = (p[-2] + 4 * p[-1] + 6 * p[0] + 4 * p[1] + p[2]) / 16;
        } else if (demi == 1) {
            b[i] = (p[-1] + 2 * p[0] + p[1]) / 4;
        }
    }
    return b;
}

PoidsSpline PoidsDebut(int k) {
    const int64_t q = k;
    return {{(q - 8) * (q - 16), 2 * q * (16 - q), q * (q - 8), 0}, 128};
}

PoidsSpline PoidsMilieu(int k) {
    const int64_t q = k, q2 = q * q, q3 = q2 * q;
    return {
        {-q3 + 16 * q2 - 64 * q, 3 * q3 - 40 * q2 + 1024, -3 * q3 + 32 * q2 + 64 * q, q3 - 8 * q2},
        1024};
}

PoidsSpline PoidsFin(int k) {
    const int64_t q = k;
    return {{q * q - 8 * q, 128 - 2 * q * q, q * q + 8 * q, 0}, 128};
}

namespace {

PointPixel Combiner(const PoidsSpline& w, const std::vector<int64_t>& px,
                    const std::vector<int64_t>& py, int premier, int nb) {
    int64_t sx = 0, sy = 0;
    for (int j = 0; j < nb; ++j) {
        sx += w.Poids[static_cast<size_t>(j)] * px[static_cast<size_t>(premier + j)];
        sy += w.Poids[static_cast<size_t>(j)] * py[static_cast<size_t>(premier + j)];
    }
    return {sx / w.Denominateur, sy / w.Denominateur};
}

}  // namespace

std::vector<PointPixel> PointsSpline(const std::vector<int64_t>& px, const std::vector<int64_t>& py,
                                     int premier, int dernierTrace, int dernier) {
    std::vector<PointPixel> r;
    dernier = std::min({dernier, static_cast<int>(px.size()) - 1, static_cast<int>(py.size()) - 1});
    premier = std::max(premier, 0);
    dernierTrace = std::min(dernierTrace, dernier);
    if (premier > dernierTrace) return r;
    r.push_back({px[static_cast<size_t>(premier)], py[static_cast<size_t>(premier)]});
    if (dernier < 2) {
        // Two points give no parabola: a straight segment joins them.
        if (dernierTrace > premier)
            r.push_back(
                {px[static_cast<size_t>(dernierTrace)], py[static_cast<size_t>(dernierTrace)]});
        return r;
    }
    r.reserve(1 + 8 * static_cast<size_t>(dernierTrace - premier));
    // Interval i runs from point i to point i + 1: a parabola on the first and
    // the last interval, a Catmull-Rom cubic in between.
    for (int i = premier; i < dernierTrace; ++i) {
        for (int k = 1; k <= 8; ++k) {
            if (i == 0)
                r.push_back(Combiner(PoidsDebut(k), px, py, 0, 3));
            else if (i == dernier - 1)
                r.push_back(Combiner(PoidsFin(k), px, py, dernier - 2, 3));
            else
                r.push_back(Combiner(PoidsMilieu(k), px, py, i - 1, 4));
        }
    }
    return r;
}

std::vector<PointPixel> PointsLigne(int mode, const std::vector<int64_t>& px,
                                    const std::vector<int64_t>& py, int premier, int dernierTrace,
                                    int dernier) {
    dernier = std::min({dernier, static_cast<int>(px.size()) - 1, static_cast<int>(py.size()) - 1});
    premier = std::max(premier, 0);
    dernierTrace = std::min(dernierTrace, dernier);
    switch (mode) {
        case 1: {
            std::vector<PointPixel> r;
            for (int p = premier; p <= dernierTrace; ++p)
                r.push_back({px[static_cast<size_t>(p)], py[static_cast<size_t>(p)]});
            return r;
        }
        case 2: return PointsSpline(px, py, premier, dernierTrace, dernier);
        case 3:
        case 4:
        case 5: {
            const int n = 2 * mode - 3;  // 3, 5, 7 points
            return PointsSpline(Filtrer(px, dernier, n), Filtrer(py, dernier, n), premier,
                                dernierTrace, dernier);
        }
        default: return {};
    }
}

int PointProche(const std::vector<int64_t>& px, const std::vector<int64_t>& py, int premier,
                int dernierTrace, int64_t x, int64_t y) {
    if (dernierTrace < 0) return -1;
    const int n = static_cast<int>(std::min(px.size(), py.size()));
    premier = std::max(premier, 0);
    dernierTrace = std::min(dernierTrace, n - 1);
    if (premier > dernierTrace) return -1;
    auto distance = [&](int p) {
        const int64_t dx = px[static_cast<size_t>(p)] - x;
        const int64_t dy = py[static_cast<size_t>(p)] - y;
        return dx * dx + dy * dy;
    };
    int meilleur = premier;
    int64_t d = distance(premier);
    for (int p = premier + 1; p <= dernierTrace; ++p) {
        const int64_t dp = distance(p);
        if (dp < d) {
            d = dp;
            meilleur = p;
        }
    }
    return meilleur;
}

}  // namespace orvane
