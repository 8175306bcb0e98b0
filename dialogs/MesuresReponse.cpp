#include "dialogs/MesuresReponse.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "dialogs/Habillage.h"
#include "graph/Lectures.h"
#include "study/Cp1252.h"
#include "study/Study.h"

namespace orvane {

namespace {
constexpr int TexteOK = 1;
}  // namespace

TMesuresReponse::TMesuresReponse(int vue, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MesuresReponse"));
    setWindowTitle(TexteNumero(TexteMesuresReponse));
    auto* colonne = new QVBoxLayout(this);
    auto* choix = new QFormLayout;
    ListeEssais = new QComboBox(this);
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        if (Caracts[k].Dernier() < 0) continue;
        ListeEssais->addItem(QStringLiteral("%1 %2").arg(VersQString(Textes.MotEssai)).arg(k));
        essais_ << k;
    }
    ListeGrandeurs = new QComboBox(this);
    for (int q = 1; q < GTemps; ++q) {
        ListeGrandeurs->addItem(VersQString(DepuisCp1252(Etude.Grandeurs[q].Nom.Lire())));
        grandeurs_ << q;
    }
    ListeEssais->setAccessibleName(VersQString(Textes.MotEssai));
    ListeGrandeurs->setAccessibleName(TexteNumero(TexteGrandeur));
    choix->addRow(VersQString(Textes.MotEssai), ListeEssais);
    choix->addRow(TexteNumero(TexteGrandeur), ListeGrandeurs);
    colonne->addLayout(choix);

    auto* mesures = new QFormLayout;
    for (int i = 0; i < 7; ++i) {
        Valeurs[i] = new QLabel(this);
        Valeurs[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Valeurs[i]->setMinimumWidth(120);
        auto* nom = new QLabel(TexteNumero(TexteValeurInitiale + i), this);
        Valeurs[i]->setAccessibleName(nom->text());
        mesures->addRow(nom, Valeurs[i]);
    }
    colonne->addLayout(mesures);
    BoutonFermer = new QPushButton(TexteNumero(TexteOK), this);
    BoutonFermer->setDefault(true);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(BoutonFermer);
    colonne->addLayout(bas);
    connect(BoutonFermer, &QPushButton::clicked, this, &QDialog::accept);

    const int courant = static_cast<int>(essais_.indexOf(CaractCourante));
    ListeEssais->setCurrentIndex(courant >= 0 ? courant : 0);
    const int qY = Etude.Vues[std::clamp(vue, 1, NbVues) - 1].GrandeurY;
    const int position = static_cast<int>(grandeurs_.indexOf(qY));
    ListeGrandeurs->setCurrentIndex(position >= 0 ? position : 0);
    connect(ListeEssais, &QComboBox::currentIndexChanged, this, [this] { Calculer(); });
    connect(ListeGrandeurs, &QComboBox::currentIndexChanged, this, [this] { Calculer(); });
    Calculer();
}

void TMesuresReponse::Calculer() {
    const int i = ListeEssais->currentIndex(), j = ListeGrandeurs->currentIndex();
    const int k = i >= 0 && i < essais_.size() ? essais_[i] : 0;
    const int q = j >= 0 && j < grandeurs_.size() ? grandeurs_[j] : 1;
    const std::array<std::string, 7> t = TextesMesures(MesurerEssai(k, q), q);
    for (int n = 0; n < 7; ++n) Valeurs[n]->setText(VersQString(t[static_cast<size_t>(n)]));
}

}  // namespace orvane
