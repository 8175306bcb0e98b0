#include "graph/Export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <memory>

#include "graph/Vue.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Study.h"

namespace orvane {

QSize TailleCopie(int dpi) { return {dpi * 19000 / 2540, (dpi * 28000 / 2540) / 2}; }

void PreparerGrapheCopie(TGraphe& g, QPainter& p, const QSize& taille) {
    g.Gauche = 0;
    g.Haut = 0;
    g.Droite = taille.width();
    g.Bas = taille.height();
    AppliquerPalette(g, 1);
    g.NomPolice = "arial";
    g.TaillePolice = 0;
    p.setClipRect(QRect(QPoint(0, 0), taille));
}

void DessinerVueCopie(QPainter& p, const QSize& taille, int vue) {
    TGraphe g;
    auto courbe = std::make_unique<TCourbeGraphe>();
    const SurfaceGraphe surface(g, p);
    PreparerGrapheCopie(g, p, taille);
    DessinerVue(g, *courbe, vue);
}

QByteArray SvgDe(const QSize& taille, int dpi, const Dessin& dessin) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&tampon);
    svg.setSize(taille);
    svg.setViewBox(QRect(QPoint(0, 0), taille));
    svg.setResolution(dpi);
    svg.setTitle(QString::fromStdString(DepuisCp1252(Etude.Titre.Lire())));
    QPainter p(&svg);
    dessin(p);
    p.end();
    return octets;
}

QImage ImageDe(const QSize& taille, int dpi, const Dessin& dessin) {
    QImage image(taille, QImage::Format_RGB32);
    const int parMetre = dpi * 10000 / 254;
    image.setDotsPerMeterX(parMetre);
    image.setDotsPerMeterY(parMetre);
    image.fill(Qt::white);
    QPainter p(&image);
    dessin(p);
    p.end();
    return image;
}

QByteArray PdfDe(const QSize& taille, int dpi, const Dessin& dessin) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&tampon);
    pdf.setResolution(dpi);
    const QSizeF mm(taille.width() * 25.4 / dpi, taille.height() * 25.4 / dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0)));
    pdf.setTitle(QString::fromStdString(DepuisCp1252(Etude.Titre.Lire())));
    QPainter p(&pdf);
    dessin(p);
    p.end();
    return octets;
}

bool ExporterVue(int vue, const std::string& chemin, const QSize& taille, int dpi,
                 std::string* raison) {
    const QString suffixe = QFileInfo(QString::fromStdString(chemin)).suffix().toLower();
    const Dessin dessin = [&](QPainter& p) { DessinerVueCopie(p, taille, vue); };
    QByteArray octets;
    if (suffixe == "svg") {
        octets = SvgDe(taille, dpi, dessin);
    } else if (suffixe == "pdf") {
        octets = PdfDe(taille, dpi, dessin);
    } else if (suffixe == "png") {
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        if (!ImageDe(taille, dpi, dessin).save(&tampon, "PNG")) {
            if (raison) *raison = "cannot encode the PNG picture";
            return false;
        }
    } else {
        if (raison) *raison = "the file name must end in .svg, .png or .pdf";
        return false;
    }
    return EcrireFichierEntier(chemin, octets.constData(), static_cast<size_t>(octets.size()),
                               raison);
}

std::string TexteValeursVue(int vue, int k) {
    const VueBornee v = BornerVue(Etude.Vues[std::clamp(vue, 1, NbVues) - 1]);
    const DescGrandeur& dx = Etude.Grandeurs[v.qX];
    const DescGrandeur& dy = Etude.Grandeurs[v.qY];
    const std::string ux = DepuisCp1252(dx.Unite.Lire());
    const std::string uy = DepuisCp1252(dy.Unite.Lire());
    std::string t =
        DepuisCp1252(dx.Symbole.Lire()) + "\t" + DepuisCp1252(dy.Symbole.Lire()) + "\r\n";
    t += ux.empty() ? "\t" : "(" + ux + ")\t";
    if (!uy.empty()) t += "(" + uy + ")";
    t += "\r\n";
    if (k < 1 || k > NbCaractMax) return t;
    const Caracteristique& c = Caracts[k];
    for (int p = 0; p <= std::min(c.Dernier(), DernierPointMax); ++p)
        t += FormatFixe(c.Point(v.qX, p), dx.Decimales) + "\t" +
             FormatFixe(c.Point(v.qY, p), dy.Decimales) + "\r\n";
    return t;
}

}  // namespace orvane
