// Integer arithmetic of the graphs: axis scales, value-to-pixel mapping,
// read-out texts, zoom steps, curve smoothing and the nearest point.
//
// No floating point: 64-bit intermediates and divisions that truncate toward
// zero. No Qt: the drawing side (Graphe.h) calls these.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

// Configuration of one axis, filled by the user of the graph.
struct TaxeC {
    int32_t Min = 0;        // lowest value, counts
    int32_t Max = 0;        // highest value, counts
    int32_t Exposant = 0;   // power of ten of one count
    int32_t Decimales = 0;  // >= 0: fixed-point labels; < 0: engineering labels with an SI prefix
    std::string Nom;        // axis name (UTF-8), drawn at the arrow end
    std::string Unite;      // unit (UTF-8), drawn in parentheses; may be empty
};

// Computed scale of one axis.
struct TEchelleAxe {
    int64_t Debut = 0;       // pixel where the scale starts (left, top)
    int64_t Fin = 0;         // pixel where it ends (right, bottom)
    int64_t PixOrigine = 0;  // pixel of Origine
    int64_t PixPas = 0;      // pixels between two ticks
    int64_t Longueur = 0;    // |Fin - Debut|
    int64_t Min = 0;
    int64_t Max = 0;
    int64_t Origine = 0;     // where the other axis crosses; ticks count from here
    int64_t Pas = 1;         // tick step in counts, at least 1
    int64_t Etendue = 1;     // |Max - Min|, at least 1
    int64_t PasLibelle = 0;  // label increment from one tick to the next
    int64_t DecLibelle = 0;  // decimals of the tick labels
    int64_t Exposant = 0;    // power of ten of the labels' SI prefix (multiple of 3)
    int32_t Mode = 0;        // the configuration's Decimales
    bool operator==(const TEchelleAxe&) const = default;
};

// The 51 zoom steps: an axis extent is full scale x 50 div entry.
inline constexpr int NbZooms = 51;
extern const std::array<int32_t, NbZooms> TableZoom;
// SI prefix (UTF-8) of the power 10^(3 x indice): "p" .. "T" from -4 to 4,
// "E-45 " .. "E+45 " style texts (with a final blank) beyond.
std::string PrefixesSI(int indice);
// 10^i for i = 0..9.
extern const std::array<int32_t, 10> Puissances10;

// Fills Min, Max, Exposant, Mode and Etendue of an axis from its configuration.
void PreparerEchelle(TEchelleAxe& e, const TaxeC& c);
// Step, labels, origin and pixel positions of an axis whose Debut, Fin,
// Longueur and configuration fields are set.
void calculechelle(TEchelleAxe& e, bool vertical);

// Pixel of a value; a value too far off for an int32 stops at its limit.
int32_t PixelX(const TEchelleAxe& x, int64_t v);
int32_t PixelY(const TEchelleAxe& y, int64_t v);

// Read-out text of a value: number, blank, SI prefix and unit (UTF-8).
std::string textevaleur(int32_t v, const TaxeC& c);

// Unit text under an axis name: "(" prefix unit ")", or empty without a unit.
std::string TexteUnite(const TaxeC& c, const TEchelleAxe& e);

// One tick of an axis: its pixel along the axis and its label.
struct Graduation {
    int64_t Pixel;
    std::string Libelle;
};
// Ticks of the horizontal axis. `largeur` measures a text in pixels, `a` is
// the 1 mm length; labels that would reach past the arrow end are left out.
// A zero pixel step gives no tick at all.
std::vector<Graduation> GraduationsX(const TEchelleAxe& x, int64_t a,
                                     const std::function<int64_t(const std::string&)>& largeur);
// Ticks of the vertical axis.
std::vector<Graduation> GraduationsY(const TEchelleAxe& y);

// The value brought into the int32 range.
int32_t VersInt32(int64_t v);

// ---- curves ----

inline constexpr int32_t LimitePixel = 1000000;

// Line mode actually drawn for a requested mode and a last point index:
// -1 (no line) for a request outside 0..5, else the request lowered to what
// the number of points allows.
int ModeEffectif(int lissage, int dernier);

// 3-, 5- or 7-point smoothing (n = 3, 5, 7) of a[0..dernier]; the window
// narrows near the ends, which never move. Elements past `dernier` are copied.
std::vector<int64_t> Filtrer(const std::vector<int64_t>& a, int dernier, int n);

// Interpolation weights at t = k/8 as exact fractions Poids[j] / Denominateur.
struct PoidsSpline {
    std::array<int64_t, 4> Poids;
    int64_t Denominateur;
};
PoidsSpline PoidsDebut(int k);   // parabola through P0, P1, P2 (first interval)
PoidsSpline PoidsMilieu(int k);  // Catmull-Rom cubic over Pi-1, Pi, Pi+1, Pi+2
PoidsSpline PoidsFin(int k);     // parabola through PN-2, PN-1, PN (last interval)

struct PointPixel {
    int64_t x;
    int64_t y;
};
// Points of the spline through px/py from `premier` to `dernierTrace`
// (`dernier` = last point of the curve), starting with the first point;
// every interval is 8 short lines ending exactly on its point. A curve of
// two points gives the straight segment.
std::vector<PointPixel> PointsSpline(const std::vector<int64_t>& px, const std::vector<int64_t>& py,
                                     int premier, int dernierTrace, int dernier);

// The polyline of an effective line mode: 1 straight segments, 2 spline,
// 3..5 spline over the 3-, 5- or 7-point smoothed points. Empty otherwise
// (stems, mode 0, are drawn point by point).
std::vector<PointPixel> PointsLigne(int mode, const std::vector<int64_t>& px,
                                    const std::vector<int64_t>& py, int premier, int dernierTrace,
                                    int dernier);

// Index of the point nearest to (x, y) among premier..dernierTrace, given
// their pixel positions; ties keep the lower index; -1 when dernierTrace < 0
// or the range is empty.
int PointProche(const std::vector<int64_t>& px, const std::vector<int64_t>& py, int premier,
                int dernierTrace, int64_t x, int64_t y);

}  // namespace orvane
