#include "graph/TraitFin.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace orvane {

namespace {

// Positions in 1/64 pixel, increments in 1/65536 pixel per step.
int EnSoixanteQuatriemes(double v) { return static_cast<int>(v * 64.); }

// Reciprocals rounded up, 2^32 / k for k = 1..127: for |n| < 2^25 the
// product |n| x 2^32 / k / 2^32 is |n| / k plus less than 2^-7, while |n| / k
// is a whole number or at least 1/127 short of the next one, so its whole
// part is the quotient's.
constexpr uint64_t Inverse(int k) {
    return ((uint64_t{1} << 32) + static_cast<uint64_t>(k) - 1) / static_cast<uint64_t>(k);
}
constexpr std::array<uint64_t, 128> Inverses = [] {
    std::array<uint64_t, 128> t{};
    for (int k = 1; k < 128; ++k) t[static_cast<size_t>(k)] = Inverse(k);
    return t;
}();

// n / k rounded toward zero, for |n| < 2^25 and k = 1..127.
constexpr int64_t DiviserCourt(int64_t n, int k) {
    const uint64_t a = static_cast<uint64_t>(n < 0 ? -n : n);
    const auto q = static_cast<int64_t>((a * Inverses[static_cast<size_t>(k)]) >> 32);
    return n < 0 ? -q : q;
}

constexpr bool DivisionsCourtesExactes() {
    for (int k = 1; k <= 127; ++k)
        for (int m = -511; m <= 511; ++m)
            if (DiviserCourt(int64_t{m} * 65536, k) != int64_t{m} * 65536 / k) return false;
    return true;
}
static_assert(DivisionsCourtesExactes());

// d / pas in 1/65536, rounded toward zero. Between whole pixels less than
// 512 apart along the other axis and 128 along this one (the segments of a
// curve, the most frequent), by a multiplication; the others in 32 bits
// when it fits, which is quicker than in 64.
inline int64_t Pente(int d, int pas) {
    if (d > -32768 && d < 32768) {
        if (((d | pas) & 63) == 0 && pas < 128 * 64)
            return DiviserCourt(int64_t{d / 64} * 65536, pas / 64);
        return (d * 65536) / pas;
    }
    return int64_t{d} * 65536 / pas;
}

int Echanger(int bouts) {
    return ((bouts & TraitFin::DebutBout) << 1) | ((bouts & TraitFin::FinBout) >> 1);
}

}  // namespace

TraitFin::TraitFin(const ImageBrute& image, bool bouts, std::vector<uint32_t>& pixels)
    : image_(image), bouts_(bouts), pixels_(pixels), nb_(pixels.size()) {
    // Lines are cut a pixel or two beyond the picture, whatever the clip:
    // the clip only keeps pixels, so a line looks the same clipped or not.
    xmin_ = -1;
    xmax_ = image.largeur + 1;
    ymin_ = -1;
    ymax_ = image.hauteur + 1;
}

void TraitFin::Debut() {
    dernier_ = {INT_MIN, INT_MIN};
    sens_ = Aucun;
    aligne_ = false;
}

// Cuts the line to the rough bounds; true when nothing of it is left. A cut
// end forgets the last pixel (only its column, as the painter does).
bool TraitFin::Rogner(double& x1, double& y1, double& x2, double& y2) {
    const double xmin = xmin_, xmax = xmax_, ymin = ymin_, ymax = ymax_;
    if (x1 < xmin) {
        if (x2 <= xmin) return dernier_.x = INT_MIN, true;
        y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) return dernier_.x = INT_MIN, true;
        y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
        x1 = xmax;
    }
    if (x2 < xmin) {
        dernier_.x = INT_MIN;
        y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
        x2 = xmin;
    } else if (x2 > xmax) {
        dernier_.x = INT_MIN;
        y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) return dernier_.x = INT_MIN, true;
        x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) return dernier_.x = INT_MIN, true;
        x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
        y1 = ymax;
    }
    if (y2 < ymin) {
        dernier_.x = INT_MIN;
        x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
        y2 = ymin;
    } else if (y2 > ymax) {
        dernier_.x = INT_MIN;
        x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
        y2 = ymax;
    }
    return false;
}

// One segment, stepping one pixel at a time along its longer axis ("u"),
// the other coordinate ("v") in 1/65536 pixel. Both directions of both axes
// are one code: `vertical` swaps the roles of x and y.
[[gnu::always_inline]] inline void TraitFin::Tracer(int x1, int y1, int x2, int y2, int bouts) {
    const bool vertical = std::abs(x2 - x1) < std::abs(y2 - y1);
    int u1 = vertical ? y1 : x1, u2 = vertical ? y2 : x2;
    int v1 = vertical ? x1 : y1, v2 = vertical ? x2 : y2;
    if (u1 == u2) return;  // no length (the longer axis has none)

    const auto enPixel = [vertical](int u, int v) { return vertical ? Pixel{v, u} : Pixel{u, v}; };
    Pixel fin = dernier_;
    int sens = vertical ? VersLeBas : VersLaDroite;
    const bool inverse = u1 > u2;
    if (inverse) {
        std::swap(u1, u2);
        std::swap(v1, v2);
        bouts = Echanger(bouts);
        sens = vertical ? VersLeHaut : VersLaGauche;
    }
    const int64_t pente = Pente(v2 - v1, u2 - u1);
    int64_t v = int64_t{v1} * 1024;

    // Turning back along the same axis: a cap where the line starts.
    if ((sens_ ^ (vertical ? Vertical : Horizontal)) == sens)
        bouts |= inverse ? FinBout : DebutBout;
    if (bouts & DebutBout) {
        u1 -= 32;
        v -= pente >> 1;
    }
    if (bouts & FinBout) u2 += 32;

    int u = (u1 + 32) >> 6;
    int us = (u2 + 32) >> 6;
    const int arrondi = pente > 0 ? 32 : 0;
    // The cap must not move the start off the pixel the line before ended on.
    if ((bouts & DebutBout) && (vertical ? dernier_.y : dernier_.x) == u + 1) ++u;

    if (u != us) {
        v += ((u * 64) + arrondi - u1) * pente >> 6;
        Pixel premier = enPixel(u, static_cast<int>(v >> 16));
        fin = enPixel(us - 1, static_cast<int>((v + (us - u - 1) * pente) >> 16));
        if (inverse) std::swap(premier, fin);

        const bool aligne = std::abs(pente) < (1 << 14);
        if (dernier_.x > INT_MIN) {
            const int ecartX = std::abs(dernier_.x - premier.x);
            const int ecartY = std::abs(dernier_.y - premier.y);
            if (ecartX == 0 && ecartY == 0) {
                // The join's pixel is already written.
                if (inverse) {
                    --us;
                } else {
                    ++u;
                    v += pente;
                }
            } else if (sens_ != sens && ((aligne && aligne_ && ecartX != 0 && ecartY != 0) ||
                                         ecartX > 1 || ecartY > 1)) {
                // A turn would leave a gap: one pixel more at the start.
                if (inverse) {
                    ++us;
                } else {
                    --u;
                    v -= pente;
                }
            } else if (sens_ == sens && ecartX <= 1 && ecartY > 1) {
                v += pente >> 1;
                const int64_t vFin = inverse ? v : v + (us - u - 1) * pente;
                (vertical ? fin.x : fin.y) = static_cast<int>(vFin >> 16);
            }
        }
        sens_ = sens;
        aligne_ = aligne;
        const auto pas = static_cast<uint32_t>(image_.pas);
        const int gauche = image_.gauche, droite = image_.droite;
        const int haut = image_.haut, bas = image_.bas;
        // v moves one way: its first and last pixels bound the segment. The
        // first is written even when a join has left nothing after it.
        const int nb = std::max(us - u, 1);
        const int va = static_cast<int>(v >> 16);
        const int vb = static_cast<int>((v + (nb - 1) * pente) >> 16);
        const int uMin = u, uMax = u + nb - 1, vMin = std::min(va, vb), vMax = std::max(va, vb);
        const bool dedans = vertical
                                ? uMin >= haut && uMax <= bas && vMin >= gauche && vMax <= droite
                                : uMin >= gauche && uMax <= droite && vMin >= haut && vMax <= bas;
        if (nb_ + static_cast<size_t>(nb) > pixels_.size())
            pixels_.resize(std::max(2 * pixels_.size(), nb_ + static_cast<size_t>(nb) + 4096));
        uint32_t* const debut = pixels_.data();
        uint32_t* o = debut + nb_;
        if (dedans && vertical) {
            auto ligne = static_cast<uint32_t>(u) * pas;
            do {
                *o++ = ligne + static_cast<uint32_t>(v >> 16);
                ligne += pas;
                v += pente;
            } while (++u < us);
        } else if (dedans) {
            auto colonne = static_cast<uint32_t>(u);
            do {
                *o++ = colonne + static_cast<uint32_t>(v >> 16) * pas;
                ++colonne;
                v += pente;
            } while (++u < us);
        } else {
            do {
                const Pixel p = enPixel(u, static_cast<int>(v >> 16));
                if (p.x >= gauche && p.x <= droite && p.y >= haut && p.y <= bas)
                    *o++ = static_cast<uint32_t>(p.y) * pas + static_cast<uint32_t>(p.x);
                v += pente;
            } while (++u < us);
        }
        nb_ = static_cast<size_t>(o - debut);
    }
    dernier_ = fin;
}

void TraitFin::Segment(int x1, int y1, int x2, int y2, int bouts) {
    // Most segments are wholly within the bounds, or beyond one side of them
    // (the rest of a zoomed curve): both without going through Rogner.
    if ((x1 < xmin_ && x2 <= xmin_) || (x1 > xmax_ && x2 >= xmax_)) {
        dernier_.x = INT_MIN;
        return;
    }
    if (x1 >= xmin_ && x1 <= xmax_ && x2 >= xmin_ && x2 <= xmax_) {
        if ((y1 < ymin_ && y2 <= ymin_) || (y1 > ymax_ && y2 >= ymax_)) {
            dernier_.x = INT_MIN;
            return;
        }
        if (y1 >= ymin_ && y1 <= ymax_ && y2 >= ymin_ && y2 <= ymax_) {
            Tracer(x1 * 64, y1 * 64, x2 * 64, y2 * 64, bouts);
            return;
        }
    }
    double rx1 = x1, ry1 = y1, rx2 = x2, ry2 = y2;
    if (Rogner(rx1, ry1, rx2, ry2)) return;
    Tracer(EnSoixanteQuatriemes(rx1), EnSoixanteQuatriemes(ry1), EnSoixanteQuatriemes(rx2),
           EnSoixanteQuatriemes(ry2), bouts);
}

}  // namespace orvane
