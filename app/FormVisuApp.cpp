#include "app/FormVisuApp.h"

#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/Habillage.h"

namespace orvane {

namespace {

constexpr int TexteApplications = 53;

}  // namespace

TFormVisuApp::TFormVisuApp(QWidget* parent) : QWidget(parent) {
    texte_ = new QLabel(this);
    texte_->setAlignment(Qt::AlignCenter);
    texte_->setFont(PoliceArial(14));
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(texte_);
    resize(480, 320);
}

void TFormVisuApp::DefinirGroupe(int groupe) { groupe_ = groupe; }

void TFormVisuApp::Montrer() {
    setWindowTitle(TexteNumero(TexteApplications));
    texte_->setText(QStringLiteral("%1 — %2").arg(TexteNumero(TexteApplications)).arg(groupe_));
    show();
    raise();
}

}  // namespace orvane
