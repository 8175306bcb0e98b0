#include "tracing/RapportPdf.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "graph/Graphe.h"
#include "graph/Vue.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString DeLEtude(const std::string& cp1252) { return QString::fromStdString(DepuisCp1252(cp1252)); }
QString NomEssai(int k) { return Utf8(Textes.MotEssai) + QLatin1Char(' ') + QString::number(k); }
// The curve colour of trial k in the print scheme.
QColor CouleurEssai(int k) { return VersQColor(TablePalettes[1][std::clamp(k, 1, 5) + 1]); }

// Draws text with its top-left corner at (x, y), as the page layout places
// its texts.
void TexteEnHaut(QPainter& p, int x, int y, const QString& texte) {
    p.drawText(x, y + p.fontMetrics().ascent(), texte);
}

}  // namespace

// ---- the study's page ----

VuesMontrees VuesDeLEtude() {
    VuesMontrees m{};
    for (int k = 0; k < NbVues; ++k) m[k] = Etude.Vues[k].Presente && Etude.Vues[k].Affichee;
    return m;
}

int NombreVues(const VuesMontrees& montrees) {
    return static_cast<int>(std::count(montrees.begin(), montrees.end(), true));
}

std::array<QRect, 4> PositionsVues(int l, int t, int w, int h, int n) {
    const int w2 = w / 2, h2 = h / 2;
    switch (n) {
        case 1: return {QRect(l, t, w, h)};
        case 2: return {QRect(l, t, w2, h), QRect(l + w2, t, w2, h)};
        case 3: return {QRect(l, t, w2, h2), QRect(l, t + h2, w2, h2), QRect(l + w2, t, w2, h)};
        case 4:
            return {QRect(l, t, w2, h2), QRect(l, t + h2, w2, h2), QRect(l + w2, t, w2, h2),
                    QRect(l + w2, t + h2, w2, h2)};
        default: return {};
    }
}

MesuresPage MesurerPage(int largeurPage, int hauteurPage) {
    const int W = largeurPage * 28 / 30;
    return {W, W / 28, std::min(hauteurPage, W)};
}

void PreparerGrapheImpression(TGraphe& g, const QRect& r, int taillePolice) {
    g.Gauche = r.left();
    g.Haut = r.top();
    g.Droite = r.left() + r.width();
    g.Bas = r.top() + r.height();
    AppliquerPalette(g, 1);
    g.NomPolice = "arial";
    g.TaillePolice = taillePolice;
}

void DessinerVueImpression(QPainter& p, int vue, const QRect& place, int taillePolice) {
    TGraphe g;
    auto courbe = std::make_unique<TCourbeGraphe>();
    const SurfaceGraphe surface(g, p);
    PreparerGrapheImpression(g, place, taillePolice);
    DessinerVue(g, *courbe, vue);
}

void DessinerVuesDans(QPainter& p, const std::array<QRect, 4>& places, const VuesMontrees& montrees,
                      const DessinVue& dessin) {
    int j = 0;
    for (int k = 1; k <= NbVues; ++k) {
        if (!montrees[k - 1]) continue;
        const QRect place = places[j++];
        p.save();
        p.setClipRect(place);
        dessin(p, k, place);
        p.restore();
    }
}

void DessinerPageEtude(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                       const DessinVue& dessin) {
    const auto [W, M, H] = MesurerPage(largeur, hauteur);
    p.save();
    QFont police(QStringLiteral("Arial"), 12);
    police.setStyleHint(QFont::SansSerif);
    p.setFont(police);
    p.setPen(Qt::black);
    const QString titre = DeLEtude(Etude.Titre.Lire());
    const int hauteurTitre = p.fontMetrics().height();
    TexteEnHaut(p, (W - p.fontMetrics().horizontalAdvance(titre)) / 2, hauteurTitre, titre);

    police.setPointSize(9);
    p.setFont(police);
    const int nb = std::clamp(static_cast<int>(Etude.NbCaract), 0, NbCaractMax);
    for (int k = 1; k <= nb; ++k) {
        p.setPen(CouleurEssai(k));
        const int x = (k - 1) * W / 5 + M;
        TexteEnHaut(p, x, (H * 37 / 20) / 2, NomEssai(k));
        TexteEnHaut(p, x, H * 19 / 20, DeLEtude(Caracts[k].Entete.Commentaire.Lire()));
    }
    p.restore();

    const DessinVue propre = [](QPainter& q, int vue, const QRect& place) {
        DessinerVueImpression(q, vue, place, 8);
    };
    DessinerVuesDans(p, PositionsVues(M, H / 20, W, H * 17 / 20, NombreVues(montrees)), montrees,
                     dessin ? dessin : propre);
}

QPageLayout PageParDefaut() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

}  // namespace orvane
