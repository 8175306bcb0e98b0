// The JPEG picture loader: what it decodes must be what the JPEG says
// (pixel for pixel the same as Qt's own decoder, which uses the same
// library), and a damaged file must give a null picture, never a crash or
// half a picture.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "OutilsEssai.h"
#include "dialogs/ImageJpeg.h"

using namespace orvane;

namespace {

// 0 flat teal, 1 gradient, 2 checker, 3 grey ramp (8-bit grey picture).
QImage Motif(int largeur, int hauteur, int sorte) {
    QImage image(largeur, hauteur, sorte == 3 ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x) {
            const int g = x * 255 / std::max(largeur - 1, 1),
                      h = y * 255 / std::max(hauteur - 1, 1);
            const int c = ((x / 8) + (y / 8)) % 2 ? 250 : 10;
            const QRgb couleurs[] = {qRgb(0, 128, 128), qRgb(g, h, (g + h) / 2), qRgb(c, c, c),
                                     qRgb(g, g, g)};
            image.setPixel(x, y, couleurs[sorte]);
        }
    return image;
}

// Largest difference of one colour channel between two pictures of one size.
int Ecart(const QImage& a, const QImage& b) {
    int ecart = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            ecart = std::max({ecart, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return ecart;
}

QByteArray Octets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TstImageJpeg : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    QString Chemin(const char* nom) const { return QString::fromStdString(dossier / nom); }

private slots:
    void decodesLikeTheLibraryItself_data() {
        // width, height, pattern, quality, the most a channel may move
        // through the codec
        QTest::addColumn<QList<int>>("c");
        QTest::addRow("flat teal 1x1") << QList<int>{1, 1, 0, 90, 2};
        QTest::addRow("flat teal 17x9") << QList<int>{17, 9, 0, 90, 2};
        QTest::addRow("gradient 501x225") << QList<int>{501, 225, 1, 95, 8};
        QTest::addRow("checker 64x40 q100") << QList<int>{64, 40, 2, 100, 8};
        QTest::addRow("checker 33x31 q10") << QList<int>{33, 31, 2, 10, 255};
        // Grey, written by another encoder: comes back in RGB.
        QTest::addRow("grey 40x24, Qt's encoder") << QList<int>{40, 24, 3, 90, 8};
    }
    void decodesLikeTheLibraryItself() {
        QFETCH(QList<int>, c);
        const QImage source = Motif(c[0], c[1], c[2]);
        const QString chemin = Chemin("motif.jpg");
        QVERIFY(c[2] == 3 ? source.save(chemin, "JPG", c[3]) : EcrireJpeg(source, chemin, c[3]));
        const QImage lu = LireJpeg(chemin);
        QVERIFY(!lu.isNull());
        QCOMPARE(lu.size(), source.size());
        QCOMPARE(lu.format(), QImage::Format_RGB32);
        const QImage reference(chemin, "JPG");
        QVERIFY(!reference.isNull());
        QCOMPARE(Ecart(lu, reference.convertToFormat(QImage::Format_RGB32)), 0);
        QVERIFY(Ecart(lu, source.convertToFormat(QImage::Format_RGB32)) <= c[4]);
        // From memory as from the file.
        QCOMPARE(DecoderJpeg(Octets(chemin)), lu);
    }

    void damagedFilesGiveANullPicture_data() {
        QTest::addColumn<QByteArray>("octets");
        const QString bon = Chemin("bon.jpg");
        EcrireJpeg(Motif(120, 80, 1), bon, 90);
        const QByteArray jpeg = Octets(bon);
        QVERIFY(jpeg.size() > 1000);
        QByteArray png;
        QBuffer tampon(&png);
        tampon.open(QIODevice::WriteOnly);
        Motif(8, 8, 0).save(&tampon, "PNG");

        QTest::addRow("empty") << QByteArray();
        QTest::addRow("text") << QByteArray("not a picture at all");
        QTest::addRow("png") << png;
        QTest::addRow("start marker only") << jpeg.left(2);
        QTest::addRow("header only") << jpeg.left(300);
        QTest::addRow("half") << jpeg.left(jpeg.size() / 2);
        QTest::addRow("end marker missing") << jpeg.left(jpeg.size() - 2);
        QByteArray abime = jpeg;
        for (int i = 400; i < abime.size() - 2; i += 7) abime[i] = char(0xFF);
        QTest::addRow("scan overwritten") << abime;
        // Frame header dimensions (SOF0: FF C0, length, precision, height, width);
        // 20000 x 20000 (0x4E20) could be allocated, but should not be.
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        for (const char* taille : {"\xFF\xFF\xFF\xFF", "\x4E\x20\x4E\x20"}) {
            QByteArray geant = jpeg;
            geant.replace(sof + 5, 4, QByteArray(taille, 4));
            QTest::addRow("frame %02x%02x", uchar(taille[0]), uchar(taille[1])) << geant;
        }
    }
    void damagedFilesGiveANullPicture() {
        QFETCH(QByteArray, octets);
        QVERIFY(DecoderJpeg(octets).isNull());
        const QString chemin = Chemin("abime.jpg");
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets);
        f.close();
        QVERIFY(LireJpeg(chemin).isNull());
        QVERIFY(LireJpeg(Chemin("absent.jpg")).isNull());
        // Nothing to write, or nowhere to write it.
        QVERIFY(!EcrireJpeg(QImage(), Chemin("rien.jpg")));
        QVERIFY(!EcrireJpeg(Motif(4, 4, 0), Chemin("pas/de/dossier.jpg")));
    }

    void theBenchPictureComesWithTheProgram() {
        const QString chemin = CheminImage(QString::fromLatin1(ImageBanc));
        QVERIFY(chemin.endsWith(QStringLiteral("/images/banc.jpg")));
        const QImage banc = LireJpeg(chemin);
        QCOMPARE(banc.size(), QSize(501, 225));
    }
};

QTEST_MAIN(TstImageJpeg)
#include "tst_imagejpeg.moc"
