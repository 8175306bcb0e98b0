#include "dialogs/TrierPoints.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"
#include "study/Cp1252.h"
#include "study/Study.h"

namespace orvane {

TFormTrierPoints* FormTrierPoints = nullptr;

namespace {

constexpr int TexteOK = 1;
constexpr int TexteAnnuler = 2;
constexpr int TexteTitre = 45;
constexpr int TexteOrdreTri = 46;
constexpr int TexteCroissant = 47;
constexpr int TexteDecroissant = 48;
constexpr int TexteSelection = 49;

}  // namespace

TFormTrierPoints::TFormTrierPoints(QWidget* parent) : QDialog(parent) {
    FormTrierPoints = this;
    setFixedSize(442, 398);
    setFont(PoliceArial(9));

    RadioGroupSelect = new QGroupBox(this);
    auto* liste = new QVBoxLayout(RadioGroupSelect);
    liste->setSpacing(3);
    liste->addStretch(1);
    groupeSelect_ = new QButtonGroup(this);

    RadioGroupOrdre = new QGroupBox(this);
    auto* ordre = new QVBoxLayout(RadioGroupOrdre);
    groupeOrdre_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(RadioGroupOrdre);
        ordre->addWidget(item);
        groupeOrdre_->addButton(item, i);
        ItemsOrdre.append(item);
    }

    BitBtnOK = new QPushButton(this);
    BitBtnCancel = new QPushButton(this);
    BitBtnOK->setDefault(true);
    BitBtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (QPushButton* b : {BitBtnOK, BitBtnCancel}) b->setMinimumHeight(30);
    connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* droite = new QVBoxLayout;
    droite->addWidget(RadioGroupOrdre);
    droite->addStretch(1);
    droite->addWidget(BitBtnOK);
    droite->addWidget(BitBtnCancel);
    auto* rangee = new QHBoxLayout(this);
    rangee->setContentsMargins(10, 10, 10, 10);
    rangee->setSpacing(10);
    rangee->addWidget(RadioGroupSelect, 3);
    rangee->addLayout(droite, 2);
}

int TFormTrierPoints::Ordre() const { return groupeOrdre_->checkedId() == 1 ? 1 : 0; }

int TFormTrierPoints::ItemChoisi() const { return groupeSelect_->checkedId(); }

int TFormTrierPoints::GrandeurChoisie() const {
    const int i = ItemChoisi();
    return i >= 0 && i < GrandeursListees.size() ? GrandeursListees[i] : GNumero;
}

void TFormTrierPoints::FormShow() {
    setWindowTitle(TexteNumero(TexteTitre));
    RadioGroupOrdre->setTitle(TexteNumero(TexteOrdreTri));
    ItemsOrdre[0]->setText(TexteNumero(TexteCroissant));
    ItemsOrdre[1]->setText(TexteNumero(TexteDecroissant));
    RadioGroupSelect->setTitle(TexteNumero(TexteSelection));
    BitBtnOK->setText(TexteNumero(TexteOK));
    BitBtnCancel->setText(TexteNumero(TexteAnnuler));

    for (QRadioButton* item : ItemsSelect) {
        groupeSelect_->removeButton(item);
        delete item;
    }
    ItemsSelect.clear();
    GrandeursListees.clear();
    auto* liste = static_cast<QVBoxLayout*>(RadioGroupSelect->layout());
    const int machine = Borner(ReglagesCourants[MotTypeMachine], NbTypesMachine);
    for (int q = 0; q < NbGrandeurs; ++q) {
        // The point number can always be sorted on, whatever the table says.
        if (q != GNumero && DisponibiliteGrandeurs[machine][q] == 0) continue;
        auto* item = new QRadioButton(VersQString(DepuisCp1252(Etude.Grandeurs[q].Nom.Lire())),
                                      RadioGroupSelect);
        liste->insertWidget(liste->count() - 1, item);
        groupeSelect_->addButton(item, static_cast<int>(ItemsSelect.size()));
        ItemsSelect.append(item);
        GrandeursListees.append(q);
        // Made while the dialog opens: shown at once, not at the next event.
        item->show();
    }
    liste->activate();
    ItemsSelect[0]->setChecked(true);
    ItemsOrdre[0]->setChecked(true);
}

void TFormTrierPoints::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
        Centrer(this, FormMachine2);
    }
    QDialog::showEvent(event);
}

}  // namespace orvane
