#include "tracing/Exports.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "graph/Export.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "tracing/Classeur.h"

namespace orvane {

namespace {

ChoixExport& ChoixInstalle() {
    static ChoixExport choix;
    return choix;
}

bool DialogueExport(const QString& filtre, QString& extension, QString& nom) {
    const QStringList filtres = filtre.split(QStringLiteral(";;"));
    QString choisi = filtres.value(0);
    nom =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), nom, filtre, &choisi);
    // The extension of the filter chosen: "Classeur (*.xlsx)" gives xlsx.
    const qsizetype etoile = choisi.lastIndexOf(QStringLiteral("*."));
    if (etoile >= 0)
        extension = choisi.mid(etoile + 2).section(QLatin1Char(')'), 0, 0).section(' ', 0, 0);
    return !nom.isEmpty();
}

bool Ecrit(const std::string& chemin, bool fait, const std::string& raison) {
    if (!fait)
        Avertir(std::string(Textes.Texte(TexteErreurEcriture)) + " " + chemin +
                (raison.empty() ? "" : " (" + raison + ")"));
    return fait;
}

}  // namespace

ChoixExport DefinirChoixExport(ChoixExport f) {
    ChoixExport precedent = std::move(ChoixInstalle());
    ChoixInstalle() = std::move(f);
    return precedent;
}

bool ChoisirFichierExport(const QString& filtre, const QString& extension, QString& nom) {
    int type = 0;
    return ChoisirFichierExport(QStringList{filtre}, QStringList{extension}, nom, type);
}

bool ChoisirFichierExport(const QStringList& filtres, const QStringList& extensions, QString& nom,
                          int& type) {
    QString base = QFileInfo(QString::fromStdString(NomFichierEtude)).completeBaseName();
    if (base.isEmpty()) base = QStringLiteral("orvane");
    const QString dossier = FormCom ? FormCom->DossierFichiers() : QString();
    QString extension = extensions.value(0);
    nom = (dossier.isEmpty() ? QString() : dossier + QStringLiteral("/")) + base +
          QStringLiteral(".") + extension;
    const QString filtre = filtres.join(QStringLiteral(";;"));
    const ChoixExport& choix = ChoixInstalle();
    if (!(choix ? choix(filtre, extension, nom) : DialogueExport(filtre, extension, nom)))
        return false;
    auto indice = [&](const QString& e) {
        for (qsizetype i = 0; i < extensions.size(); ++i)
            if (extensions[i].compare(e, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
        return -1;
    };
    type = indice(QFileInfo(nom).suffix());
    if (type >= 0) return true;
    type = std::max(indice(extension), 0);
    nom += QStringLiteral(".") + extensions.value(type);
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
    const std::string c = chemin.toStdString();
    return Ecrit(c, EcrireFichierEntier(c, texte.data(), texte.size(), &raison), raison);
}

bool ExporterValeursXlsx(const QString& chemin) {
    std::string raison;
    const std::string c = chemin.toStdString();
    return Ecrit(c, EcrireClasseur(c, &raison), raison);
}

bool ExporterValeurs() {
    QString nom;
    int type = 0;
    if (!ChoisirFichierExport({TexteNumero(TexteFiltreCsv), TexteNumero(TexteFiltreXlsx)},
                              {QStringLiteral("csv"), QStringLiteral("xlsx")}, nom, type))
        return false;
    return type == 1 ? ExporterValeursXlsx(nom) : ExporterValeursCsv(nom);
}

}  // namespace orvane
