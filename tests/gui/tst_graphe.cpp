// The plotting component on an off-screen image.
#include <QPainter>
#include <QtTest>

#include "graph/Graphe.h"

using namespace orvane;

namespace {

// A torque-speed graph on a 400 x 300 image, axes drawn: black on white.
struct Dessin {
    Dessin() : image(400, 300, QImage::Format_RGB32) {
        image.fill(Qt::gray), p.begin(&image);
        g.Surface = &p, g.Droite = 400, g.Bas = 300, g.Fond = 0x00FFFFFF;
        for (int k = 0; k < 6; ++k) g.Palette[k] = k ? 0x000000FF : 0;
        g.ConfigX = {0, 1500, 0, 0, "n", "tr/min"};
        g.ConfigY = {0, 2000, -2, 2, "Tu", "Nm"};
        initgraphe(g), traceaxes(g);
    }
    QImage image;
    QPainter p;
    TGraphe g;
};

std::unique_ptr<TCourbeGraphe> Courbe(int nb, int marque, int lissage) {
    auto c = std::make_unique<TCourbeGraphe>();
    c->Dernier = c->DernierTrace = nb - 1;
    c->Marque = marque, c->Lissage = lissage, c->Couleur = 1, c->Remplissage = 3;
    for (int p = 0; p < nb; ++p)
        c->X[p + 1] = 100 + p * 1300 / (nb - 1), c->Y[p + 1] = (p % 2 ? 1800 : 300) - p * 10;
    return c;
}

bool Contient(const QImage& img, const QRect& zone, QColor couleur) {
    const QRect z = zone.intersected(img.rect());
    for (int y = z.top(); y <= z.bottom(); ++y)
        for (int x = z.left(); x <= z.right(); ++x)
            if (img.pixelColor(x, y) == couleur) return true;
    return false;
}

}  // namespace

class TstGraphe : public QObject {
    Q_OBJECT

private slots:
    // Axes crossing at the origin; a cursor drawn, moved, hidden or kept on
    // under a curve always gives the picture back intact.
    void axesAndACursorDrawnTwiceLeaveThePicture() {
        Dessin d;
        TGraphe& g = d.g;
        QVERIFY(g.Pret);
        const int ya = static_cast<int>(g.Y.PixOrigine), xa = static_cast<int>(g.X.PixOrigine);
        QCOMPARE(d.image.pixelColor((xa + 300) / 2, ya), QColor(Qt::black));
        QVERIFY(Contient(d.image, QRect(pixelx(g, 600) - 10, ya + 4, 20, 15), Qt::black));
        auto c = Courbe(12, 2, 2);
        tracecourbegraphe(g, *c);
        for (int genre : {0, 1}) {
            choixcurseur(g, genre, 1);
            const QImage avant = d.image.copy();
            curseurvaleur(g, 750, 1000);
            const QImage un = d.image.copy();
            const int x = pixelx(g, 750), y = pixely(g, 1000);
            QVERIFY(genre ? Contient(un, QRect(x + 10, y, 40, 1), Qt::red)
                          : un.pixelColor(x + 1, y) == QColor(Qt::red));
            curseurvaleur(g, 300, 1500);
            QVERIFY(d.image != un);
            masquecurseur(g);
            QCOMPARE(d.image, avant);
            retracecurseur(g), tracecourbegraphe(g, *c);
            QVERIFY(g.Curseur.Trace);
            eteintcurseur(g);
            QVERIFY(!g.Curseur.Actif && d.image == avant);
            retracecurseur(g);  // off: draws nothing
            QCOMPARE(d.image, avant);
        }
    }

    // Wide labels of the vertical axis widen the room on the left so that no
    // label leaves the rectangle (drawn unclipped in a grey border); labels
    // that fit keep the room of "-00,00" (or of the range's digits).
    void verticalLabelsStayInsideTheRectangle_data() {
        // width, height, dpi, font points, x min, y min, y max, decimals, widened
        QTest::addColumn<QList<int>>("c");
        QTest::newRow("torque, 254 dpi") << QList{980, 833, 254, 8, 0, -2000, 2000, 2, 1};
        QTest::newRow("torque fits") << QList{370, 314, 96, 8, 0, 0, 2000, 2, 0};
    }
    void verticalLabelsStayInsideTheRectangle() {
        QFETCH(QList<int>, c);
        const int dpi = c[2], decimales = c[7], bord = 40;
        const QColor gris(128, 128, 128);
        QImage image(c[0] + 2 * bord, c[1] + 2 * bord, QImage::Format_RGB32);
        image.setDotsPerMeterX(dpi * 10000 / 254), image.setDotsPerMeterY(dpi * 10000 / 254),
            image.fill(gris);
        QPainter p(&image);
        TGraphe g;
        g.Surface = &p, g.Gauche = g.Haut = bord, g.Droite = bord + c[0], g.Bas = bord + c[1];
        g.TaillePolice = c[3], g.ConfigX = {c[4], 1500, 0, 0, "n", "tr/min"};
        g.ConfigY = {c[5], c[6], decimales > 0 ? -decimales : 0, decimales, "Y", "u"};
        initgraphe(g), traceaxes(g);
        QVERIFY(g.Pret);
        const QFontMetrics fm = p.fontMetrics();
        p.end();
        const QRect rectangle(bord, bord, c[0], c[1]);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!rectangle.contains(x, y) && image.pixelColor(x, y) != gris)
                    QFAIL(qPrintable(QStringLiteral("drawn at (%1, %2)").arg(x).arg(y)));
        const int chiffres = fm.horizontalAdvance(
            decimales > 0 ? QStringLiteral("-00,00") : QString::number(std::abs(c[6] - c[5])));
        const int debut = bord + chiffres + dpi * 15 / 254;
        QVERIFY2(c[8] ? g.X.Debut > debut : g.X.Debut == debut,
                 qPrintable(QString::number(g.X.Debut)));
    }
};

QTEST_MAIN(TstGraphe)
#include "tst_graphe.moc"
