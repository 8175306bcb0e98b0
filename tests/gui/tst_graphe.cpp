// The plotting component on real surfaces: an off-screen image, SVG and PDF.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtTest>
#include <limits>
#include <memory>

#include "graph/Graphe.h"

using namespace orvane;

namespace {

constexpr TCouleur Blanc = 0x00FFFFFF;
constexpr TCouleur Noir = 0x00000000;
constexpr TCouleur Rouge = 0x000000FF;

void Preparer(TGraphe& g, QPainter& p, int largeur, int hauteur) {
    g.Surface = &p;
    g.Gauche = 0;
    g.Haut = 0;
    g.Droite = largeur;
    g.Bas = hauteur;
    g.Fond = Blanc;
    g.Palette[0] = Noir;
    for (int k = 1; k < 6; ++k) g.Palette[k] = Rouge;
    g.ConfigX = {0, 1500, 0, 0, "n", "tr/min"};
    g.ConfigY = {0, 2000, -2, 2, "Tu", "Nm"};
}

std::unique_ptr<TCourbeGraphe> Courbe(int nb, int marque, int lissage) {
    auto c = std::make_unique<TCourbeGraphe>();
    c->Dernier = nb - 1;
    c->PremierTrace = 0;
    c->DernierTrace = nb - 1;
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

// Everything the component draws, in every line mode and marker.
void ToutDessiner(TGraphe& g) {
    initgraphe(g);
    traceaxes(g);
    for (int mode = -1; mode <= 5; ++mode) {
        auto c = Courbe(9, mode + 1, mode);
        c->StyleTrait = mode + 1;
        c->Epaisseur = mode + 1;
        c->Remplissage = mode + 2;
        tracecourbegraphe(g, *c);
    }
    curseurvaleur(g, 750, 1000);
}

}  // namespace

class TstGraphe : public QObject {
    Q_OBJECT

private slots:
    void tooSmallRectangleDrawsNothing() {
        QImage img(400, 300, QImage::Format_RGB32);
        img.fill(Qt::gray);
        const QImage avant = img.copy();
        QPainter p(&img);
        TGraphe g;
        Preparer(g, p, 100, 300);
        initgraphe(g);
        QVERIFY(!g.Pret);
        traceaxes(g);
        auto c = Courbe(5, 3, 1);
        tracecourbegraphe(g, *c);
        tracepointcourbe(g, 2, *c);
        curseurvaleur(g, 750, 1000);
        QCOMPARE(pointproche(g, 50, 50, *c), -1);
        p.end();
        QCOMPARE(img, avant);
    }

    void axesAreDrawn() {
        QImage img(400, 300, QImage::Format_RGB32);
        img.fill(Qt::gray);
        QPainter p(&img);
        TGraphe g;
        Preparer(g, p, 400, 300);
        initgraphe(g);
        QVERIFY(g.Pret);
        QCOMPARE(g.TaillePolice, 400 / 200 + 5);
        traceaxes(g);
        p.end();
        // Background over the rectangle, a black horizontal axis at its row.
        QCOMPARE(img.pixelColor(1, 1), QColor(Qt::white));
        const int ya = static_cast<int>(g.Y.PixOrigine);
        const int xa = static_cast<int>(g.X.PixOrigine);
        QVERIFY(g.X.Debut > 0 && g.X.Fin < 400 && g.Y.Debut > 0 && g.Y.Fin < 300);
        QCOMPARE(img.pixelColor((xa + 300) / 2, ya), QColor(Qt::black));
        QCOMPARE(img.pixelColor(xa, (ya + 50) / 2), QColor(Qt::black));
        // Tick labels below the horizontal axis.
        const int tick = pixelx(g, 600);
        QVERIFY(Contient(img, QRect(tick - 10, ya + 4, 20, 15), Qt::black));
    }

    void cursorDrawnTwiceLeavesThePicture_data() {
        QTest::addColumn<int>("genre");
        QTest::newRow("dot") << 0;
        QTest::newRow("cross-hair") << 1;
    }
    void cursorDrawnTwiceLeavesThePicture() {
        QFETCH(int, genre);
        QImage img(400, 300, QImage::Format_RGB32);
        QPainter p(&img);
        TGraphe g;
        Preparer(g, p, 400, 300);
        initgraphe(g);
        traceaxes(g);
        auto c = Courbe(12, 2, 2);
        tracecourbegraphe(g, *c);
        choixcurseur(g, genre, 1);
        const QImage avant = img.copy();

        curseurvaleur(g, 750, 1000);
        QVERIFY(g.Curseur.Trace);
        const QImage un = img.copy();
        QVERIFY(un != avant);
        // Over the background the cursor shows in its palette colour.
        const int x = pixelx(g, 750), y = pixely(g, 1000);
        if (genre == 0)
            QCOMPARE(un.pixelColor(x + 1, y), QColor(Qt::red));
        else
            QVERIFY(Contient(un, QRect(x + 10, y, 40, 1), Qt::red));
        curseurvaleur(g, 300, 1500);  // moves: the old image goes
        QVERIFY(img != un);
        masquecurseur(g);
        QCOMPARE(img, avant);

        // A curve drawn while the cursor is on keeps it on and intact.
        retracecurseur(g);
        tracecourbegraphe(g, *c);
        QVERIFY(g.Curseur.Trace);
        eteintcurseur(g);
        QVERIFY(!g.Curseur.Actif);
        QCOMPARE(img, avant);
        retracecurseur(g);  // off: draws nothing
        QCOMPARE(img, avant);
        p.end();
    }

    void markersBeyondTheAxesAreClampedNotSkipped() {
        QImage img(400, 300, QImage::Format_RGB32);
        QPainter p(&img);
        TGraphe g;
        Preparer(g, p, 400, 300);
        initgraphe(g);
        traceaxes(g);
        auto c = Courbe(4, 3, 5);
        c->Remplissage = 1;
        c->X[1] = 1560;  // past the arrow end, inside the margin
        c->Y[1] = 1000;
        c->X[2] = std::numeric_limits<int32_t>::max();
        c->Y[2] = std::numeric_limits<int32_t>::min();
        c->X[3] = std::numeric_limits<int32_t>::min();
        tracecourbegraphe(g, *c);
        tracepointcourbe(g, 2, *c);
        p.end();
        const QPoint m(pixelx(g, 1560), pixely(g, 1000));
        QVERIFY(m.x() < 400);
        QVERIFY(Contient(img, QRect(m - QPoint(3, 3), QSize(7, 7)), Qt::red));
    }

    void vectorSurfacesTakeTheSameDrawing() {
        QByteArray svg;
        {
            QBuffer tampon(&svg);
            tampon.open(QIODevice::WriteOnly);
            QSvgGenerator gen;
            gen.setOutputDevice(&tampon);
            gen.setSize(QSize(718, 529));
            gen.setViewBox(QRect(0, 0, 718, 529));
            QPainter p(&gen);
            TGraphe g;
            Preparer(g, p, 718, 529);
            ToutDessiner(g);
            QVERIFY(g.Pret);
        }
        QVERIFY(svg.contains("<svg"));
        QVERIFY(svg.contains("polyline"));

        QByteArray pdf;
        {
            QBuffer tampon(&pdf);
            tampon.open(QIODevice::WriteOnly);
            QPdfWriter gen(&tampon);
            QPainter p(&gen);
            TGraphe g;
            Preparer(g, p, gen.width(), gen.height());
            g.TaillePolice = 10;
            ToutDessiner(g);
            QVERIFY(g.Pret);
        }
        QVERIFY(pdf.startsWith("%PDF"));
    }
};

QTEST_MAIN(TstGraphe)
#include "tst_graphe.moc"
