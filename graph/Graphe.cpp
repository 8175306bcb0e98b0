#include "graph/Graphe.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "graph/TraitFin.h"

namespace orvane {

namespace {

// Screen-like resolution when no surface is set.
constexpr int DpiParDefaut = 96;

int Borne(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -LimitePixel, LimitePixel)); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Lengths of the layout, from the surface's resolution.
struct Longueurs {
    int marge;  // 1.5 mm
    int a;      // 1 mm
    int b;      // 2 mm
    int plume;  // 0.3 mm
};

Longueurs LongueursDe(const TGraphe& g) {
    const int dpi = DpiSurface(g);
    const int a = dpi * 10 / 254;
    return {dpi * 15 / 254, a, 2 * a, dpi * 3 / 254};
}

int Largeur(const QPainter& p, const std::string& s) {
    return p.fontMetrics().horizontalAdvance(Q(s));
}

// Text with its top-left corner at (x, y).
void Texte(QPainter& p, int64_t x, int64_t y, const std::string& s) {
    p.drawText(QPoint(Borne(x), Borne(y + p.fontMetrics().ascent())), Q(s));
}

void Ligne(QPainter& p, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    p.drawLine(Borne(x1), Borne(y1), Borne(x2), Borne(y2));
}

void AppliquerPolice(TGraphe& g) {
    QFont f(Q(g.NomPolice));
    f.setPointSize(std::clamp(g.TaillePolice, 1, 1000));
    g.Surface->setFont(f);
}

QColor CouleurPalette(const TGraphe& g, int32_t indice) {
    return VersQColor(g.Palette[indice >= 0 && indice < 6 ? indice : 0]);
}

Qt::PenStyle StyleTrait(int32_t style) {
    switch (style) {
        case 1: return Qt::DashLine;
        case 2: return Qt::DotLine;
        case 3: return Qt::DashDotLine;
        case 4: return Qt::DashDotDotLine;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle StyleRemplissage(int32_t r) {
    switch (r) {
        case 1: return Qt::SolidPattern;
        case 2: return Qt::BDiagPattern;  // rising to the right
        case 3: return Qt::FDiagPattern;  // falling to the right
        case 4: return Qt::HorPattern;
        case 5: return Qt::VerPattern;
        case 6: return Qt::CrossPattern;
        case 7: return Qt::DiagCrossPattern;
        default: return Qt::NoBrush;
    }
}

// Pen and brush of a curve; markers always take a solid pen. Fills are in
// the background colour, as the background fill leaves the brush.
void AppliquerPlume(TGraphe& g, const TCourbeGraphe& c, bool solide) {
    QPainter& p = *g.Surface;
    const int64_t largeur = int64_t{DpiSurface(g)} * 3 * std::max(c.Epaisseur, 0) / 254;
    QPen plume(CouleurPalette(g, c.Couleur));
    plume.setWidth(static_cast<int>(std::clamp<int64_t>(largeur, 1, 1000)));
    plume.setStyle(solide ? Qt::SolidLine : StyleTrait(c.StyleTrait));
    plume.setCapStyle(Qt::RoundCap);
    plume.setJoinStyle(Qt::RoundJoin);
    p.setPen(plume);
    p.setBrush(QBrush(VersQColor(g.Fond), StyleRemplissage(c.Remplissage)));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Half size of the markers: 0.6 mm.
int DemiMarque(const TGraphe& g) { return DpiSurface(g) * 6 / 254; }

void DessinerMarque(QPainter& p, int32_t marque, int s, int x, int y) {
    const int t = s + 1;
    // Lines and the square cover x - s .. x + s, the pixels that end short of
    // x + t.
    switch (marque) {
        case 1:
            p.drawLine(x - s, y, x + s, y);
            p.drawLine(x, y - s, x, y + s);
            break;
        case 2:
            p.drawLine(x - s, y - s, x + s, y + s);
            p.drawLine(x + s, y - s, x - s, y + s);
            break;
        case 3: p.drawRect(x - s, y - s, 2 * s, 2 * s); break;
        case 4: {
            const QPoint losange[4] = {{x - t, y}, {x, y - t}, {x + t, y}, {x, y + t}};
            p.drawPolygon(losange, 4);
            break;
        }
        case 5: {
            const QPoint triangle[3] = {{x - t, y - t}, {x + t, y - t}, {x, y + t}};
            p.drawPolygon(triangle, 3);
            break;
        }
        default: break;
    }
}

// ---- curves on raster pictures ----
//
// A picture of 32-bit pixels painted without any transformation, opacity or
// antialiasing, and clipped to one rectangle at most: there a marker is the
// same set of pixels wherever it stands, but for its fill pattern, which
// repeats every 8 pixels from the picture's origin. The markers of a curve
// are then painted by copying the pixels QPainter itself gave the same
// marker at the same alignment of the pattern, in the order of the points:
// the picture is the one QPainter draws marker by marker. Markers reaching
// out of the clip are drawn by QPainter. On any other surface (printer,
// vector file, a moved or scaled painter) everything goes through QPainter.

struct CibleRaster {
    uint32_t* pixels = nullptr;
    qsizetype pas = 0;  // pixels from one line to the next
    QRect clip;         // the clip within the picture
    QRect image;
    bool direct = false;  // a format the painter writes an opaque pen into as is
};

bool Raster(QPainter& p, CibleRaster& c) {
    QPaintDevice* d = p.device();
    if (!d || d->devType() != QInternal::Image || !p.paintEngine() ||
        p.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    QImage& image = *static_cast<QImage*>(d);
    const QImage::Format f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
        f != QImage::Format_ARGB32_Premultiplied)
        return false;
    if (image.devicePixelRatio() != 1.0 || !p.deviceTransform().isIdentity() ||
        !p.combinedTransform().isIdentity() || p.opacity() != 1.0 ||
        p.testRenderHint(QPainter::Antialiasing) ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver ||
        p.brushOrigin() != QPoint(0, 0))
        return false;
    c.image = image.rect();
    c.clip = c.image;
    if (p.hasClipping()) {
        const QRegion r = p.clipRegion();
        if (r.rectCount() != 1) return false;
        c.clip &= r.boundingRect();
    }
    // The pixels QPainter paints into (the picture is not detached here).
    c.pixels = reinterpret_cast<uint32_t*>(const_cast<uchar*>(image.constBits()));
    c.pas = image.bytesPerLine() / 4;
    c.direct = f != QImage::Format_ARGB32;
    return true;
}

// The pixels of one marker at one alignment, relative to its point.
struct Empreinte {
    QRect cadre;  // empty: nothing painted
    std::vector<QPoint> points;
    std::vector<uint32_t> couleurs;
    std::vector<qsizetype> decalages;  // for the picture's line length `pas`
    qsizetype pas = -1;
};

// Every alignment of one marker in one pen and brush.
struct JeuEmpreintes {
    int32_t marque;
    int s;
    QPen plume;
    QBrush brosse;
    bool parMotif;  // the pixels depend on the alignment of a fill pattern
    bool valide;    // every pixel painted opaque
    std::array<Empreinte, 64> empreintes;
};

bool MotifAligne(int32_t marque, const QBrush& b) {
    return marque >= 3 && b.style() != Qt::NoBrush && b.style() != Qt::SolidPattern;
}

// Paints the marker at every alignment on a transparent picture, one cell
// each, and keeps the pixels of each cell.
void Relever(JeuEmpreintes& j) {
    const int portee = j.s + 1 + std::max(j.plume.width(), 1) + 2;
    const int demi = (portee + 7) / 8 * 8;
    const int cellule = 2 * demi + 1;  // 1 modulo 8: cell i starts on alignment i
    const int n = j.parMotif ? 8 : 1;
    QImage releve(n * cellule, n * cellule, QImage::Format_ARGB32_Premultiplied);
    releve.fill(0);
    {
        QPainter q(&releve);
        q.setPen(j.plume);
        q.setBrush(j.brosse);
        q.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (int ay = 0; ay < n; ++ay)
            for (int ax = 0; ax < n; ++ax)
                DessinerMarque(q, j.marque, j.s, ax * cellule + demi, ay * cellule + demi);
    }
    j.valide = true;
    for (int ay = 0; ay < n; ++ay)
        for (int ax = 0; ax < n; ++ax) {
            Empreinte& e = j.empreintes[static_cast<size_t>(ay * 8 + ax)];
            const int cx = ax * cellule + demi, cy = ay * cellule + demi;
            for (int y = cy - demi; y <= cy + demi; ++y) {
                const QRgb* ligne = reinterpret_cast<const QRgb*>(releve.constScanLine(y));
                for (int x = cx - demi; x <= cx + demi; ++x) {
                    const QRgb v = ligne[x];
                    if (qAlpha(v) == 0) continue;
                    if (qAlpha(v) != 255) j.valide = false;
                    e.points.emplace_back(x - cx, y - cy);
                    e.couleurs.push_back(v);
                    e.cadre |= QRect(x - cx, y - cy, 1, 1);
                }
            }
        }
}

// The markers of a look, taken once per thread and kept for the next curves
// (a few looks: five curves in a scheme and the cursor's).
JeuEmpreintes& Empreintes(int32_t marque, int s, const QPen& plume, const QBrush& brosse) {
    thread_local std::vector<std::unique_ptr<JeuEmpreintes>> jeux;
    for (auto& j : jeux)
        if (j->marque == marque && j->s == s && j->plume == plume && j->brosse == brosse) return *j;
    constexpr size_t NbJeux = 24;
    if (jeux.size() >= NbJeux) jeux.erase(jeux.begin());
    auto j = std::make_unique<JeuEmpreintes>();
    j->marque = marque;
    j->s = s;
    j->plume = plume;
    j->brosse = brosse;
    j->parMotif = MotifAligne(marque, brosse);
    Relever(*j);
    jeux.push_back(std::move(j));
    return *jeux.back();
}

void Imprimer(const CibleRaster& c, Empreinte& e, int x, int y) {
    if (e.pas != c.pas) {
        e.decalages.resize(e.points.size());
        for (size_t i = 0; i < e.points.size(); ++i)
            e.decalages[i] = e.points[i].y() * c.pas + e.points[i].x();
        e.pas = c.pas;
    }
    uint32_t* o = c.pixels + y * c.pas + x;
    const size_t n = e.decalages.size();
    const qsizetype* d = e.decalages.data();
    const uint32_t* v = e.couleurs.data();
    for (size_t i = 0; i < n; ++i) o[d[i]] = v[i];
}

// One XOR pass of the cursor: a second identical pass restores the picture.
// Only raster surfaces can do it; elsewhere the cursor is not drawn.
void PasseCurseur(TCurseur& k) {
    if (!k.Actif || k.Genre < 0 || !k.Surface || !k.Surface->isActive()) return;
    QPainter& p = *k.Surface;
    if (!p.paintEngine() || !p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    QPen plume(VersQColor(k.CouleurXor));
    if (k.Genre == 0) {
        plume.setWidth(5);
        plume.setCapStyle(Qt::RoundCap);
        p.setPen(plume);
        p.drawPoint(k.X, k.Y);
    } else if (k.Genre == 1) {
        plume.setWidth(1);
        plume.setStyle(StyleTrait(k.StylePlume));
        plume.setCapStyle(Qt::FlatCap);
        p.setPen(plume);
        const QRect& r = k.Cadre;
        p.drawLine(r.left(), k.Y, r.left() + r.width() - 1, k.Y);
        p.drawLine(k.X, r.top(), k.X, r.top() + r.height() - 1);
    }
    p.restore();
}

void PlacerCurseur(TGraphe& g, int32_t x, int32_t y) {
    TCurseur& k = g.Curseur;
    if (!k.Actif) return;
    if (k.Trace) PasseCurseur(k);
    k.Trace = false;
    k.X = x;
    k.Y = y;
    if (!g.Pret) return;
    PasseCurseur(k);
    k.Trace = true;
}

// Pixel of a value on an axis, as PixelX / PixelY give it, in 64-bit
// arithmetic: the product of a value's distance from the origin (int32
// values) by the pixel step cannot overflow for any scale a graph lays out;
// a scale beyond that keeps their 128-bit arithmetic.
class Projection {
public:
    Projection(const TEchelleAxe& e, bool vertical) : e_(e), vertical_(vertical) {
        constexpr int64_t Limite = int64_t{1} << 33;
        rapide_ = e.Pas >= 1 && std::abs(e.Origine) <= Limite &&
                  std::abs(e.PixPas) <= Limite / 32 && std::abs(e.PixOrigine) <= Limite;
    }
    int32_t operator()(int64_t v) const {
        if (!rapide_) return vertical_ ? PixelY(e_, v) : PixelX(e_, v);
        const int64_t d = (v - e_.Origine) * e_.PixPas / e_.Pas;
        return VersInt32(vertical_ ? e_.PixOrigine - d : d + e_.PixOrigine);
    }

private:
    const TEchelleAxe& e_;
    bool vertical_;
    bool rapide_;
};

// Working room of the curves, kept from one curve to the next.
struct Travail {
    std::vector<int64_t> fx, fy;  // smoothed pixels
    std::vector<QPoint> ligne;
    std::vector<QLine> traits;
    std::vector<int> haut, bas;  // stems' ends by column
};

// A pen that QPainter draws one pixel wide on an untransformed raster
// picture.
bool Fin(const QPen& p) { return p.widthF() <= 1; }
thread_local Travail travail;

// Pixels of the points of a curve, clamped.
struct PixelsCourbe {
    const std::vector<int>& x;
    const std::vector<int>& y;
};

void TracerMarques(TGraphe& g, int32_t marque, PixelsCourbe t, int premier, int dernierTrace,
                   const CibleRaster* raster) {
    if (marque < 1 || marque > 5) return;
    QPainter& p = *g.Surface;
    const int s = DemiMarque(g);
    JeuEmpreintes* jeu = raster ? &Empreintes(marque, s, p.pen(), p.brush()) : nullptr;
    if (jeu && !jeu->valide) jeu = nullptr;
    for (int i = premier; i <= dernierTrace; ++i) {
        const int x = t.x[static_cast<size_t>(i)], y = t.y[static_cast<size_t>(i)];
        if (jeu) {
            Empreinte& e =
                jeu->empreintes[jeu->parMotif ? static_cast<size_t>((y & 7) * 8 + (x & 7)) : 0];
            const QRect place = e.cadre.translated(x, y);
            if (raster->clip.contains(place)) {
                Imprimer(*raster, e, x, y);
                continue;
            }
            if (!raster->clip.intersects(place)) continue;  // wholly clipped
        }
        DessinerMarque(p, marque, s, x, y);
    }
}

// Weights of the 8 points of an interval (PoidsDebut, PoidsMilieu, PoidsFin).
struct TablesSpline {
    int64_t debut[8][3], milieu[8][4], fin[8][3];
};
const TablesSpline& Tables() {
    static const TablesSpline tables = [] {
        TablesSpline r{};
        for (int k = 1; k <= 8; ++k) {
            const PoidsSpline d = PoidsDebut(k), m = PoidsMilieu(k), f = PoidsFin(k);
            for (size_t j = 0; j < 4; ++j) {
                if (j < 3) r.debut[k - 1][j] = d.Poids[j];
                if (j < 3) r.fin[k - 1][j] = f.Poids[j];
                r.milieu[k - 1][j] = m.Poids[j];
            }
        }
        return r;
    }();
    return tables;
}

// Filtrer of Echelle, into `b`.
template <class T>
void Lisser(const std::vector<T>& a, int dernier, int n, std::vector<int64_t>& b) {
    b.assign(a.begin(), a.end());
    dernier = std::min(dernier, static_cast<int>(a.size()) - 1);
    for (int i = 1; i < dernier; ++i) {
        const int demi = std::min({n / 2, i, dernier - i});
        const T* p = a.data() + i;
        const int64_t m3 = demi >= 3 ? int64_t{p[-3]} + p[3] : 0;
        if (demi >= 3)
            b[static_cast<size_t>(i)] = (m3 + 8 * (int64_t{p[-2]} + p[2]) +
                                         12 * (int64_t{p[-1]} + p[1]) + 22 * int64_t{p[0]}) /
                                        64;
        else if (demi == 2)
            b[static_cast<size_t>(i)] = (int64_t{p[-2]} + 4 * int64_t{p[-1]} + 6 * int64_t{p[0]} +
                                         4 * int64_t{p[1]} + p[2]) /
                                        16;
        else if (demi == 1)
            b[static_cast<size_t>(i)] = (int64_t{p[-1]} + 2 * int64_t{p[0]} + p[1]) / 4;
    }
}

// PointsSpline of Echelle, clamped, into `ligne`.
template <class T>
void Spline(const T* px, const T* py, int premier, int dernierTrace, int dernier,
            std::vector<QPoint>& ligne) {
    const auto point = [&](int i) { return QPoint(Borne(px[i]), Borne(py[i])); };
    if (premier > dernierTrace || dernier < 2) {
        ligne.clear();
        if (premier > dernierTrace) return;
        ligne.push_back(point(premier));
        if (dernierTrace > premier) ligne.push_back(point(dernierTrace));
        return;
    }
    // Only the part beyond the room already there gets initialised.
    ligne.resize(1 + 8 * static_cast<size_t>(dernierTrace - premier));
    QPoint* o = ligne.data();
    *o++ = point(premier);
    const TablesSpline& w = Tables();
    for (int i = premier; i < dernierTrace; ++i) {
        if (i == 0 || i == dernier - 1) {
            const int a = i == 0 ? 0 : dernier - 2;
            const auto& poids = i == 0 ? w.debut : w.fin;
            const int64_t x0 = px[a], x1 = px[a + 1], x2 = px[a + 2];
            const int64_t y0 = py[a], y1 = py[a + 1], y2 = py[a + 2];
            for (int k = 0; k < 8; ++k) {
                const int64_t* q = poids[k];
                *o++ = QPoint(Borne((q[0] * x0 + q[1] * x1 + q[2] * x2) / 128),
                              Borne((q[0] * y0 + q[1] * y1 + q[2] * y2) / 128));
            }
        } else {
            const int64_t x0 = px[i - 1], x1 = px[i], x2 = px[i + 1], x3 = px[i + 2];
            const int64_t y0 = py[i - 1], y1 = py[i], y2 = py[i + 1], y3 = py[i + 2];
            for (int k = 0; k < 8; ++k) {
                const int64_t* q = w.milieu[k];
                *o++ = QPoint(Borne((q[0] * x0 + q[1] * x1 + q[2] * x2 + q[3] * x3) / 1024),
                              Borne((q[0] * y0 + q[1] * y1 + q[2] * y2 + q[3] * y3) / 1024));
            }
        }
    }
}

// PointsLigne of Echelle for modes 1..5, clamped, into t.ligne.
void PointsDeLigne(int mode, PixelsCourbe c, Travail& t, int premier, int dernierTrace,
                   int dernier) {
    dernierTrace = std::min(dernierTrace, dernier);
    if (mode == 1) {
        t.ligne.resize(static_cast<size_t>(std::max(dernierTrace - premier + 1, 0)));
        for (int i = premier; i <= dernierTrace; ++i)
            t.ligne[static_cast<size_t>(i - premier)] =
                QPoint(c.x[static_cast<size_t>(i)], c.y[static_cast<size_t>(i)]);
    } else if (mode == 2) {
        Spline(c.x.data(), c.y.data(), premier, dernierTrace, dernier, t.ligne);
    } else {
        const int n = 2 * mode - 3;  // 3, 5, 7 points
        Lisser(c.x, dernier, n, t.fx);
        Lisser(c.y, dernier, n, t.fy);
        Spline(t.fx.data(), t.fy.data(), premier, dernierTrace, dernier, t.ligne);
    }
}

// Leaves out of a polyline drawn with a thin pen on a raster picture the
// points that change nothing there: a point that repeats the one before
// (a segment of no length draws nothing) and, with a solid pen, a point in
// the middle of a straight run of one-pixel steps (the run drawn as one
// segment covers the same pixels). Only points within the picture, whose
// segments are not clipped, and never the first two nor the last one, where
// the line's caps are.
void Simplifier(std::vector<QPoint>& l, const QRect& image, bool solide) {
    const size_t taille = l.size();
    if (taille < 4) return;
    QPoint* p = l.data();
    const int gauche = image.left(), droite = image.right();
    const int haut = image.top(), bas = image.bottom();
    const auto dedans = [=](QPoint q) {
        return q.x() >= gauche && q.x() <= droite && q.y() >= haut && q.y() <= bas;
    };
    size_t n = 2;
    QPoint avant = p[1];  // the point before p[i] in the original line
    bool avantDedans = dedans(avant);
    // Without branches: the points come in no predictable order.
    for (size_t i = 2; i + 1 < taille; ++i) {
        const QPoint q = p[i], apres = p[i + 1], pas = q - avant;
        const bool qDedans = dedans(q);
        const bool unitaire = (static_cast<unsigned>(pas.x() + 1) <= 2u) &
                              (static_cast<unsigned>(pas.y() + 1) <= 2u) & (apres - q == pas) &
                              avantDedans & dedans(apres);
        const bool inutile = qDedans & ((q == p[n - 1]) | (solide & unitaire));
        avant = q;
        avantDedans = qDedans;
        p[n] = q;
        n += !inutile;
    }
    p[n++] = p[taille - 1];
    l.resize(n);
}

// The last curves drawn, each with what it is made from (its values up to
// its last point and the two scales), the pixels of its points and its
// line, with what the line is made from besides (the mode, the range and,
// for a thin pen, the picture and the pen's style). A redraw of the same
// curves at the same scale (the window shown again, a point selected, a
// view drawn again) takes them as they are; anything else makes them again.
struct LigneGardee {
    int mode, premier, dernierTrace;
    QRect image;
    bool solide;
    bool direct;  // drawn by TraitFin
    bool operator==(const LigneGardee&) const = default;
};
// The pixels of a line drawn by TraitFin, and where.
struct ClePixels {
    QRect image, clip;
    qsizetype pas;
    bool bouts;
    bool operator==(const ClePixels&) const = default;
};
struct CourbeGardee {
    TEchelleAxe echelleX, echelleY;
    std::vector<int32_t> x, y;
    std::vector<int> px, py;
    bool ligneFaite = false;
    LigneGardee cleLigne{};
    std::vector<QPoint> ligne;
    bool pixelsFaits = false;
    ClePixels clePixels{};
    std::vector<uint32_t> pixels;
    uint64_t usage = 0;
};
struct CourbesGardees {
    std::vector<CourbeGardee> entrees;
    uint64_t horloge = 0;
};
thread_local CourbesGardees courbesGardees;

// The kept curve of these values at these scales; made (pixels only) in
// place of the least recently used one when there is none.
CourbeGardee& CourbeDe(const TGraphe& g, const TCourbeGraphe& c, int dernier) {
    CourbesGardees& k = courbesGardees;
    const auto n = static_cast<std::ptrdiff_t>(dernier) + 1;
    const auto memes = [&](const CourbeGardee& e) {
        return e.echelleX == g.X && e.echelleY == g.Y && e.x.size() == static_cast<size_t>(n) &&
               std::equal(c.X + 1, c.X + 1 + n, e.x.begin()) &&
               std::equal(c.Y + 1, c.Y + 1 + n, e.y.begin());
    };
    for (CourbeGardee& e : k.entrees)
        if (memes(e)) {
            e.usage = ++k.horloge;
            return e;
        }
    // Four views of five curves, the frames' own and a few more.
    constexpr size_t NbCourbes = 32;
    if (k.entrees.size() < NbCourbes) k.entrees.emplace_back();
    CourbeGardee& e = *std::min_element(
        k.entrees.begin(), k.entrees.end(),
        [](const CourbeGardee& a, const CourbeGardee& b) { return a.usage < b.usage; });
    e.echelleX = g.X;
    e.echelleY = g.Y;
    e.x.assign(c.X + 1, c.X + 1 + n);
    e.y.assign(c.Y + 1, c.Y + 1 + n);
    e.px.resize(static_cast<size_t>(n));
    e.py.resize(e.px.size());
    const Projection versX(g.X, false), versY(g.Y, true);
    for (int i = 0; i <= dernier; ++i) {
        e.px[static_cast<size_t>(i)] = Borne(versX(c.X[i + 1]));
        e.py[static_cast<size_t>(i)] = Borne(versY(c.Y[i + 1]));
    }
    e.ligneFaite = false;
    e.pixelsFaits = false;
    e.usage = ++k.horloge;
    return e;
}

// A polyline in a solid, opaque pen one pixel wide, written into the
// picture by TraitFin; false when it is left to QPainter.
bool TraitDirect(const QPainter& p, const CibleRaster& c) {
    const QPen& plume = p.pen();
    return c.direct && (plume.widthF() == 1 || plume.widthF() == 0) &&
           plume.style() == Qt::SolidLine && plume.brush().style() == Qt::SolidPattern &&
           plume.color().alpha() == 255;
}

bool PolyligneDirecte(const QPainter& p, const CibleRaster& c, CourbeGardee& gardee) {
    const std::vector<QPoint>& l = gardee.ligne;
    if (!TraitDirect(p, c) || l.front() == l.back()) return false;
    const QPen& plume = p.pen();
    ImageBrute image;
    image.pixels = c.pixels;
    image.pas = c.pas;
    image.largeur = c.image.width();
    image.hauteur = c.image.height();
    image.gauche = c.clip.left();
    image.haut = c.clip.top();
    image.droite = c.clip.right();
    image.bas = c.clip.bottom();
    const ClePixels cle{c.image, c.clip, c.pas, plume.capStyle() != Qt::FlatCap};
    if (!gardee.pixelsFaits || !(gardee.clePixels == cle)) {
        gardee.pixels.clear();
        TraitFin(image, cle.bouts, gardee.pixels).Polyligne(l.data(), l.size());
        gardee.clePixels = cle;
        gardee.pixelsFaits = true;
    }
    TraitFin::Peindre(image, gardee.pixels, plume.color().rgba());
    return true;
}

// The stems of a curve drawn with a thin solid pen on a raster picture: in
// each column of the picture, on each side of the zero line, the longest
// stem covers the pixels of the shorter ones, which are left out.
void PlusLongsTraits(std::vector<QLine>& traits, const QRect& image, int y0, std::vector<int>& haut,
                     std::vector<int>& bas) {
    const int largeur = image.width();
    haut.assign(static_cast<size_t>(largeur), y0);
    bas.assign(static_cast<size_t>(largeur), y0);
    size_t n = 0;
    for (const QLine& l : traits) {
        const int x = l.x1() - image.left();
        if (x < 0 || x >= largeur) {
            traits[n++] = l;
            continue;
        }
        int& bout = l.y2() < y0 ? haut[static_cast<size_t>(x)] : bas[static_cast<size_t>(x)];
        bout = l.y2() < y0 ? std::min(bout, l.y2()) : std::max(bout, l.y2());
    }
    for (int x = 0; x < largeur; ++x) {
        const int xi = x + image.left();
        if (haut[static_cast<size_t>(x)] != y0)
            traits[n++] = QLine(xi, y0, xi, haut[static_cast<size_t>(x)]);
        if (bas[static_cast<size_t>(x)] != y0)
            traits[n++] = QLine(xi, y0, xi, bas[static_cast<size_t>(x)]);
    }
    traits.resize(n);
}

}  // namespace

QColor VersQColor(TCouleur c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

SurfaceGraphe::SurfaceGraphe(TGraphe& g, QPainter& p) : g_(g) {
    g_.Surface = &p;
    g_.Curseur.Surface = &p;
}

SurfaceGraphe::~SurfaceGraphe() {
    g_.Surface = nullptr;
    g_.Curseur.Surface = nullptr;
}

int32_t DpiSurface(const TGraphe& g) {
    if (!g.Surface || !g.Surface->device()) return DpiParDefaut;
    const int dpi = g.Surface->device()->logicalDpiX();
    return dpi > 0 ? dpi : DpiParDefaut;
}

void initgraphe(TGraphe& g) {
    g.Pret = false;
    const int64_t largeur = int64_t{g.Droite} - g.Gauche;
    const int64_t hauteur = int64_t{g.Bas} - g.Haut;
    if (!g.Surface || !g.Surface->isActive() || largeur <= 100 || hauteur <= 100) return;

    if (g.TaillePolice <= 1) g.TaillePolice = static_cast<int32_t>(largeur / 200 + 5);
    AppliquerPolice(g);
    const QPainter& p = *g.Surface;
    const int64_t m = LongueursDe(g).marge;
    const int64_t h = p.fontMetrics().height();

    PreparerEchelle(g.X, g.ConfigX);
    PreparerEchelle(g.Y, g.ConfigY);

    // The vertical scale does not depend on the horizontal one: it comes
    // first, so that its labels are known when the room on the left is set.
    g.Y.Debut = g.Haut + 2 * (h + m);
    g.Y.Fin = g.Bas - (h + m);
    g.Y.Longueur = std::abs(g.Y.Fin - g.Y.Debut);
    calculechelle(g.Y, true);

    // Room on the left for the labels of the vertical axis, on the right for
    // the horizontal axis' name and unit.
    const auto placerX = [&g, &p, m](int64_t w) {
        g.X.Debut = g.Gauche + w + m;
        g.X.Fin = g.Droite -
                  std::max(Largeur(p, "(" + g.ConfigX.Unite + ")"), Largeur(p, g.ConfigX.Nom)) - m;
        g.X.Longueur = std::abs(g.X.Fin - g.X.Debut);
        calculechelle(g.X, false);
    };
    placerX(g.ConfigY.Decimales > 0 ? Largeur(p, "-00,00")
                                    : Largeur(p, std::to_string(g.Y.Etendue)));
    // The labels end 2 mm left of the vertical axis, which stands only
    // 1.5 mm past that room, and they may be wider than "-00,00" (three
    // decimals, five digits, a minus sign): when one of them would start
    // left of the rectangle, where a clipped surface cuts it, the room grows
    // to the widest label. Views whose labels fit keep their layout.
    const int64_t b = 2 * LongueursDe(g).a;
    int64_t plusLarge = 0;
    for (const Graduation& t : GraduationsY(g.Y))
        plusLarge = std::max<int64_t>(plusLarge, Largeur(p, t.Libelle));
    if (g.X.PixOrigine - plusLarge - b < g.Gauche) placerX(plusLarge + b - m);

    // Takes the cursor image off before the picture is painted over.
    choixcurseur(g, g.GenreCurseur, g.CouleurCurseur);
    g.Pret = true;
}

void effacegraphe(TGraphe& g) {
    if (!g.Pret || !g.Surface) return;
    QPainter& p = *g.Surface;
    const QColor fond = VersQColor(g.Fond);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(fond));
    p.setBrush(QBrush(fond));
    AppliquerPolice(g);
    p.fillRect(QRect(g.Gauche, g.Haut, g.Droite - g.Gauche, g.Bas - g.Haut), fond);
}

void traceaxes(TGraphe& g) {
    if (!g.Pret || !g.Surface) return;
    effacegraphe(g);
    QPainter& p = *g.Surface;
    const Longueurs l = LongueursDe(g);
    const int64_t a = l.a, b = l.b;
    QPen plume(CouleurPalette(g, 0));
    plume.setWidth(l.plume);
    p.setPen(plume);
    p.setBrush(Qt::NoBrush);
    const int64_t h = p.fontMetrics().height();
    const int64_t ya = g.Y.PixOrigine;
    const int64_t xa = g.X.PixOrigine;
    const int64_t gauche = g.Gauche, haut = g.Haut, droite = g.Droite, bas = g.Bas;

    // Horizontal axis, arrow, name above the arrow end, unit below it.
    Ligne(p, gauche + a, ya, droite - a, ya);
    Ligne(p, droite - b - a, ya - a, droite - a, ya);
    Ligne(p, droite - a, ya, droite - b - a, ya + a);
    Texte(p, droite - Largeur(p, g.ConfigX.Nom) - a, ya - a - h, g.ConfigX.Nom);
    const std::string uniteX = TexteUnite(g.ConfigX, g.X);
    Texte(p, droite - Largeur(p, uniteX) - a, ya + a, uniteX);

    const auto largeur = [&p](const std::string& s) { return int64_t{Largeur(p, s)}; };
    for (const Graduation& t : GraduationsX(g.X, a, largeur)) {
        Texte(p, t.Pixel - Largeur(p, t.Libelle) / 2, ya + a + 1, t.Libelle);
        Ligne(p, t.Pixel, ya, t.Pixel, ya + b);
    }

    // Vertical axis, arrow, name and unit beside the arrow end.
    Ligne(p, xa, bas - a, xa, haut + a);
    Ligne(p, xa - a, haut + a + b, xa, haut + a);
    Ligne(p, xa, haut + a, xa + a, haut + a + b);
    Texte(p, xa + a, haut + a, g.ConfigY.Nom);
    Texte(p, xa + a, haut + b + h, TexteUnite(g.ConfigY, g.Y));

    for (const Graduation& t : GraduationsY(g.Y)) {
        Texte(p, xa - Largeur(p, t.Libelle) - b, t.Pixel - h / 2, t.Libelle);
        Ligne(p, xa, t.Pixel, xa - b, t.Pixel);
    }
}

int32_t pixelx(const TGraphe& g, int64_t v) { return PixelX(g.X, v); }
int32_t pixely(const TGraphe& g, int64_t v) { return PixelY(g.Y, v); }

void tracecourbegraphe(TGraphe& g, const TCourbeGraphe& c) {
    if (!g.Pret || !g.Surface || c.Dernier < 0) return;
    QPainter& p = *g.Surface;
    const int dernier = std::min<int>(c.Dernier, DernierPointMax);
    const int premier = std::max<int>(c.PremierTrace, 0);
    const int dernierTrace = std::min<int>(c.DernierTrace, dernier);

    masquecurseur(g);
    Travail& t = travail;
    CourbeGardee& gardee = CourbeDe(g, c, dernier);
    const PixelsCourbe pixels{gardee.px, gardee.py};
    const Projection versY(g.Y, true);
    CibleRaster raster;
    const bool surRaster = Raster(p, raster);

    if (c.Marque >= 0) {
        AppliquerPlume(g, c, true);
        TracerMarques(g, c.Marque, pixels, premier, dernierTrace, surRaster ? &raster : nullptr);
    }

    AppliquerPlume(g, c, false);
    const int mode = ModeEffectif(c.Lissage, dernier);
    if (mode == 0) {
        // Stems from the zero line, in one call: they share the pen.
        const int y0 = Borne(versY(0));
        t.traits.clear();
        for (int i = premier; i <= dernierTrace; ++i) {
            const size_t k = static_cast<size_t>(i);
            if (pixels.y[k] != y0) t.traits.emplace_back(pixels.x[k], y0, pixels.x[k], pixels.y[k]);
        }
        if (surRaster && Fin(p.pen()) && p.pen().style() == Qt::SolidLine)
            PlusLongsTraits(t.traits, raster.image, y0, t.haut, t.bas);
        if (!t.traits.empty()) p.drawLines(t.traits.data(), static_cast<int>(t.traits.size()));
    } else if (mode > 0) {
        const bool simplifier = surRaster && Fin(p.pen());
        const LigneGardee cle{mode,
                              premier,
                              dernierTrace,
                              simplifier ? raster.image : QRect(),
                              simplifier && p.pen().style() == Qt::SolidLine,
                              surRaster && TraitDirect(p, raster)};
        if (!gardee.ligneFaite || !(gardee.cleLigne == cle)) {
            PointsDeLigne(mode, pixels, t, premier, dernierTrace, dernier);
            if (simplifier) Simplifier(t.ligne, raster.image, cle.solide);
            if (cle.direct)
                t.ligne.resize(TraitFin::Elaguer(t.ligne.data(), t.ligne.size(),
                                                 raster.image.width(), raster.image.height()));
            gardee.ligne.assign(t.ligne.begin(), t.ligne.end());
            gardee.cleLigne = cle;
            gardee.ligneFaite = true;
            gardee.pixelsFaits = false;
        }
        const std::vector<QPoint>& ligne = gardee.ligne;
        if (ligne.size() >= 2 && !(cle.direct && PolyligneDirecte(p, raster, gardee)))
            p.drawPolyline(ligne.data(), static_cast<int>(ligne.size()));
    }
    retracecurseur(g);
}

void oublielignes() { courbesGardees = {}; }

void tracepointcourbe(TGraphe& g, int p, const TCourbeGraphe& c) {
    if (!g.Pret || !g.Surface || p < 0 || p > DernierPointMax || c.Marque < 0) return;
    AppliquerPlume(g, c, true);
    DessinerMarque(*g.Surface, c.Marque, DemiMarque(g), Borne(pixelx(g, c.X[p + 1])),
                   Borne(pixely(g, c.Y[p + 1])));
}

int pointproche(const TGraphe& g, int x, int y, const TCourbeGraphe& c) {
    if (!g.Pret || c.DernierTrace < 0) return -1;
    const int dernier = std::min<int>(c.DernierTrace, DernierPointMax);
    std::vector<int64_t> px(static_cast<size_t>(dernier) + 1), py(px.size());
    for (int i = 0; i <= dernier; ++i) {
        px[static_cast<size_t>(i)] = Borne(pixelx(g, c.X[i + 1]));
        py[static_cast<size_t>(i)] = Borne(pixely(g, c.Y[i + 1]));
    }
    return PointProche(px, py, c.PremierTrace, dernier, x, y);
}

// ---- cursor ----

void choixcurseur(TGraphe& g, int32_t genre, int32_t indicePalette) {
    masquecurseur(g);
    TCurseur& k = g.Curseur;
    const int32_t indice = indicePalette >= 0 && indicePalette < 6 ? indicePalette : 0;
    k.Surface = g.Surface;
    k.Cadre = QRect(g.Gauche, g.Haut, g.Droite - g.Gauche, g.Bas - g.Haut);
    k.Genre = genre;
    k.CouleurXor = (g.Fond ^ g.Palette[indice]) & 0x00FFFFFF;
    k.StylePlume = genre == 1 ? 2 : 0;  // dotted cross-hair, solid dot
    k.X = 0;
    k.Y = 0;
    k.Trace = false;
    // The next layout keeps this look.
    g.GenreCurseur = genre;
    g.CouleurCurseur = indice;
}

void curseurvaleur(TGraphe& g, int64_t x, int64_t y) {
    g.Curseur.Actif = true;
    g.CurseurX = x;
    g.CurseurY = y;
    PlacerCurseur(g, Borne(pixelx(g, x)), Borne(pixely(g, y)));
}

void retracecurseur(TGraphe& g) {
    PlacerCurseur(g, Borne(pixelx(g, g.CurseurX)), Borne(pixely(g, g.CurseurY)));
}

void masquecurseur(TGraphe& g) {
    TCurseur& k = g.Curseur;
    if (k.Actif && k.Trace) PasseCurseur(k);
    k.Trace = false;
}

void eteintcurseur(TGraphe& g) {
    masquecurseur(g);
    g.CurseurX = 0;
    g.CurseurY = 0;
    g.Curseur.X = 0;
    g.Curseur.Y = 0;
    g.Curseur.Actif = false;
}

}  // namespace orvane
