// The curves drawn by the plotting component, pixel for pixel against a
// reference drawing kept here: every marker, stem and line drawn one
// primitive at a time through QPainter, with the line points of PointsLigne.
// Whatever the component does to draw faster must leave every pixel as the
// reference puts it, on the screen's back buffer, on exported pictures at
// other resolutions and on painters that are clipped or moved.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <limits>
#include <memory>
#include <vector>

#include "EtudePleine.h"
#include "graph/Graphe.h"
#include "graph/Vue.h"
#include "study/Study.h"

using namespace orvane;

namespace reference {

int Borne(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -LimitePixel, LimitePixel)); }

Qt::PenStyle StyleTrait(int32_t style) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    return style >= 1 && style <= 4 ? styles[style] : Qt::SolidLine;
}

Qt::BrushStyle StyleRemplissage(int32_t r) {
    static const Qt::BrushStyle styles[] = {Qt::NoBrush,      Qt::SolidPattern,    Qt::BDiagPattern,
                                            Qt::FDiagPattern, Qt::HorPattern,      Qt::VerPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return r >= 1 && r <= 7 ? styles[r] : Qt::NoBrush;
}

void Plume(TGraphe& g, const TCourbeGraphe& c, bool solide) {
    QPainter& p = *g.Surface;
    const int64_t largeur = int64_t{DpiSurface(g)} * 3 * std::max(c.Epaisseur, 0) / 254;
    const int indice = c.Couleur >= 0 && c.Couleur < 6 ? c.Couleur : 0;
    QPen plume(VersQColor(g.Palette[indice]));
    plume.setWidth(static_cast<int>(std::clamp<int64_t>(largeur, 1, 1000)));
    plume.setStyle(solide ? Qt::SolidLine : StyleTrait(c.StyleTrait));
    plume.setCapStyle(Qt::RoundCap);
    plume.setJoinStyle(Qt::RoundJoin);
    p.setPen(plume);
    p.setBrush(QBrush(VersQColor(g.Fond), StyleRemplissage(c.Remplissage)));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Marque(TGraphe& g, int32_t marque, int64_t px, int64_t py) {
    QPainter& p = *g.Surface;
    const int s = DpiSurface(g) * 6 / 254;
    const int t = s + 1;
    const int x = Borne(px), y = Borne(py);
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

void Courbe(TGraphe& g, const TCourbeGraphe& c) {
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
        Plume(g, c, true);
        for (int i = premier; i <= dernierTrace; ++i)
            Marque(g, c.Marque, px[static_cast<size_t>(i)], py[static_cast<size_t>(i)]);
    }
    Plume(g, c, false);
    const int mode = ModeEffectif(c.Lissage, dernier);
    if (mode == 0) {
        const int64_t y0 = Borne(pixely(g, 0));
        for (int i = premier; i <= dernierTrace; ++i) {
            const size_t k = static_cast<size_t>(i);
            if (py[k] != y0) p.drawLine(Borne(px[k]), Borne(y0), Borne(px[k]), Borne(py[k]));
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

// DessinerVue with the reference curves (same layout and axes).
void Vue(TGraphe& g, TCourbeGraphe& courbe, int vue) {
    const VueGraphe& slot = Etude.Vues[vue - 1];
    ConfigurerAxes(slot, g.ConfigX, g.ConfigY);
    initgraphe(g);
    traceaxes(g);
    const VueBornee v = BornerVue(slot);
    for (int k = 1; k <= NbCaractMax; ++k) {
        if (Caracts[k].Dernier() < 0) continue;
        ChargerCourbe(courbe, k, v.qX, v.qY);
        Courbe(g, courbe);
    }
}

}  // namespace reference

namespace {

// Number of differing pixels, and where the first one is.
QString Ecarts(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return "size or format differs";
    int n = 0;
    QPoint premier;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (la[x] != lb[x] && n++ == 0) premier = QPoint(x, y);
    }
    return n == 0 ? QString()
                  : QStringLiteral("%1 pixels differ, the first at (%2, %3)")
                        .arg(n)
                        .arg(premier.x())
                        .arg(premier.y());
}

// How a picture is painted: resolution, format, painter moved, palette.
struct Surface {
    int dpi = 96;
    QImage::Format format = QImage::Format_RGB32;
    QPoint decalage;
    int palette = 1;
};

QImage Image(const Surface& s, QSize taille) {
    QImage image(taille, s.format);
    image.setDotsPerMeterX(s.dpi * 10000 / 254);
    image.setDotsPerMeterY(s.dpi * 10000 / 254);
    image.fill(Qt::gray);
    return image;
}

// The four views side by side in a 1920 x 1080 picture, each clipped to its
// quarter, by the component or by the reference.
QImage QuatreVues(const Surface& s, bool parReference) {
    QImage image = Image(s, {1920, 1080});
    QPainter p(&image);
    p.translate(s.decalage);
    auto courbe = std::make_unique<TCourbeGraphe>();
    for (int v = 0; v < NbVues; ++v) {
        TGraphe g;
        const SurfaceGraphe surface(g, p);
        g.Gauche = (v % 2) * 960;
        g.Haut = (v / 2) * 540;
        g.Droite = g.Gauche + 960;
        g.Bas = g.Haut + 540;
        AppliquerPalette(g, s.palette);
        p.setClipRect(QRect(g.Gauche, g.Haut, 960, 540));
        if (parReference)
            reference::Vue(g, *courbe, v + 1);
        else
            DessinerVue(g, *courbe, v + 1);
    }
    return image;
}

// One graph of 400 x 300 pixels (torque against speed) with its axes, on
// which a curve is drawn; a cursor is shown when `curseur` is set.
struct Graphe {
    Graphe(const Surface& s, bool curseur) : image(Image(s, {400, 300})) {
        p.begin(&image);
        p.translate(s.decalage);
        g.Surface = &p;
        g.Droite = 400;
        g.Bas = 300;
        AppliquerPalette(g, s.palette);
        g.ConfigX = {0, 1500, 0, 0, "n", "tr/min"};
        g.ConfigY = {-2000, 2000, -2, 2, "Tu", "Nm"};
        initgraphe(g);
        traceaxes(g);
        if (curseur) {
            choixcurseur(g, 1, 2);
            curseurvaleur(g, 700, 100);
        }
    }
    QImage image;
    QPainter p;
    TGraphe g;
};

// A zigzag of `nb` points across the graph; `genre` 1: some of them far
// off the axes; 2: each point three times, so that line segments of no length
// lie at both ends and everywhere between (with 57 points the last segment
// runs down to the right, where a thin line's end cap adds a pixel).
std::unique_ptr<TCourbeGraphe> Zigzag(int nb, int genre) {
    auto c = std::make_unique<TCourbeGraphe>();
    c->Dernier = c->DernierTrace = nb - 1;
    c->Couleur = 2;
    for (int p = 0; p < nb; ++p) {
        const int q = genre == 2 ? p / 3 : p;
        c->X[p + 1] = 50 + q * 1400 / std::max(nb - 1, 1);
        c->Y[p + 1] = (q % 3 - 1) * 1500 + q * 7;
    }
    if (genre == 1) {
        const int32_t extremes[] = {std::numeric_limits<int32_t>::max(), -1000000, 1520, 2050,
                                    std::numeric_limits<int32_t>::min()};
        for (int p = 0; p < nb; p += 3) {
            c->Y[p + 1] = extremes[p % 5];
            if (p % 2) c->X[p + 1] = extremes[(p + 2) % 5];
        }
    }
    return c;
}

}  // namespace

class TstDessinReference : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { essai::RemplirEtudePleine(); }
    void cleanup() {
        AcquisitionEnCours = 0;
        for (VueGraphe& v : Etude.Vues) v.ZoomX = v.ZoomY = 18;
    }

    // The largest study in four views, in every line mode, as on screen,
    // zoomed in so that the curves leave their quarter, and as exported.
    void largestStudyInFourViews_data() {
        QTest::addColumn<int>("lissage");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("palette");
        QTest::addColumn<int>("format");
        QTest::addColumn<QPoint>("decalage");
        const int rgb = QImage::Format_RGB32, argb = QImage::Format_ARGB32_Premultiplied;
        for (int mode = -1; mode <= 5; ++mode)
            QTest::addRow("mode %d", mode) << mode << 18 << 96 << 1 << rgb << QPoint();
        QTest::newRow("acquisition") << 99 << 18 << 96 << 1 << rgb << QPoint();
        QTest::newRow("zoomed in, spline") << 2 << 40 << 96 << 1 << rgb << QPoint();
        QTest::newRow("zoomed in, stems") << 0 << 45 << 96 << 1 << rgb << QPoint();
        QTest::newRow("dark scheme") << 1 << 18 << 96 << 8 << rgb << QPoint();
        QTest::newRow("alpha picture") << 3 << 18 << 96 << 5 << argb << QPoint();
        QTest::newRow("painter moved") << 1 << 25 << 96 << 1 << rgb << QPoint(-37, 11);
        QTest::newRow("300 dpi, markers") << -1 << 18 << 300 << 1 << rgb << QPoint();
        QTest::newRow("300 dpi, lines") << 1 << 30 << 300 << 1 << rgb << QPoint();
        QTest::newRow("150 dpi, filtered") << 4 << 18 << 150 << 2 << rgb << QPoint();
        QTest::newRow("600 dpi, stems") << 0 << 18 << 600 << 1 << rgb << QPoint();
    }
    void largestStudyInFourViews() {
        QFETCH(int, lissage);
        QFETCH(int, zoom);
        QFETCH(int, dpi);
        QFETCH(int, palette);
        QFETCH(int, format);
        QFETCH(QPoint, decalage);
        if (lissage == 99)
            AcquisitionEnCours = 1;
        else
            Etude.Lissage = lissage;
        for (VueGraphe& v : Etude.Vues) v.ZoomX = v.ZoomY = zoom;
        const Surface s{dpi, static_cast<QImage::Format>(format), decalage, palette};
        const QImage attendue = QuatreVues(s, true);
        // The first characteristic's red is there: the curves were drawn.
        int rouges = 0;
        for (int y = 0; y < attendue.height(); y += 2)
            for (int x = 0; x < attendue.width(); ++x) rouges += attendue.pixel(x, y) == 0xFFFF0000;
        QVERIFY(rouges > 500);
        const QImage obtenue = QuatreVues(s, false);
        const QString ecarts = Ecarts(obtenue, attendue);
        QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts));
    }

    // Every marker and fill, pen widths and dash styles, short curves in
    // every mode, partial ranges and points off the axes, over a cursor.
    void curvesOfEveryStyle_data() {
        // marker, fill, dash, width, points, mode, first, last, zigzag kind
        QTest::addColumn<QList<int>>("c");
        QTest::addColumn<int>("dpi");
        for (int marque = 0; marque <= 5; ++marque)
            for (int remplissage = 0; remplissage <= 7; ++remplissage)
                for (int epaisseur : {0, 2})
                    QTest::addRow("marker %d fill %d width %d", marque, remplissage, epaisseur)
                        << QList{marque,    remplissage, (marque + remplissage) % 5,
                                 epaisseur, 150,         1,
                                 0,         149,         0}
                        << 96;
        for (int nb : {1, 2, 3, 4, 5, 6, 7, 9, 40})
            for (int mode = -1; mode <= 6; ++mode)
                QTest::addRow("%d points mode %d", nb, mode)
                    << QList{nb % 6, 3, 0, 0, nb, mode, 0, nb - 1, 0} << 96;
        for (int mode = 0; mode <= 5; ++mode) {
            QTest::addRow("part of 40 points, mode %d", mode)
                << QList{4, 3, 0, 0, 40, mode, 7, 31, 0} << 96;
            QTest::addRow("first point only, mode %d", mode)
                << QList{3, 3, 0, 0, 40, mode, 0, 0, 0} << 96;
            QTest::addRow("last points, mode %d", mode)
                << QList{5, 3, 0, 0, 40, mode, 37, 39, 0} << 96;
            QTest::addRow("off the axes, mode %d", mode)
                << QList{mode % 5 + 1, 3, mode % 5, 0, 61, mode, 0, 60, 1} << 96;
            QTest::addRow("repeated points, mode %d", mode)
                << QList{0, 3, mode == 4 ? 1 : 0, 0, 57, mode, 0, 56, 2} << 96;
            QTest::addRow("dashed at 200 dpi, mode %d", mode)
                << QList{3, 3, mode % 5, 1, 200, mode, 0, 199, 1} << 200;
        }
    }
    void curvesOfEveryStyle() {
        QFETCH(QList<int>, c);
        QFETCH(int, dpi);
        const auto dessiner = [&](bool parReference) {
            Graphe d({dpi, QImage::Format_RGB32, QPoint(), 1}, true);
            auto courbe = Zigzag(c[4], c[8]);
            courbe->Marque = c[0] == 0 ? -1 : c[0];
            courbe->Remplissage = c[1];
            courbe->StyleTrait = c[2];
            courbe->Epaisseur = c[3];
            courbe->Lissage = c[5];
            courbe->PremierTrace = c[6];
            courbe->DernierTrace = c[7];
            if (parReference)
                reference::Courbe(d.g, *courbe);
            else
                tracecourbegraphe(d.g, *courbe);
            // The marker of one more point, as an acquisition adds it.
            masquecurseur(d.g);
            courbe->Marque = std::max(courbe->Marque, 1);
            if (parReference) {
                reference::Plume(d.g, *courbe, true);
                reference::Marque(d.g, courbe->Marque, pixelx(d.g, 700), pixely(d.g, 1900));
            } else {
                courbe->X[c[4] + 1] = 700;
                courbe->Y[c[4] + 1] = 1900;
                tracepointcourbe(d.g, c[4], *courbe);
            }
            retracecurseur(d.g);
            d.p.end();
            return d.image;
        };
        const QImage attendue = dessiner(true);
        const QString ecarts = Ecarts(dessiner(false), attendue);
        QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts));
    }
};

QTEST_MAIN(TstDessinReference)
#include "tst_dessinreference.moc"
