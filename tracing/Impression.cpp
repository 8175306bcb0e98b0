#include "tracing/Impression.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <memory>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "graph/CaractMachine.h"
#include "graph/Vue.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "tracing/Exports.h"

namespace orvane {

namespace {

QColor CouleurDe(TCouleur c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QString Cp1252VersQString(const std::string& s) { return QString::fromStdString(DepuisCp1252(s)); }

// Draws text with its top-left corner at (x, y), as the page layout places
// its texts.
void TexteEnHaut(QPainter& p, int x, int y, const QString& texte) {
    p.drawText(x, y + p.fontMetrics().ascent(), texte);
}

// A print graph on the painter: rectangle, scheme row 1, "arial" at a size.
void PreparerGraphe(TGraphe& g, const QRect& r, int taillePolice) {
    g.Gauche = r.left();
    g.Haut = r.top();
    g.Droite = r.left() + r.width();
    g.Bas = r.top() + r.height();
    AppliquerPalette(g, 1);
    g.NomPolice = "arial";
    g.TaillePolice = taillePolice;
}

}  // namespace

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

// Draws one view with a graph lent the painter and clipped to its place:
// the frame's print graph when there is a frame, otherwise one of its own.
static void DessinerVues(QPainter& p, const std::array<QRect, 4>& places,
                         const VuesMontrees& montrees, const CadresTrace& cadres, int taillePolice,
                         bool copie) {
    int j = 0;
    for (int k = 1; k <= NbVues; ++k) {
        if (!montrees[k - 1]) continue;
        const QRect place = places[j++];
        p.save();
        p.setClipRect(place);
        if (TCaractMachine* cadre = cadres[k - 1]) {
            TGraphe& g = copie ? cadre->GrapheCopie : cadre->GrapheImpression;
            const SurfaceGraphe surface(g, p);
            PreparerGraphe(g, place, taillePolice);
            copie ? cadre->Copiercaract() : cadre->Imprimercaract();
        } else {
            TGraphe g;
            auto courbe = std::make_unique<TCourbeGraphe>();
            const SurfaceGraphe surface(g, p);
            PreparerGraphe(g, place, taillePolice);
            DessinerVue(g, *courbe, k);
        }
        p.restore();
    }
}

void DessinerRapport(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                     const CadresTrace& cadres) {
    const auto [W, M, H] = MesurerPage(largeur, hauteur);
    p.save();
    QFont police(QStringLiteral("Arial"), 12);
    police.setStyleHint(QFont::SansSerif);
    p.setFont(police);
    p.setPen(Qt::black);
    const QString titre = Cp1252VersQString(Etude.Titre.Lire());
    const int hauteurTitre = p.fontMetrics().height();
    TexteEnHaut(p, (W - p.fontMetrics().horizontalAdvance(titre)) / 2, hauteurTitre, titre);

    police.setPointSize(9);
    p.setFont(police);
    const int nb = std::clamp(static_cast<int>(Etude.NbCaract), 0, NbCaractMax);
    for (int k = 1; k <= nb; ++k) {
        p.setPen(CouleurDe(TablePalettes[1][k + 1]));
        const int x = (k - 1) * W / 5 + M;
        TexteEnHaut(p, x, (H * 37 / 20) / 2,
                    VersQString(Textes.MotEssai) + QStringLiteral(" ") + QString::number(k));
        TexteEnHaut(p, x, H * 19 / 20, Cp1252VersQString(Caracts[k].Entete.Commentaire.Lire()));
    }
    p.restore();

    DessinerVues(p, PositionsVues(M, H / 20, W, H * 17 / 20, NombreVues(montrees)), montrees,
                 cadres, 8, false);
}

void DessinerVuesCopie(QPainter& p, const QSize& taille, const VuesMontrees& montrees,
                       const CadresTrace& cadres) {
    DessinerVues(p, PositionsVues(0, 0, taille.width(), taille.height(), NombreVues(montrees)),
                 montrees, cadres, 0, true);
}

bool ImprimerRapport(QPrinter& imprimante, const VuesMontrees& montrees,
                     const CadresTrace& cadres) {
    QPainter p;
    if (!p.begin(&imprimante)) {
        Avertir(std::string(Textes.Texte(TexteImpressionImpossible)));
        return false;
    }
    DessinerRapport(p, imprimante.width(), imprimante.height(), montrees, cadres);
    if (!p.end()) {
        Avertir(std::string(Textes.Texte(TexteImpressionImpossible)));
        return false;
    }
    return true;
}

QPageLayout PagePdf() {
    if (FormCom) {
        const QPageLayout page = FormCom->Imprimante()->pageLayout();
        if (page.isValid()) return page;
    }
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QByteArray RapportPdf(const QPageLayout& page, const VuesMontrees& montrees,
                      const CadresTrace& cadres) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&tampon);
    pdf.setResolution(300);
    pdf.setPageLayout(page);
    pdf.setTitle(Cp1252VersQString(Etude.Titre.Lire()));
    pdf.setCreator(QStringLiteral("Orvane"));
    QPainter p;
    if (!p.begin(&pdf)) return {};
    DessinerRapport(p, pdf.width(), pdf.height(), montrees, cadres);
    p.end();
    return octets;
}

bool ExporterRapportPdf(const QString& chemin, const VuesMontrees& montrees,
                        const CadresTrace& cadres) {
    const QByteArray octets = RapportPdf(PagePdf(), montrees, cadres);
    std::string raison;
    if (octets.isEmpty() || !EcrireFichierEntier(chemin.toStdString(), octets.constData(),
                                                 static_cast<size_t>(octets.size()), &raison)) {
        Avertir(std::string(Textes.Texte(TexteErreurEcriture)) + " " + chemin.toStdString() +
                (raison.empty() ? "" : " (" + raison + ")"));
        return false;
    }
    return true;
}

bool Imprimer(const VuesMontrees& montrees, const CadresTrace& cadres) {
    if (!FormCom || !FormCom->PrintDialog1()) return false;
    return ImprimerRapport(*FormCom->Imprimante(), montrees, cadres);
}

bool ExporterPdf(const VuesMontrees& montrees, const CadresTrace& cadres) {
    QString nom;
    if (!ChoisirFichierExport(TexteNumero(TexteFiltrePdf), QStringLiteral("pdf"), nom))
        return false;
    return ExporterRapportPdf(nom, montrees, cadres);
}

}  // namespace orvane
