#include "tracing/Impression.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "graph/CaractMachine.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "tracing/Exports.h"

namespace orvane {

namespace {

// Draws view k through its frame's print (or copy) graph when there is a
// frame, otherwise with a graph of its own.
DessinVue ParLesCadres(const CadresTrace& cadres, int taillePolice, bool copie) {
    return [&cadres, taillePolice, copie](QPainter& p, int k, const QRect& place) {
        TCaractMachine* cadre = cadres[k - 1];
        if (!cadre) return DessinerVueImpression(p, k, place, taillePolice);
        TGraphe& g = copie ? cadre->GrapheCopie : cadre->GrapheImpression;
        const SurfaceGraphe surface(g, p);
        PreparerGrapheImpression(g, place, taillePolice);
        copie ? cadre->Copiercaract() : cadre->Imprimercaract();
    };
}

void Signaler(const QString& chemin, const std::string& raison) {
    Avertir(std::string(Textes.Texte(TexteErreurEcriture)) + " " + chemin.toStdString() +
            (raison.empty() ? "" : " (" + raison + ")"));
}

}  // namespace

void DessinerRapport(QPainter& p, int largeur, int hauteur, const VuesMontrees& montrees,
                     const CadresTrace& cadres) {
    DessinerPageEtude(p, largeur, hauteur, montrees, ParLesCadres(cadres, 8, false));
}

void DessinerVuesCopie(QPainter& p, const QSize& taille, const VuesMontrees& montrees,
                       const CadresTrace& cadres) {
    DessinerVuesDans(p, PositionsVues(0, 0, taille.width(), taille.height(), NombreVues(montrees)),
                     montrees, ParLesCadres(cadres, 0, true));
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
    return PageParDefaut();
}

QByteArray RapportPdf(const QPageLayout& page, const VuesMontrees& montrees,
                      const CadresTrace& cadres) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&tampon);
    pdf.setResolution(300);
    pdf.setPageLayout(page);
    pdf.setTitle(QString::fromStdString(DepuisCp1252(Etude.Titre.Lire())));
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
        Signaler(chemin, raison);
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

bool ExporterCompteRenduPdf(const QString& chemin, const VuesMontrees& montrees,
                            const CadresTrace& cadres) {
    CompteRendu c;
    c.page = PagePdf();
    c.vues = montrees;
    c.dessin = ParLesCadres(cadres, 8, false);
    QString raison;
    if (EcrireCompteRendu(chemin, c, &raison)) return true;
    Signaler(chemin, raison.toStdString());
    return false;
}

bool ExporterCompteRendu(const VuesMontrees& montrees, const CadresTrace& cadres) {
    QString nom;
    if (!ChoisirFichierExport(TexteNumero(TexteFiltrePdf), QStringLiteral("pdf"), nom))
        return false;
    return ExporterCompteRenduPdf(nom, montrees, cadres);
}

}  // namespace orvane
