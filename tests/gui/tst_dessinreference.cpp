// The curves drawn by the plotting component, pixel for pixel against a
// reference drawn one primitive at a time through QPainter, on screen-like
// pictures, at other resolutions and on painters that are clipped or moved.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "EtudePleine.h"
#include "graph/Graphe.h"
#include "graph/TraitFin.h"
#include "graph/Vue.h"
#include "study/Study.h"

using namespace orvane;

namespace reference {

int Borne(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -LimitePixel, LimitePixel)); }

void Plume(TGraphe& g, const TCourbeGraphe& c, bool solide) {
    static const Qt::PenStyle traits[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    static const Qt::BrushStyle fonds[] = {Qt::NoBrush,      Qt::SolidPattern,    Qt::BDiagPattern,
                                           Qt::FDiagPattern, Qt::HorPattern,      Qt::VerPattern,
                                           Qt::CrossPattern, Qt::DiagCrossPattern};
    const int64_t largeur = int64_t{DpiSurface(g)} * 3 * std::max(c.Epaisseur, 0) / 254;
    QPen plume(VersQColor(g.Palette[c.Couleur >= 0 && c.Couleur < 6 ? c.Couleur : 0]));
    plume.setWidth(static_cast<int>(std::clamp<int64_t>(largeur, 1, 1000)));
    plume.setStyle(solide || c.StyleTrait < 1 || c.StyleTrait > 4 ? Qt::SolidLine
                                                                  : traits[c.StyleTrait]);
    plume.setCapStyle(Qt::RoundCap);
    plume.setJoinStyle(Qt::RoundJoin);
    g.Surface->setPen(plume);
    const int r = c.Remplissage >= 1 && c.Remplissage <= 7 ? c.Remplissage : 0;
    g.Surface->setBrush(QBrush(VersQColor(g.Fond), fonds[r]));
    g.Surface->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Marque(TGraphe& g, int32_t marque, int64_t px, int64_t py) {
    QPainter& p = *g.Surface;
    const int s = DpiSurface(g) * 6 / 254, t = s + 1, x = Borne(px), y = Borne(py);
    const QPoint losange[4] = {{x - t, y}, {x, y - t}, {x + t, y}, {x, y + t}};
    const QPoint triangle[3] = {{x - t, y - t}, {x + t, y - t}, {x, y + t}};
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
        case 4: p.drawPolygon(losange, 4); break;
        case 5: p.drawPolygon(triangle, 3); break;
        default: break;
    }
}

void Courbe(TGraphe& g, const TCourbeGraphe& c) {
    if (!g.Pret || !g.Surface || c.Dernier < 0) return;
    const int dernier = std::min<int>(c.Dernier, DernierPointMax);
    const int premier = std::max<int>(c.PremierTrace, 0);
    const int fin = std::min<int>(c.DernierTrace, dernier);
    masquecurseur(g);
    std::vector<int64_t> px(static_cast<size_t>(dernier) + 1), py(px.size());
    for (size_t i = 0; i < px.size(); ++i) {
        px[i] = Borne(pixelx(g, c.X[i + 1]));
        py[i] = Borne(pixely(g, c.Y[i + 1]));
    }
    if (c.Marque >= 0) {
        Plume(g, c, true);
        for (int i = premier; i <= fin; ++i) Marque(g, c.Marque, px[size_t(i)], py[size_t(i)]);
    }
    Plume(g, c, false);
    const int mode = ModeEffectif(c.Lissage, dernier);
    const int y0 = Borne(pixely(g, 0));
    for (int i = premier; mode == 0 && i <= fin; ++i)
        if (py[size_t(i)] != y0)
            g.Surface->drawLine(Borne(px[size_t(i)]), y0, Borne(px[size_t(i)]),
                                Borne(py[size_t(i)]));
    const std::vector<PointPixel> ligne =
        mode > 0 ? PointsLigne(mode, px, py, premier, fin, dernier) : std::vector<PointPixel>{};
    if (ligne.size() >= 2) {
        QPolygon poly;
        for (const PointPixel& q : ligne) poly << QPoint(Borne(q.x), Borne(q.y));
        g.Surface->drawPolyline(poly);
    }
    retracecurseur(g);
}

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

QString Ecarts(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return "size or format differs";
    int n = 0;
    QPoint premier;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *la = reinterpret_cast<const QRgb*>(a.constScanLine(y)),
                   *lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (la[x] != lb[x] && n++ == 0) premier = QPoint(x, y);
    }
    return n ? QStringLiteral("%1 pixels differ, the first at (%2, %3)")
                   .arg(n)
                   .arg(premier.x())
                   .arg(premier.y())
             : QString();
}

QImage Image(int dpi, QImage::Format format, QSize taille) {
    QImage image(taille, format);
    image.setDotsPerMeterX(dpi * 10000 / 254);
    image.setDotsPerMeterY(dpi * 10000 / 254);
    image.fill(Qt::gray);
    return image;
}

// The four views in the quarters of a 1920 x 1080 picture, each clipped.
QImage QuatreVues(int dpi, QImage::Format format, QPoint decalage, int palette, bool parRef,
                  int rogne = 0) {
    QImage image = Image(dpi, format, {1920, 1080});
    QPainter p(&image);
    p.translate(decalage);
    auto courbe = std::make_unique<TCourbeGraphe>();
    for (int v = 0; v < NbVues; ++v) {
        TGraphe g;
        const SurfaceGraphe surface(g, p);
        g.Droite = (g.Gauche = (v % 2) * 960) + 960;
        g.Bas = (g.Haut = (v / 2) * 540) + 540;
        AppliquerPalette(g, palette);
        p.setClipRect(QRect(g.Gauche, g.Haut, 960, 540).adjusted(rogne, rogne, -rogne, -rogne));
        parRef ? reference::Vue(g, *courbe, v + 1) : DessinerVue(g, *courbe, v + 1);
    }
    return image;
}

// A zigzag of `nb` points; `genre` 1: some far off the axes; 2: each point
// three times (segments of no length at both ends and between).
std::unique_ptr<TCourbeGraphe> Zigzag(int nb, int genre) {
    auto c = std::make_unique<TCourbeGraphe>();
    c->Dernier = c->DernierTrace = nb - 1;
    c->Couleur = 2;
    for (int p = 0; p < nb; ++p) {
        const int q = genre == 2 ? p / 3 : p;
        c->X[p + 1] = 50 + q * 1400 / std::max(nb - 1, 1);
        c->Y[p + 1] = (q % 3 - 1) * 1500 + q * 7;
    }
    const int32_t extremes[] = {std::numeric_limits<int32_t>::max(), -1000000, 1520, 2050,
                                std::numeric_limits<int32_t>::min()};
    for (int p = 0; genre == 1 && p < nb; p += 3) {
        c->Y[p + 1] = extremes[p % 5];
        if (p % 2) c->X[p + 1] = extremes[(p + 2) % 5];
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

    // The largest study in four views in every line mode, during an
    // acquisition, zoomed so that curves cross the clip edges, and exported.
    void largestStudyInFourViews_data() {
        QTest::addColumn<QList<int>>("c");  // mode (99 acquisition), zoom, dpi, palette, alpha
        QTest::addColumn<QPoint>("decalage");
        for (int mode = -1; mode <= 5; ++mode)
            QTest::addRow("mode %d", mode) << QList{mode, 18, 96, 1, 0} << QPoint();
        QTest::newRow("acquisition") << QList{99, 18, 96, 1, 0} << QPoint();
        QTest::newRow("zoomed in, stems") << QList{0, 45, 96, 1, 0} << QPoint();
        QTest::newRow("alpha, dark") << QList{3, 18, 96, 8, 1} << QPoint();
        QTest::newRow("painter moved") << QList{1, 25, 96, 1, 0} << QPoint(-37, 11);
        QTest::newRow("300 dpi, lines") << QList{1, 30, 300, 1, 0} << QPoint();
        QTest::newRow("600 dpi, stems") << QList{0, 18, 600, 2, 0} << QPoint();
    }
    void largestStudyInFourViews() {
        QFETCH(QList<int>, c);
        QFETCH(QPoint, decalage);
        if (c[0] == 99) AcquisitionEnCours = 1;
        if (c[0] != 99) Etude.Lissage = c[0];
        for (VueGraphe& v : Etude.Vues) v.ZoomX = v.ZoomY = c[1];
        const auto f = c[4] ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        const QImage attendue = QuatreVues(c[2], f, decalage, c[3], true);
        int rouges = 0;  // the first trial's red: the curves were drawn
        for (int y = 0; y < attendue.height(); y += 2)
            for (int x = 0; x < attendue.width(); ++x) rouges += attendue.pixel(x, y) == 0xFFFF0000;
        QVERIFY(rouges > 500);
        // Drawn afresh, then again from what the first drawing kept.
        oublielignes();
        for (const char* fois : {"first", "again"}) {
            const QImage image = QuatreVues(c[2], f, decalage, c[3], false);
            const QString ecarts = Ecarts(image, attendue);
            QVERIFY2(ecarts.isEmpty(), qPrintable(QString(fois) + ": " + ecarts));
        }
    }

    // What a drawing keeps of its curves is not taken again after a change
    // of values, scale, line mode, colour or painter.
    void keptCurvesFollowChanges() {
        Etude.Lissage = 2;
        const auto changer = [](int etape) {
            switch (etape) {
                case 1:  // the first trial in a quantity drawn upwards only, and
                         // the second in one drawn across only, moved
                    for (int p = 0; p < NbPointsMax; ++p) {
                        Caracts[1].Point(GCourant, p) += 700;
                        Caracts[2].Point(GPuissanceMeca, p) += 700;
                    }
                    break;
                case 2: Etude.Vues[0].ZoomX = Etude.Vues[2].ZoomY = 25; break;
                case 3: Etude.Lissage = 4; break;
                default: break;
            }
        };
        for (int etape = 0; etape <= 6; ++etape) {
            changer(etape);
            const int palette = etape == 4 ? 3 : 1;  // other colours, same pixels
            const QPoint decalage = etape == 5 ? QPoint(3, -2) : QPoint();
            const int rogne = etape == 6 ? 40 : 0;  // a narrower clip
            const QImage attendue =
                QuatreVues(96, QImage::Format_RGB32, decalage, palette, true, rogne);
            const QString ecarts = Ecarts(
                QuatreVues(96, QImage::Format_RGB32, decalage, palette, false, rogne), attendue);
            QVERIFY2(ecarts.isEmpty(), qPrintable(QString("step %1: ").arg(etape) + ecarts));
        }
        const QString ecarts = Ecarts(QuatreVues(96, QImage::Format_RGB32, {}, 1, false),
                                      QuatreVues(96, QImage::Format_RGB32, {}, 1, true));
        QVERIFY2(ecarts.isEmpty(), qPrintable("back: " + ecarts));
        essai::RemplirEtudePleine();
    }

    // Every marker and fill, widths and dashes, short curves in every mode,
    // partial ranges, points off the axes, over a cursor, then one point
    // more drawn incrementally as an acquisition adds it.
    void curvesOfEveryStyle_data() {
        // marker, fill, dash, width, points, mode, first, last, zigzag kind
        QTest::addColumn<QList<int>>("c");
        QTest::addColumn<int>("dpi");
        for (int m = 0; m <= 5; ++m)
            for (int r : {m, m + 2})
                QTest::addRow("marker %d fill %d", m, r)
                    << QList{m, r, (m + r) % 5, r % 3, 150, 1, 0, 149, 0} << 96;
        for (int nb : {1, 2, 3, 5, 40})
            for (int mode = -1; mode <= 6; ++mode)
                QTest::addRow("%d points mode %d", nb, mode)
                    << QList{nb % 6, 3, 0, 0, nb, mode, 0, nb - 1, 0} << 96;
        for (int mode = 0; mode <= 5; ++mode) {
            QTest::addRow("part of 40, mode %d", mode)
                << QList{4, 3, 0, 0, 40, mode, 7, 31, 0} << 96;
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
        const auto dessiner = [&](bool parRef) {
            QImage image = Image(dpi, QImage::Format_RGB32, {400, 300});
            QPainter p(&image);
            TGraphe g;
            g.Surface = &p;
            g.Droite = 400;
            g.Bas = 300;
            AppliquerPalette(g, 1);
            g.ConfigX = {0, 1500, 0, 0, "n", "tr/min"};
            g.ConfigY = {-2000, 2000, -2, 2, "Tu", "Nm"};
            initgraphe(g);
            traceaxes(g);
            choixcurseur(g, 1, 2);
            curseurvaleur(g, 700, 100);
            auto courbe = Zigzag(c[4], c[8]);
            courbe->Marque = c[0] == 0 ? -1 : c[0];
            courbe->Remplissage = c[1];
            courbe->StyleTrait = c[2];
            courbe->Epaisseur = c[3];
            courbe->Lissage = c[5];
            courbe->PremierTrace = c[6];
            courbe->DernierTrace = c[7];
            parRef ? reference::Courbe(g, *courbe) : tracecourbegraphe(g, *courbe);
            masquecurseur(g);
            courbe->Marque = std::max(courbe->Marque, 1);
            if (parRef) {
                reference::Plume(g, *courbe, true);
                reference::Marque(g, courbe->Marque, pixelx(g, 700), pixely(g, 1900));
            } else {
                courbe->X[c[4] + 1] = 700;
                courbe->Y[c[4] + 1] = 1900;
                tracepointcourbe(g, c[4], *courbe);
            }
            retracecurseur(g);
            p.end();
            return image;
        };
        const QString ecarts = Ecarts(dessiner(false), dessiner(true));
        QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts));
    }

    // Thin polylines written straight into the picture against the same
    // polylines drawn by QPainter: random walks of short steps (a spline's)
    // and of long ones, lines that leave the picture or go far beyond it,
    // repeated points, turns back, with and without clip, in every cap and
    // both pixel formats.
    void thinLinesAgainstThePainter() {
        std::mt19937 hasard(20261207);
        const auto entre = [&](int a, int b) {
            return std::uniform_int_distribution(a, b)(hasard);
        };
        constexpr int L = 64, H = 48;
        const Qt::PenCapStyle bouts[] = {Qt::RoundCap, Qt::FlatCap, Qt::SquareCap};
        int dessinees = 0;
        for (int essai = 0; essai < 6000; ++essai) {
            const int genre = essai % 6;
            const int n = entre(2, genre == 0 ? 3 : 40);
            std::vector<QPoint> l;
            QPoint q(entre(-20, L + 20), entre(-20, H + 20));
            for (int i = 0; i < n; ++i) {
                l.push_back(q);
                const int pas = genre <= 1 ? 2 : genre == 2 ? 40 : 8;
                q += QPoint(entre(-pas, pas), entre(-pas, pas));
                if (genre == 3 && entre(0, 9) == 0)
                    q = QPoint(entre(-1, 1) * LimitePixel, entre(-100, 100));
                if (genre == 4 && i > 0 && entre(0, 3) == 0)
                    q = l[static_cast<size_t>(entre(0, i))];
            }
            const QRect clip = essai % 3
                                   ? QRect(entre(-5, 30), entre(-5, 20), entre(0, 60), entre(0, 40))
                                   : QRect();
            const auto format =
                essai % 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
            QPen plume(QColor(0x20, 0x80, 0xC0), essai % 7 == 0 ? 0 : 1);
            plume.setCapStyle(bouts[essai % 3]);
            plume.setJoinStyle(Qt::RoundJoin);

            QImage attendue(L, H, format);
            attendue.fill(0xFFFFFFFF);
            {
                QPainter p(&attendue);
                p.setPen(plume);
                if (!clip.isNull()) p.setClipRect(clip);
                p.drawPolyline(l.data(), static_cast<int>(l.size()));
            }
            const QRect c = clip.isNull() ? attendue.rect() : clip & attendue.rect();
            const auto tracer = [&](const std::vector<QPoint>& points, QImage& i) {
                i = QImage(L, H, format);
                i.fill(0xFFFFFFFF);
                const ImageBrute image{reinterpret_cast<uint32_t*>(i.bits()),
                                       i.bytesPerLine() / 4,
                                       L,
                                       H,
                                       c.left(),
                                       c.top(),
                                       c.isEmpty() ? -1 : c.right(),
                                       c.isEmpty() ? -1 : c.bottom()};
                std::vector<uint32_t> pixels;
                const bool tracee = TraitFin(image, plume.capStyle() != Qt::FlatCap, pixels)
                                        .Polyligne(points.data(), points.size());
                TraitFin::Peindre(image, pixels, plume.color().rgba());
                return tracee;
            };
            // As given, and with the points that change nothing left out.
            std::vector<QPoint> elaguee = l;
            elaguee.resize(TraitFin::Elaguer(elaguee.data(), elaguee.size(), L, H));
            QImage obtenue, sansInutiles;
            if (!tracer(l, obtenue)) {
                QCOMPARE(l.front(), l.back());  // a closed line is left to QPainter
                continue;
            }
            tracer(elaguee, sansInutiles);
            ++dessinees;
            for (const QImage* i : {&obtenue, &sansInutiles}) {
                if (*i == attendue) continue;
                QString points;
                for (const QPoint& k : l) points += QString(" (%1,%2)").arg(k.x()).arg(k.y());
                QFAIL(qPrintable(QString("case %1 (%2), clip (%3,%4 %5x%6):%7")
                                     .arg(essai)
                                     .arg(i == &obtenue ? "all" : "left out")
                                     .arg(clip.x())
                                     .arg(clip.y())
                                     .arg(clip.width())
                                     .arg(clip.height())
                                     .arg(points)));
            }
        }
        QVERIFY(dessinees > 5000);
    }
};

QTEST_MAIN(TstDessinReference)
#include "tst_dessinreference.moc"
