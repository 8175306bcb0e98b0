// The JPEG loader reads what the writer wrote and gives a null picture for a
// damaged file, never a crash or half a picture.
#include <QtGui>
#include <QtTest>

#include "OutilsEssai.h"
#include "dialogs/ImageJpeg.h"

using namespace orvane;

namespace {
// A colour gradient.
QImage Motif(int l, int h) {
    QImage image(l, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) image.setPixel(x, y, qRgb(x * 255 / l, y * 255 / h, 128));
    return image;
}
}  // namespace

class TstImageJpeg : public QObject {
    Q_OBJECT
    essai::DossierTemporaire dossier;
    QString Chemin(const char* nom) const { return QString::fromStdString(dossier / nom); }

private slots:
    void damagedFilesGiveANullPicture() {
        EcrireJpeg(Motif(120, 80), Chemin("bon.jpg"), 90);
        const QByteArray jpeg = QByteArray::fromStdString(essai::Contenu(dossier / "bon.jpg"));
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(jpeg.size() > 1000 && sof > 0 &&
                LireJpeg(Chemin("bon.jpg")).size() == QSize(120, 80) &&
                !DecoderJpeg(jpeg).isNull());
        // The colours come back in their channels: (191, 63, 128) there.
        const QRgb lu = LireJpeg(Chemin("bon.jpg")).pixel(90, 20),
                   ecrit = Motif(120, 80).pixel(90, 20);
        for (const int decalage : {16, 8, 0})
            QVERIFY(std::abs(int(lu >> decalage & 0xFF) - int(ecrit >> decalage & 0xFF)) < 10);
        // SOF0 (FF C0, length, precision, height, width) claiming 20000 x 20000.
        const QByteArray geant = QByteArray(jpeg).replace(sof + 5, 4, "\x4E\x20\x4E\x20");
        for (const QByteArray& octets : {QByteArray(), jpeg.left(jpeg.size() / 2), geant}) {
            QVERIFY(DecoderJpeg(octets).isNull());
            std::ofstream(dossier / "abime.jpg", std::ios::binary)
                .write(octets.data(), octets.size());
            QVERIFY(LireJpeg(Chemin("abime.jpg")).isNull());
        }
        QVERIFY(LireJpeg(Chemin("absent.jpg")).isNull() && !EcrireJpeg(QImage(), Chemin("r.jpg")) &&
                !EcrireJpeg(Motif(4, 4), Chemin("pas/de/dossier.jpg")));
    }
};

QTEST_MAIN(TstImageJpeg)
#include "tst_imagejpeg.moc"
