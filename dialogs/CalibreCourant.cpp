#include "dialogs/CalibreCourant.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"
#include "study/Study.h"

namespace orvane {

TFormCalibreCourant* FormCalibreCourant = nullptr;

namespace {

constexpr int TexteOK = 1;
constexpr int TexteTitre = 50;
constexpr int TexteCalibre2A = 51;
constexpr int TexteCalibre20A = 52;

// The header whose range the dialog shows: that of the current
// characteristic (record 0, outside the study, when there is none).
EnteteCaract& EnteteCourant() { return Caracts[Borner(CaractCourante, NbRecords)].Entete; }

}  // namespace

TFormCalibreCourant::TFormCalibreCourant(QWidget* parent) : QDialog(parent) {
    FormCalibreCourant = this;
    setFixedSize(327, 119);
    setFont(PoliceArial(9));

    ButtonCalibre2A = new QToolButton(this);
    ButtonCalibre20A = new QToolButton(this);
    groupe_ = new QButtonGroup(this);
    for (QToolButton* b : {ButtonCalibre2A, ButtonCalibre20A}) {
        b->setCheckable(true);
        b->setFixedSize(145, 40);
        b->setFocusPolicy(Qt::StrongFocus);
        // The range in use is the button down, in the teal of the bars.
        b->setStyleSheet(QStringLiteral(
            "QToolButton { border: 1px solid #808080; border-radius: 3px; background: #f4f4f4; }"
            "QToolButton:checked { background: #008080; color: white; border-color: #004040; }"
            "QToolButton:focus { border: 2px solid #008080; }"));
        groupe_->addButton(b);
    }
    connect(ButtonCalibre2A, &QToolButton::clicked, this,
            &TFormCalibreCourant::ButtonCalibre2AClick);
    connect(ButtonCalibre20A, &QToolButton::clicked, this,
            &TFormCalibreCourant::ButtonCalibre20AClick);

    BitBtn1 = new QPushButton(this);
    BitBtn1->setDefault(true);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setFixedSize(110, 30);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormCalibreCourant::BitBtn1Click);

    auto* calibres = new QHBoxLayout;
    calibres->addWidget(ButtonCalibre2A);
    calibres->addWidget(ButtonCalibre20A);
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(12, 10, 12, 10);
    colonne->addLayout(calibres);
    colonne->addStretch(1);
    colonne->addWidget(BitBtn1, 0, Qt::AlignHCenter);
}

void TFormCalibreCourant::FormShow() {
    setWindowTitle(TexteNumero(TexteTitre));
    ButtonCalibre2A->setText(TexteNumero(TexteCalibre2A));
    ButtonCalibre20A->setText(TexteNumero(TexteCalibre20A));
    BitBtn1->setText(TexteNumero(TexteOK));
    // A word that is neither range (a damaged file) shows both buttons up.
    const int32_t mot = EnteteCourant()[MotCalibre];
    groupe_->setExclusive(false);
    ButtonCalibre2A->setChecked(mot == 1);
    ButtonCalibre20A->setChecked(mot == 0);
    groupe_->setExclusive(true);
}

void TFormCalibreCourant::Calibre(int32_t valeur) {
    int32_t& mot = EnteteCourant()[MotCalibre];
    if (mot == valeur) return;
    mot = valeur;
    // The range is kept in the work file: a trial of the study has changed.
    if (CaractCourante >= 1 && CaractCourante <= Etude.NbCaract) EtudeEnregistree = 0;
}

void TFormCalibreCourant::ButtonCalibre2AClick() { Calibre(1); }

void TFormCalibreCourant::ButtonCalibre20AClick() { Calibre(0); }

void TFormCalibreCourant::BitBtn1Click() { accept(); }

void TFormCalibreCourant::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
        Centrer(this, FormMachine2);
    }
    QDialog::showEvent(event);
}

}  // namespace orvane
