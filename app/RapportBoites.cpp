#include "app/RapportBoites.h"

#include <QApplication>
#include <QMessageBox>

#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"

namespace orvane {

namespace {

QWidget* Dessus() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    return FormMachine2 != nullptr && FormMachine2->isVisible() ? FormMachine2 : nullptr;
}

const QString TitreBoites = QStringLiteral("Orvane");

}  // namespace

void TRapportBoites::Avertissement(const std::string& texte) {
    QMessageBox::warning(Dessus(), TitreBoites, QString::fromStdString(texte), QMessageBox::Ok);
}

ReponseQuestion TRapportBoites::Question(const std::string& texte) {
    const auto r = QMessageBox::question(Dessus(), TitreBoites, QString::fromStdString(texte),
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    if (r == QMessageBox::Yes) return ReponseQuestion::Oui;
    if (r == QMessageBox::No) return ReponseQuestion::Non;
    return ReponseQuestion::Annuler;
}

}  // namespace orvane
