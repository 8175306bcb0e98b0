#include "dialogs/DroiteCharge.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cstring>

#include "dialogs/Habillage.h"
#include "study/Cp1252.h"
#include "study/Study.h"

namespace orvane {

namespace {
constexpr int TexteOK = 1;
constexpr int TexteAnnuler = 2;
// The items of the laws, in the order of GenreLoi, named by the text table's
// law names of the matching static types.
constexpr int TypesLois[5] = {6, 7, 8, 9, 15};

QString Unite(int q) { return VersQString(DepuisCp1252(Etude.Grandeurs[q].Unite.Lire())); }

// A field and the edit inside it take the name of their line.
void Nommer(QDoubleSpinBox* e, const QString& nom) {
    e->setAccessibleName(nom);
    if (auto* edit = e->findChild<QLineEdit*>()) edit->setAccessibleName(nom);
}

QDoubleSpinBox* Champ(QWidget* parent, double min, double max, int decimales) {
    auto* e = new QDoubleSpinBox(parent);
    e->setRange(min, max);
    e->setDecimals(decimales);
    e->setLocale(QLocale(QLocale::French));  // the program's decimal comma
    e->setMinimumWidth(140);
    return e;
}
}  // namespace

TDroiteCharge::TDroiteCharge(int vue, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DroiteCharge"));
    setWindowTitle(TexteNumero(TexteDroiteCharge).remove(QChar(0x2026)));
    auto* colonne = new QVBoxLayout(this);
    auto* lignLoi = new QFormLayout;
    ListeLois = new QComboBox(this);
    ListeLois->addItem(TexteNumero(TexteSansDroite));
    for (int type : TypesLois) ListeLois->addItem(VersQString(Textes.NomLoi[type]));
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        if (!LoiDeEssai(Caracts[k].Entete, ConfigGenerale.GammePuissance,
                        ConfigGenerale.FrequenceReseau))
            continue;
        const int32_t type = Caracts[k].Entete[MotTypeCaract];
        ListeLois->addItem(QStringLiteral("%1 %2 — %3")
                               .arg(VersQString(Textes.MotEssai))
                               .arg(k)
                               .arg(VersQString(Textes.NomLoi[static_cast<size_t>(type)])));
        essais_ << k;
    }
    ListeLois->setAccessibleName(TexteNumero(TexteLoiCharge));
    auto* nomLoi = new QLabel(TexteNumero(TexteLoiCharge), this);
    nomLoi->setBuddy(ListeLois);
    lignLoi->addRow(nomLoi, ListeLois);
    colonne->addLayout(lignLoi);

    GroupeParametres = new QGroupBox(TexteNumero(TexteParametresLoi), this);
    formulaire_ = new QFormLayout(GroupeParametres);
    const QString tr = Unite(1), nm = Unite(2), w = Unite(3);
    EditB = Champ(GroupeParametres, -1000, 1000, 3);
    EditA = Champ(GroupeParametres, -1, 1, 9);
    EditP = Champ(GroupeParametres, 0, 100000, 1);
    EditTmax = Champ(GroupeParametres, 0, 1000, 3);
    EditTc = Champ(GroupeParametres, 0, 1000, 3);
    EditTr = Champ(GroupeParametres, 0, 1000, 3);
    EditNd = Champ(GroupeParametres, 0, 100000, 1);
    const std::pair<QDoubleSpinBox*, QString> champs[] = {
        {EditA, QStringLiteral("a (%1/%2)").arg(nm, tr)},
        {EditB, QStringLiteral("b, T (%1)").arg(nm)},
        {EditP, QStringLiteral("P (%1)").arg(w)},
        {EditTmax, QStringLiteral("Tmax (%1)").arg(nm)},
        {EditTc, QStringLiteral("Tc (%1)").arg(nm)},
        {EditTr, QStringLiteral("Tr (%1)").arg(nm)},
        {EditNd, QStringLiteral("nd (%1)").arg(tr)}};
    for (const auto& [e, nom] : champs) {
        formulaire_->addRow(nom, e);
        Nommer(e, nom);
        connect(e, &QDoubleSpinBox::valueChanged, this, [this] { Montrer(); });
    }
    colonne->addWidget(GroupeParametres);

    BoutonOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               TexteNumero(TexteOK), this);
    BoutonOK->setDefault(true);
    BoutonAnnuler = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    TexteNumero(TexteAnnuler), this);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(BoutonOK);
    bas->addWidget(BoutonAnnuler);
    colonne->addLayout(bas);
    connect(BoutonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    // What the view holds.
    if (const std::optional<LoiVue> lue = LireLoiVue(Etude.Vues[std::clamp(vue, 1, NbVues) - 1])) {
        if (lue->essaiCharge > 0 && essais_.contains(lue->essaiCharge)) {
            ListeLois->setCurrentIndex(6 + static_cast<int>(essais_.indexOf(lue->essaiCharge)));
        } else if (lue->essaiCharge == 0) {
            const LoiCharge& l = lue->loi;
            ListeLois->setCurrentIndex(static_cast<int>(l.Genre));
            EditA->setValue(l.A), EditB->setValue(l.B), EditP->setValue(l.P);
            EditTmax->setValue(l.Tmax), EditTc->setValue(l.Tc), EditTr->setValue(l.Tr);
            EditNd->setValue(l.Nd);
        }
    }
    connect(ListeLois, &QComboBox::currentIndexChanged, this, [this] { Montrer(); });
    Montrer();
    setMinimumWidth(420);
}

void TDroiteCharge::Montrer() {
    const int i = ListeLois->currentIndex();
    const bool a = i == 2 || i == 3, b = i >= 1 && i <= 3, p = i == 4, d = i == 5;
    const std::pair<QDoubleSpinBox*, bool> vus[] = {
        {EditA, a}, {EditB, b}, {EditP, p}, {EditTmax, p}, {EditTc, d}, {EditTr, d}, {EditNd, d}};
    for (const auto& [e, vu] : vus) formulaire_->setRowVisible(e, vu);
    // The slope per tr/min, or per (tr/min)²; the constant torque, or b.
    const QString tr = Unite(1), nm = Unite(2);
    const QString nomA = i == 3 ? QStringLiteral("a (%1/(%2)²)") : QStringLiteral("a (%1/(%2))");
    const QString nomB = i == 1 ? QStringLiteral("T (%1)") : QStringLiteral("b (%1)");
    const std::pair<QDoubleSpinBox*, QString> noms[] = {{EditA, nomA.arg(nm, tr)},
                                                        {EditB, nomB.arg(nm)}};
    for (const auto& [e, nom] : noms) {
        if (auto* l = qobject_cast<QLabel*>(formulaire_->labelForField(e))) l->setText(nom);
        Nommer(e, nom);
    }
    GroupeParametres->setVisible(i >= 1 && i <= 5);
    const std::optional<LoiCharge> l = Loi();
    BoutonOK->setEnabled(i == 0 || EssaiCharge() > 0 || (l && LoiValide(*l)));
    adjustSize();
}

std::optional<LoiCharge> TDroiteCharge::Loi() const {
    const int i = ListeLois->currentIndex();
    if (i >= 6 && i - 6 < essais_.size()) {
        const int k = essais_[i - 6];
        return LoiDeEssai(Caracts[k].Entete, ConfigGenerale.GammePuissance,
                          ConfigGenerale.FrequenceReseau);
    }
    if (i < 1 || i > 5) return std::nullopt;
    LoiCharge l;
    l.Genre = static_cast<GenreLoi>(i);
    l.A = EditA->value();
    l.B = EditB->value();
    l.P = EditP->value();
    l.Tmax = EditTmax->value();
    l.Tc = EditTc->value();
    l.Tr = EditTr->value();
    l.Nd = EditNd->value();
    return l;
}

int TDroiteCharge::EssaiCharge() const {
    const int i = ListeLois->currentIndex();
    return i >= 6 && i - 6 < essais_.size() ? essais_[i - 6] : 0;
}

void TDroiteCharge::Enregistrer(int vue) const {
    VueGraphe& v = Etude.Vues[std::clamp(vue, 1, NbVues) - 1];
    const VueGraphe avant = v;
    const int essai = EssaiCharge();
    EcrireLoiVue(v, essai > 0 ? std::nullopt : Loi(), essai);
    if (std::memcmp(&avant, &v, sizeof v) != 0) EtudeEnregistree = 0;
}

}  // namespace orvane
