#include "tracing/Exports.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "graph/Export.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"

namespace orvane {

namespace {

ChoixExport& ChoixInstalle() {
    static ChoixExport choix;
    return choix;
}

bool DialogueExport(const QString& filtre, const QString&, QString& nom) {
    nom = QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), nom, filtre);
    return !nom.isEmpty();
}

}  // namespace

ChoixExport DefinirChoixExport(ChoixExport f) {
    ChoixExport precedent = std::move(ChoixInstalle());
    ChoixInstalle() = std::move(f);
    return precedent;
}

bool ChoisirFichierExport(const QString& filtre, const QString& extension, QString& nom) {
    QString base = QFileInfo(QString::fromStdString(NomFichierEtude)).completeBaseName();
    if (base.isEmpty()) base = QStringLiteral("orvane");
    const QString dossier = FormCom ? FormCom->DossierFichiers() : QString();
    nom = (dossier.isEmpty() ? QString() : dossier + QStringLiteral("/")) + base +
          QStringLiteral(".") + extension;
    const ChoixExport& choix = ChoixInstalle();
    if (!(choix ? choix(filtre, extension, nom) : DialogueExport(filtre, extension, nom)))
        return false;
    if (QFileInfo(nom).suffix().compare(extension, Qt::CaseInsensitive) != 0)
        nom += QStringLiteral(".") + extension;
    return true;
}

void CopierVues(int dpi, const VuesMontrees& montrees, const CadresTrace& cadres) {
    const QSize taille = TailleCopie(dpi);
    const Dessin dessin = [&](QPainter& p) { DessinerVuesCopie(p, taille, montrees, cadres); };
    auto* donnees = new QMimeData;
    donnees->setData(QStringLiteral("image/svg+xml"), SvgDe(taille, dpi, dessin));
    donnees->setImageData(ImageDe(taille, dpi, dessin));
    QGuiApplication::clipboard()->setMimeData(donnees);
}

QString TexteValeursUnicode(int r) { return QString::fromStdString(DepuisCp1252(TexteValeurs(r))); }

void CopierValeurs(int r) { QGuiApplication::clipboard()->setText(TexteValeursUnicode(r)); }

bool ExporterValeursCsv(const QString& chemin) {
    const std::string texte = "\xEF\xBB\xBF" + CsvValeursLangue(-1, ConfigGenerale.Langue);
    std::string raison;
    if (!EcrireFichierEntier(chemin.toStdString(), texte.data(), texte.size(), &raison)) {
        Avertir(std::string(Textes.Texte(TexteErreurEcriture)) + " " + chemin.toStdString() +
                (raison.empty() ? "" : " (" + raison + ")"));
        return false;
    }
    return true;
}

bool ExporterValeurs() {
    QString nom;
    if (!ChoisirFichierExport(TexteNumero(TexteFiltreCsv), QStringLiteral("csv"), nom))
        return false;
    return ExporterValeursCsv(nom);
}

}  // namespace orvane
