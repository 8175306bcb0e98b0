#include "dialogs/Avertissements.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"

namespace orvane {

TAvertissements* Avertissements = nullptr;

namespace {

constexpr int TexteOK = 1;
constexpr int TexteAnnuler = 2;
constexpr int TexteTitre = 175;
constexpr int TexteAttention = 176;
constexpr int TexteBornes = 177;
constexpr int TexteFrein = 178;

}  // namespace

bool TAvertissements::TypeAvecAvertissement(int type) {
    switch (type) {
        case 6:
        case 7:
        case 9:
        case 10:
        case 11:
        case 13:
        case 15:
        case 16:
        case 17:
        case 18: return true;
        default: return false;
    }
}

TAvertissements::TAvertissements(QWidget* parent) : QDialog(parent) {
    Avertissements = this;
    setFixedSize(544, 146);
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white);
    setPalette(fond);

    auto etiquette = [this](int points) {
        auto* l = new QLabel(this);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(PoliceArial(points));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        l->setPalette(p);
        return l;
    };
    TextAvert0 = etiquette(18);
    TextAvert1 = etiquette(10);
    TextAvert2 = etiquette(10);

    BoutonOK = new QPushButton(this);
    BoutonAnnuler = new QPushButton(this);
    for (QPushButton* b : {BoutonOK, BoutonAnnuler}) {
        b->setFont(PoliceArial(9));
        b->setFixedSize(100, 27);
    }
    BoutonOK->setDefault(true);
    connect(BoutonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(BoutonOK);
    boutons->addSpacing(16);
    boutons->addWidget(BoutonAnnuler);
    boutons->addStretch(1);
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(8, 6, 8, 8);
    colonne->setSpacing(2);
    colonne->addStretch(1);
    colonne->addWidget(TextAvert0);
    colonne->addWidget(TextAvert1);
    colonne->addWidget(TextAvert2);
    colonne->addStretch(1);
    colonne->addLayout(boutons);
}

void TAvertissements::FormShow() {
    setWindowTitle(TexteNumero(TexteTitre));
    BoutonOK->setText(TexteNumero(TexteOK));
    BoutonAnnuler->setText(TexteNumero(TexteAnnuler));
    // For other types the labels keep what they showed: the choice window
    // never warns about them.
    if (TypeAvecAvertissement(TypeCaract)) {
        TextAvert0->setText(TexteNumero(TexteAttention));
        TextAvert1->setText(TexteNumero(TexteBornes));
        TextAvert2->setText(TexteNumero(TexteFrein));
    }
}

void TAvertissements::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
        Centrer(this, FormMachine2);
    }
    QDialog::showEvent(event);
}

}  // namespace orvane
