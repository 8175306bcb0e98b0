#include "dialogs/FormCom.h"

#include <QFileDialog>

namespace orvane {

TFormCom* FormCom = nullptr;

TFormCom::TFormCom(QWidget* parent) : QDialog(parent) {}

TFormCom::~TFormCom() = default;

void TFormCom::DefinirDossierFichiers(const QString& dossier) { dossierFichiers_ = dossier; }

bool TFormCom::ChoisirFichierOuvrir(QString& nom) {
    nom = QFileDialog::getOpenFileName(this, QString(), dossierFichiers_,
                                       QStringLiteral("Fichier Orvane (*.OVX2)"));
    if (nom.isEmpty()) return false;
    nomFichier_ = nom;
    return true;
}

bool TFormCom::ChoisirFichierEnregistrer(QString& nom) {
    nom = QFileDialog::getSaveFileName(this, QString(),
                                       nomFichier_.isEmpty() ? dossierFichiers_ : nomFichier_,
                                       QStringLiteral("Fichier Orvane (*.OVX2)"));
    if (nom.isEmpty()) return false;
    nomFichier_ = nom;
    return true;
}

void TFormCom::OublierNomFichier() { nomFichier_.clear(); }

void TFormCom::Espion() {}

}  // namespace orvane
