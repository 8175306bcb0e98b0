#pragma once
// Polylines one pixel wide, without antialiasing, in an opaque colour on a
// 32-bit picture.
//
// The pixels are exactly those the raster painter lights for a solid pen one
// pixel wide with integer points: the same half-pixel rounding of the ends,
// the same caps, the same care at the joins (a pixel shared by two segments
// is written once, a pixel missing where a line turns is added, a segment
// that follows one in the opposite direction gets a cap at its start) and
// the same rough clipping against the picture, whose pixels are then kept
// within the clip rectangle. A line that closes on its first point is joined
// differently by the painter and is left to it.
//
// TraitFin finds the pixels (their places in the picture's memory) and
// Peindre writes them in a colour: the curves of a plot keep the pixels of
// their lines and, drawn again unchanged, only write them.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

struct ImageBrute {
    uint32_t* pixels = nullptr;
    std::ptrdiff_t pas = 0;  // pixels from one line to the next
    int largeur = 0, hauteur = 0;
    // Clip rectangle, bounds included, within the picture.
    int gauche = 0, haut = 0, droite = -1, bas = -1;
};

class TraitFin {
public:
    // `bouts`: the pen has caps (any cap but a flat one), half a pixel more
    // at both ends of the line. The places of the pixels found are added to
    // `pixels` (y x pas + x; a pixel may come twice).
    TraitFin(const ImageBrute& image, bool bouts, std::vector<uint32_t>& pixels);

    // Writes the pixels found into the picture.
    static void Peindre(const ImageBrute& image, const std::vector<uint32_t>& pixels,
                        uint32_t couleur) {
        for (const uint32_t i : pixels) image.pixels[i] = couleur;
    }

    // The pixels of a polyline of `n` points; P has x() and y(). False, with
    // none found, for a line that closes on its first point.
    template <class P>
    bool Polyligne(const P* points, size_t n) {
        if (n < 2) return true;
        if (points[0].x() == points[n - 1].x() && points[0].y() == points[n - 1].y()) return false;
        Debut();
        for (size_t i = 1; i < n; ++i) {
            const int bouts =
                (bouts_ && i == 1 ? DebutBout : 0) | (bouts_ && i == n - 1 ? FinBout : 0);
            Segment(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), bouts);
        }
        pixels_.resize(nb_);
        return true;
    }

    // Leaves out of a polyline to be drawn here into a picture of that size
    // the points that change nothing: the middle point of two segments that
    // both lie beyond the same side of the picture (the line of the two
    // together lies there too, and a segment there draws nothing whatever
    // its length). The first and the last points stay. The new size.
    template <class P>
    static size_t Elaguer(P* points, size_t n, int largeur, int hauteur) {
        if (n < 3) return n;
        const int xmin = -1, xmax = largeur + 1, ymin = -1, ymax = hauteur + 1;
        // Beyond which side a point lies; 0 within. Left and right are
        // strict, as a segment starting on the bound is drawn.
        const auto cote = [=](const P& p) {
            if (p.x() < xmin) return 1;
            if (p.x() > xmax) return 2;
            if (p.y() < ymin) return 4;
            if (p.y() > ymax) return 8;
            return 0;
        };
        size_t k = 1;  // points kept
        for (size_t i = 1; i + 1 < n; ++i) {
            const int a = cote(points[k - 1]), b = cote(points[i]);
            if (a != 0 && a == b && a == cote(points[i + 1])) continue;
            points[k++] = points[i];
        }
        points[k++] = points[n - 1];
        return k;
    }

    enum Bouts { DebutBout = 1, FinBout = 2 };

private:
    enum Sens {
        Aucun = 0,
        VersLeBas = 1,
        VersLeHaut = 2,
        VersLaDroite = 4,
        VersLaGauche = 8,
        Vertical = 3,
        Horizontal = 12
    };
    struct Pixel {
        int x, y;
    };

    void Debut();
    bool Rogner(double& x1, double& y1, double& x2, double& y2);
    void Segment(int x1, int y1, int x2, int y2, int bouts);
    // Ends in 1/64 pixel.
    void Tracer(int x1, int y1, int x2, int y2, int bouts);

    ImageBrute image_;
    bool bouts_;
    std::vector<uint32_t>& pixels_;  // grown ahead by large steps: the first nb_ are found
    size_t nb_;
    int xmin_, xmax_, ymin_, ymax_;
    Pixel dernier_{INT_MIN, INT_MIN};  // last pixel of the segment before
    int sens_ = Aucun;                 // and its direction
    bool aligne_ = false;              // and whether it is nearly axis-aligned
};

}  // namespace orvane
