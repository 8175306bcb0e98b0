// Build-time tool: renders a vector picture to a JPEG of a given size, on
// black, or to a PNG (OUT ending in ".png"), on transparent.
//   orvane_rendu_svg IN.svg OUT.jpg|OUT.png WIDTH HEIGHT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "dialogs/ImageJpeg.h"

int main(int argc, char** argv) {
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: orvane_rendu_svg IN.svg OUT.jpg|OUT.png WIDTH HEIGHT\n");
        return 1;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int largeur = std::atoi(argv[3]);
    const int hauteur = std::atoi(argv[4]);
    if (!svg.isValid() || largeur <= 0 || hauteur <= 0) {
        std::fprintf(stderr, "orvane_rendu_svg: cannot read %s\n", argv[1]);
        return 2;
    }
    const QString sortie = QString::fromLocal8Bit(argv[2]);
    const bool png = sortie.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    QImage image(largeur, hauteur, png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(png ? Qt::transparent : Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    svg.render(&p);
    p.end();
    const bool ecrit = png ? image.save(sortie, "PNG") : orvane::EcrireJpeg(image, sortie, 92);
    if (!ecrit) {
        std::fprintf(stderr, "orvane_rendu_svg: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
