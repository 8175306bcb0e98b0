#include "graph/Graphe.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <vector>

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

void DessinerMarque(TGraphe& g, int32_t marque, int64_t px, int64_t py) {
    QPainter& p = *g.Surface;
    const int s = DpiSurface(g) * 6 / 254;  // 0.6 mm
    const int t = s + 1;
    const int x = Borne(px), y = Borne(py);
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
    std::vector<int64_t> px(static_cast<size_t>(dernier) + 1), py(px.size());
    for (int i = 0; i <= dernier; ++i) {
        px[static_cast<size_t>(i)] = Borne(pixelx(g, c.X[i + 1]));
        py[static_cast<size_t>(i)] = Borne(pixely(g, c.Y[i + 1]));
    }

    if (c.Marque >= 0) {
        AppliquerPlume(g, c, true);
        for (int i = premier; i <= dernierTrace; ++i)
            DessinerMarque(g, c.Marque, px[static_cast<size_t>(i)], py[static_cast<size_t>(i)]);
    }

    AppliquerPlume(g, c, false);
    const int mode = ModeEffectif(c.Lissage, dernier);
    if (mode == 0) {
        // Stems from the zero line.
        const int64_t y0 = Borne(pixely(g, 0));
        for (int i = premier; i <= dernierTrace; ++i) {
            const size_t k = static_cast<size_t>(i);
            if (py[k] != y0) Ligne(p, px[k], y0, px[k], py[k]);
        }
    } else if (mode > 0) {
        const std::vector<PointPixel> ligne =
            PointsLigne(mode, px, py, premier, dernierTrace, dernier);
        if (ligne.size() >= 2) {
            QPolygon poly(static_cast<int>(ligne.size()));
            for (size_t i = 0; i < ligne.size(); ++i)
                poly[static_cast<int>(i)] = QPoint(Borne(ligne[i].x), Borne(ligne[i].y));
            p.drawPolyline(poly);
        }
    }
    retracecurseur(g);
}

void tracepointcourbe(TGraphe& g, int p, const TCourbeGraphe& c) {
    if (!g.Pret || !g.Surface || p < 0 || p > DernierPointMax || c.Marque < 0) return;
    AppliquerPlume(g, c, true);
    DessinerMarque(g, c.Marque, pixelx(g, c.X[p + 1]), pixely(g, c.Y[p + 1]));
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
