// The JPEG loader decodes as Qt's own decoder does (same library) and gives
// a null picture for a damaged file, never a crash or half a picture.
#include <QtGui>
#include <QtTest>

#include "OutilsEssai.h"
#include "dialogs/ImageJpeg.h"

using namespace orvane;

namespace {
// A colour gradient, or a grey ramp in an 8-bit grey picture.
QImage Motif(int l, int h, bool gris) {
    QImage image(l, h, gris ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            const int g = x * 255 / std::max(l - 1, 1), v = y * 255 / std::max(h - 1, 1);
            image.setPixel(x, y, gris ? qRgb(g, g, g) : qRgb(g, v, (g + v) / 2));
        }
    return image;
}
// Largest difference of one colour channel (both pictures in RGB32, one size).
int Ecart(const QImage& a, const QImage& b) {
    int e = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
        e = std::max(e, std::abs(int(a.constBits()[i]) - int(b.constBits()[i])));
    return e;
}
QByteArray Octets(const QString& chemin) {
    return QByteArray::fromStdString(essai::Contenu(chemin.toStdString()));
}
}  // namespace

class TstImageJpeg : public QObject {
    Q_OBJECT
    essai::DossierTemporaire dossier;
    QString Chemin(const char* nom) const { return QString::fromStdString(dossier / nom); }

private slots:
    void decodesLikeTheLibraryItself() {
        for (const bool gris : {false, true}) {  // grey written by Qt's encoder comes back RGB
            const QImage source = Motif(gris ? 40 : 501, gris ? 24 : 225, gris);
            const QString chemin = Chemin("motif.jpg");
            QVERIFY(gris ? source.save(chemin, "JPG", 90) : EcrireJpeg(source, chemin, 95));
            const QImage lu = LireJpeg(chemin), reference(chemin, "JPG");
            QVERIFY(!reference.isNull() && lu.size() == source.size());
            QVERIFY(lu.format() == QImage::Format_RGB32 && DecoderJpeg(Octets(chemin)) == lu);
            QCOMPARE(Ecart(lu, reference.convertToFormat(QImage::Format_RGB32)), 0);
            QVERIFY(Ecart(lu, source.convertToFormat(QImage::Format_RGB32)) <= 8);
        }
    }

    void damagedFilesGiveANullPicture() {
        EcrireJpeg(Motif(120, 80, false), Chemin("bon.jpg"), 90);
        const QByteArray jpeg = Octets(Chemin("bon.jpg"));
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        QByteArray png, abime = jpeg;
        QBuffer tampon(&png);
        QVERIFY(jpeg.size() > 1000 && sof > 0 && tampon.open(QIODevice::WriteOnly));
        Motif(8, 8, false).save(&tampon, "PNG");
        for (qsizetype i = 400; i < abime.size() - 2; i += 7) abime[i] = char(0xFF);
        // SOF0 (FF C0, length, precision, height, width) claiming 20000 x 20000.
        const QByteArray geant = QByteArray(jpeg).replace(sof + 5, 4, "\x4E\x20\x4E\x20");
        for (const QByteArray& octets :
             {QByteArray(), png, jpeg.left(jpeg.size() / 2), abime, geant}) {
            QVERIFY(DecoderJpeg(octets).isNull());
            std::ofstream(dossier / "abime.jpg", std::ios::binary)
                .write(octets.data(), octets.size());
            QVERIFY(LireJpeg(Chemin("abime.jpg")).isNull());
        }
        QVERIFY(LireJpeg(Chemin("absent.jpg")).isNull() && !EcrireJpeg(QImage(), Chemin("r.jpg")) &&
                !EcrireJpeg(Motif(4, 4, false), Chemin("pas/de/dossier.jpg")));
    }
};

QTEST_MAIN(TstImageJpeg)
#include "tst_imagejpeg.moc"
