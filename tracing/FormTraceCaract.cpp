#include "tracing/FormTraceCaract.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"

namespace orvane {

namespace {

constexpr int TexteFermer = 3;
constexpr int TexteTitreFenetre = 27;
constexpr int TexteFichierModifie = 43;

}  // namespace

TFormTraceCaract::TFormTraceCaract(QWidget* parent) : QMainWindow(parent) {
    auto* centre = new QWidget(this);
    LabelTitre = new QLabel(centre);
    LabelTitre->setFont(PoliceArial(14));
    LabelTitre->setAutoFillBackground(true);
    QPalette barre = LabelTitre->palette();
    barre.setColor(QPalette::Window, CouleurBarre);
    barre.setColor(QPalette::WindowText, Qt::white);
    LabelTitre->setPalette(barre);
    LabelTitre->setMargin(6);
    LabelEtude = new QLabel(centre);
    LabelEtude->setFont(PoliceArial(11));
    LabelEssais = new QLabel(centre);
    LabelEssais->setFont(PoliceArial(10, false));
    LabelEssais->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    ButtonFermer = new QPushButton(centre);
    ButtonFermer->setFont(PoliceArial(9));
    connect(ButtonFermer, &QPushButton::clicked, this, &QWidget::close);

    auto* colonne = new QVBoxLayout(centre);
    colonne->addWidget(LabelTitre);
    colonne->addWidget(LabelEtude);
    colonne->addWidget(LabelEssais, 1);
    colonne->addWidget(ButtonFermer, 0, Qt::AlignRight);
    setCentralWidget(centre);
    resize(640, 400);
    Langue();
}

void TFormTraceCaract::Setcourbe() {
    if (CaractCourante >= 1 && CaractCompatible(CaractCourante))
        Caracts[CaractCourante].Entete = ReglagesCourants;
    else
        NouvelleCaract();
    if (isVisible()) Action();
}

void TFormTraceCaract::Montrer() {
    Action();
    show();
    raise();
    activateWindow();
}

bool TFormTraceCaract::EstVisible() const { return isVisible(); }

void TFormTraceCaract::Langue() {
    setWindowTitle(TexteNumero(TexteTitreFenetre));
    LabelTitre->setText(TexteNumero(TexteTitreFenetre));
    ButtonFermer->setText(TexteNumero(TexteFermer).trimmed());
    Action();
}

void TFormTraceCaract::Action() {
    LabelEtude->setText(VersQString(DepuisCp1252(Etude.Titre.Lire())));
    const int n = std::min(std::max(Etude.NbCaract, 0), NbCaractMax);
    QString essais = QStringLiteral("%1 : %2").arg(VersQString(Textes.MotEssai)).arg(n);
    for (int k = 1; k <= n; ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        essais +=
            QStringLiteral("\n%1 %2 — %3 — %4 — %5 points")
                .arg(VersQString(Textes.MotEssai))
                .arg(k)
                .arg(VersQString(Textes.NomMachine[Borner(e[MotTypeMachine], NbTypesMachine)]))
                .arg(VersQString(Textes.NomLoi[Borner(e[MotTypeCaract], NbTypesCaract)]))
                .arg(std::max(e[MotDernierPoint] + 1, 0));
    }
    LabelEssais->setText(essais);
}

bool TFormTraceCaract::Avertissement() {
    if (EtudeEnregistree) return true;
    switch (Demander(std::string(Textes.Texte(TexteFichierModifie)))) {
        case ReponseQuestion::Non: return true;
        case ReponseQuestion::Annuler: return false;
        case ReponseQuestion::Oui: break;
    }
    QString nom;
    if (FormCom == nullptr || !FormCom->ChoisirFichierEnregistrer(nom)) return false;
    // A failed save has been reported and the work is still only in memory:
    // the command that asked must not go on and lose it.
    return EnregistrerEtude(QFile::encodeName(nom).toStdString());
}

void TFormTraceCaract::closeEvent(QCloseEvent* event) {
    if (FormMachine2 != nullptr) FormMachine2->show();
    QMainWindow::closeEvent(event);
}

}  // namespace orvane
