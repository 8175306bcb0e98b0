#include "dialogs/FormCom.h"

#include <QFileDialog>

namespace orvane {

TFormCom* FormCom = nullptr;

TFormCom::TFormCom(QWidget* parent) : QDialog(parent) {}

TFormCom::~TFormCom() = default;

void TFormCom::DefinirDossierFichiers(const QString& dossier) { dossierFichiers_ = dossier; }

TFormCom::ChoixFichier TFormCom::DefinirChoixFichier(ChoixFichier f) {
    std::swap(f, choixFichier_);
    return f;
}

bool TFormCom::ChoisirFichierOuvrir(QString& nom) {
    if (choixFichier_) {
        nom.clear();
        if (!choixFichier_(false, nom) || nom.isEmpty()) return false;
        nomFichier_ = nom;
        return true;
    }
    nom = QFileDialog::getOpenFileName(this, QString(), dossierFichiers_,
                                       QStringLiteral("Fichier Orvane (*.OVX2)"));
    if (nom.isEmpty()) return false;
    nomFichier_ = nom;
    return true;
}

bool TFormCom::ChoisirFichierEnregistrer(QString& nom) {
    if (choixFichier_) {
        nom = nomFichier_;
        if (!choixFichier_(true, nom) || nom.isEmpty()) return false;
        nomFichier_ = nom;
        return true;
    }
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
