// The plotting component on an off-screen image (vector surfaces: the copy
// and plot tests).
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <limits>
#include <memory>

#include "graph/Graphe.h"

using namespace orvane;

namespace {

// A torque-speed graph on a 400 x 300 image, its axes drawn: black axes and
// red curves on white.
struct Dessin {
    explicit Dessin(int largeur = 400) : image(400, 300, QImage::Format_RGB32) {
        image.fill(Qt::gray);
        avant = image.copy();
        p.begin(&image);
        g.Surface = &p;
        g.Droite = largeur;
        g.Bas = 300;
        g.Fond = 0x00FFFFFF;
        g.Palette[0] = 0;
        for (int k = 1; k < 6; ++k) g.Palette[k] = 0x000000FF;
        g.ConfigX = {0, 1500, 0, 0, "n", "tr/min"};
        g.ConfigY = {0, 2000, -2, 2, "Tu", "Nm"};
        initgraphe(g);
        traceaxes(g);
    }
    QImage image, avant;
    QPainter p;
    TGraphe g;
};

std::unique_ptr<TCourbeGraphe> Courbe(int nb, int marque, int lissage) {
    auto c = std::make_unique<TCourbeGraphe>();
    c->Dernier = c->DernierTrace = nb - 1;
    c->Marque = marque;
    c->Lissage = lissage;
    c->Couleur = 1;
    c->Remplissage = 3;
    for (int p = 0; p < nb; ++p) {
        c->X[p + 1] = 100 + p * 1300 / std::max(nb - 1, 1);
        c->Y[p + 1] = (p % 2 ? 1800 : 300) - p * 10;
    }
    return c;
}

bool Contient(const QImage& img, const QRect& zone, QColor couleur) {
    for (int y = std::max(zone.top(), 0); y <= std::min(zone.bottom(), img.height() - 1); ++y)
        for (int x = std::max(zone.left(), 0); x <= std::min(zone.right(), img.width() - 1); ++x)
            if (img.pixelColor(x, y) == couleur) return true;
    return false;
}

}  // namespace

class TstGraphe : public QObject {
    Q_OBJECT

private slots:
    void tooSmallRectangleDrawsNothing() {
        Dessin d(100);
        QVERIFY(!d.g.Pret);
        auto c = Courbe(5, 3, 1);
        tracecourbegraphe(d.g, *c);
        tracepointcourbe(d.g, 2, *c);
        curseurvaleur(d.g, 750, 1000);
        QCOMPARE(pointproche(d.g, 50, 50, *c), -1);
        d.p.end();
        QCOMPARE(d.image, d.avant);
    }

    void axesAndACursorDrawnTwiceLeaveThePicture_data() {
        QTest::addColumn<int>("genre");
        QTest::newRow("dot") << 0;
        QTest::newRow("cross-hair") << 1;
    }
    void axesAndACursorDrawnTwiceLeaveThePicture() {
        QFETCH(int, genre);
        Dessin d;
        TGraphe& g = d.g;
        QVERIFY(g.Pret);
        QCOMPARE(g.TaillePolice, 400 / 200 + 5);
        // Background over the rectangle, black axes crossing at the origin,
        // tick labels below the horizontal one.
        QCOMPARE(d.image.pixelColor(1, 1), QColor(Qt::white));
        const int ya = static_cast<int>(g.Y.PixOrigine), xa = static_cast<int>(g.X.PixOrigine);
        QVERIFY(g.X.Debut > 0 && g.X.Fin < 400 && g.Y.Debut > 0 && g.Y.Fin < 300);
        QCOMPARE(d.image.pixelColor((xa + 300) / 2, ya), QColor(Qt::black));
        QCOMPARE(d.image.pixelColor(xa, (ya + 50) / 2), QColor(Qt::black));
        QVERIFY(Contient(d.image, QRect(pixelx(g, 600) - 10, ya + 4, 20, 15), Qt::black));

        auto c = Courbe(12, 2, 2);
        tracecourbegraphe(g, *c);
        choixcurseur(g, genre, 1);
        const QImage avant = d.image.copy();
        curseurvaleur(g, 750, 1000);
        QVERIFY(g.Curseur.Trace);
        const QImage un = d.image.copy();
        // Over the background the cursor shows in its palette colour.
        const int x = pixelx(g, 750), y = pixely(g, 1000);
        if (genre == 0)
            QCOMPARE(un.pixelColor(x + 1, y), QColor(Qt::red));
        else
            QVERIFY(Contient(un, QRect(x + 10, y, 40, 1), Qt::red));
        curseurvaleur(g, 300, 1500);  // moves: the old image goes
        QVERIFY(d.image != un);
        masquecurseur(g);
        QCOMPARE(d.image, avant);

        // A curve drawn while the cursor is on keeps it on and intact.
        retracecurseur(g);
        tracecourbegraphe(g, *c);
        QVERIFY(g.Curseur.Trace);
        eteintcurseur(g);
        QVERIFY(!g.Curseur.Actif);
        QCOMPARE(d.image, avant);
        retracecurseur(g);  // off: draws nothing
        QCOMPARE(d.image, avant);
    }

    void markersBeyondTheAxesAreClampedNotSkipped() {
        Dessin d;
        auto c = Courbe(4, 3, 5);
        c->Remplissage = 1;
        c->X[1] = 1560;  // past the arrow end, inside the margin
        c->Y[1] = 1000;
        c->X[2] = std::numeric_limits<int32_t>::max();
        c->Y[2] = std::numeric_limits<int32_t>::min();
        c->X[3] = std::numeric_limits<int32_t>::min();
        tracecourbegraphe(d.g, *c);
        tracepointcourbe(d.g, 2, *c);
        d.p.end();
        const QPoint m(pixelx(d.g, 1560), pixely(d.g, 1000));
        QVERIFY(m.x() < 400);
        QVERIFY(Contient(d.image, QRect(m - QPoint(3, 3), QSize(7, 7)), Qt::red));
    }

    // The labels of the vertical axis, drawn b to the left of it, keep inside
    // the plot rectangle whatever their width: wide labels (three decimals,
    // five digits, a minus sign) widen the room on the left. The graph is
    // drawn unclipped in a grey border, where any text reaching out of its
    // rectangle shows. Views whose labels already fit keep the room of
    // "-00,00" (or of the range's digits), and so every pixel they had.
    void verticalLabelsStayInsideTheRectangle_data() {
        // width, height, dpi, font points (0 automatic), x min, y min, y max,
        // decimals, widened
        QTest::addColumn<QList<int>>("c");
        // Views of a report page at 96 and 254 dpi (Arial 8), of the copy of
        // four views and a small frame on screen (automatic size).
        const QList<int> rapport{370, 314, 96, 8}, rapport254{980, 833, 254, 8},
            copie{359, 264, 96, 0}, ecran{300, 220, 96, 0};
        QTest::newRow("current 20,000 A, report") << rapport + QList{0, 0, 20000, 3, 1};
        QTest::newRow("current, report at 254 dpi") << rapport254 + QList{0, 0, 20000, 3, 1};
        QTest::newRow("current, small frame") << ecran + QList{0, 0, 20000, 3, 1};
        QTest::newRow("power 3000,0 W, report") << rapport + QList{0, 0, 30000, 1, 1};
        QTest::newRow("power both signs, small frame") << ecran + QList{0, -30000, 30000, 1, 1};
        QTest::newRow("speed both signs, no decimals") << rapport + QList{0, -1500, 1500, 0, 1};
        QTest::newRow("torque both signs, as wide as -00,00")
            << rapport254 + QList{0, -2000, 2000, 2, 1};
        // Labels that fit: the layout is the one of "-00,00" / the range.
        QTest::newRow("torque 0..20,00, report") << rapport + QList{0, 0, 2000, 2, 0};
        QTest::newRow("torque, small frame") << ecran + QList{0, 0, 2000, 2, 0};
        // Labels as wide as the range's digits ("1400" against "1500") are
        // drawn 2 mm left of the axis, which stands only 1.5 mm past them.
        QTest::newRow("speed 0..1500, copy") << copie + QList{0, 0, 1500, 0, 1};
        QTest::newRow("engineering labels 0,2 .. 1,8") << rapport + QList{0, 0, 2000, -1, 0};
        // The vertical axis in the middle: its labels are far from the edge.
        QTest::newRow("power, vertical axis in the middle")
            << rapport + QList{-1500, 0, 30000, 1, 0};
    }
    void verticalLabelsStayInsideTheRectangle() {
        QFETCH(QList<int>, c);
        const int dpi = c[2], yMin = c[5], yMax = c[6], decimales = c[7];
        constexpr int bord = 40;
        const QColor gris(128, 128, 128);
        QImage image(c[0] + 2 * bord, c[1] + 2 * bord, QImage::Format_RGB32);
        image.setDotsPerMeterX(dpi * 10000 / 254);
        image.setDotsPerMeterY(dpi * 10000 / 254);
        image.fill(gris);
        QPainter p(&image);
        TGraphe g;
        g.Surface = &p;
        g.Gauche = g.Haut = bord;
        g.Droite = bord + c[0];
        g.Bas = bord + c[1];
        g.TaillePolice = c[3];
        g.ConfigX = {c[4], 1500, 0, 0, "n", "tr/min"};
        g.ConfigY = {yMin, yMax, decimales > 0 ? -decimales : 0, decimales, "Y", "u"};
        initgraphe(g);
        QVERIFY(g.Pret);
        traceaxes(g);
        const QFontMetrics fm = p.fontMetrics();
        p.end();
        // Nothing of the graph in the grey border: no label cut at the edge.
        const QRect rectangle(bord, bord, c[0], c[1]);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!rectangle.contains(x, y) && image.pixelColor(x, y) != gris)
                    QFAIL(qPrintable(QStringLiteral("drawn at (%1, %2)").arg(x).arg(y)));
        // The room of the layout before any widening.
        const int chiffres = fm.horizontalAdvance(
            decimales > 0 ? QStringLiteral("-00,00") : QString::number(std::abs(yMax - yMin)));
        const int debut = bord + chiffres + dpi * 15 / 254;
        if (c[8])
            QVERIFY(g.X.Debut > debut);
        else
            QCOMPARE(g.X.Debut, int64_t{debut});
        // Every label starts inside the rectangle.
        const int b = 2 * (dpi * 10 / 254);
        const std::vector<Graduation> graduations = GraduationsY(g.Y);
        QVERIFY(!graduations.empty());
        for (const Graduation& t : graduations) {
            const QString s = QString::fromStdString(t.Libelle);
            QVERIFY2(g.X.PixOrigine - fm.horizontalAdvance(s) - b >= g.Gauche, qPrintable(s));
        }
    }
};

QTEST_MAIN(TstGraphe)
#include "tst_graphe.moc"
