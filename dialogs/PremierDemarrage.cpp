#include "dialogs/PremierDemarrage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "comm/ComSelection.h"
#include "dialogs/Habillage.h"
#include "study/Fichiers.h"
#include "study/Study.h"

namespace orvane {

namespace {
constexpr int TexteOK = 1;
constexpr int TexteAnnuler = 2;
constexpr int TexteLiaisonSerie = 163;
constexpr int TexteSelectionPort = 165;
constexpr int TexteAdresseTcpip = 166;
constexpr int TexteLangue = 170;
constexpr int TexteFrequence = 174;
constexpr int TexteFrancaisBouton = 171;  // each language is named in its own table

QLabel* Explication(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    l->setContentsMargins(24, 0, 0, 4);
    return l;
}
}  // namespace

TPremierDemarrage::TPremierDemarrage(const std::string& racineTty, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PremierDemarrage"));
    auto* colonne = new QVBoxLayout(this);
    StaticTextBienvenue = new QLabel(this);
    StaticTextBienvenue->setWordWrap(true);
    StaticTextBienvenue->setFont(PoliceArial(10));
    colonne->addWidget(StaticTextBienvenue);

    GroupeLangue = new QGroupBox(this);
    langues_ = new QButtonGroup(this);
    auto* ligneLangues = new QHBoxLayout(GroupeLangue);
    BoutonFrancais = new QRadioButton(GroupeLangue);
    BoutonAnglais = new QRadioButton(GroupeLangue);
    BoutonEspagnol = new QRadioButton(GroupeLangue);
    const TTextesOrvane* tables[3] = {&TexteFrancais, &TexteAnglais, &TexteEspagnol};
    QRadioButton* boutonsLangue[3] = {BoutonFrancais, BoutonAnglais, BoutonEspagnol};
    for (int i = 0; i < 3; ++i) {
        boutonsLangue[i]->setText(VersQString(tables[i]->Texte(TexteFrancaisBouton + i)));
        langues_->addButton(boutonsLangue[i], LangueFrancais + i);
        ligneLangues->addWidget(boutonsLangue[i]);
    }
    colonne->addWidget(GroupeLangue);

    GroupeLiaison = new QGroupBox(this);
    liaisons_ = new QButtonGroup(this);
    auto* grille = new QGridLayout(GroupeLiaison);
    BoutonBanc = new QRadioButton(GroupeLiaison);
    StaticTextBanc = Explication(GroupeLiaison);
    BoutonSerie = new QRadioButton(GroupeLiaison);
    ListePorts = new QComboBox(GroupeLiaison);
    StaticTextAucunPort = new QLabel(GroupeLiaison);
    BoutonReseau = new QRadioButton(GroupeLiaison);
    EditAdresse = new QLineEdit(GroupeLiaison);
    EditAdresse->setMaxLength(15);
    liaisons_->addButton(BoutonBanc, LiaisonSimulation);
    liaisons_->addButton(BoutonSerie, LiaisonSerie);
    liaisons_->addButton(BoutonReseau, LiaisonReseau);
    grille->addWidget(BoutonBanc, 0, 0, 1, 2);
    grille->addWidget(StaticTextBanc, 1, 0, 1, 2);
    grille->addWidget(BoutonSerie, 2, 0);
    grille->addWidget(ListePorts, 2, 1);
    grille->addWidget(StaticTextAucunPort, 2, 1);
    grille->addWidget(BoutonReseau, 3, 0);
    grille->addWidget(EditAdresse, 3, 1);
    grille->setColumnStretch(1, 1);
    colonne->addWidget(GroupeLiaison);

    // The ports the settings window lists; none: the serial choice is off.
    TComSelection ports(racineTty);
    ports.Setnumcomport({});
    for (const std::string& p : ports.Items) ListePorts->addItem(QString::fromStdString(p));
    const bool aucun = ports.Items.empty();
    ListePorts->setVisible(!aucun);
    StaticTextAucunPort->setVisible(aucun);
    BoutonSerie->setEnabled(!aucun);

    GroupeFrequence = new QGroupBox(this);
    frequences_ = new QButtonGroup(this);
    auto* ligneFrequences = new QHBoxLayout(GroupeFrequence);
    Bouton50Hz = new QRadioButton(QStringLiteral("50 Hz"), GroupeFrequence);
    Bouton60Hz = new QRadioButton(QStringLiteral("60 Hz"), GroupeFrequence);
    frequences_->addButton(Bouton50Hz, 50);
    frequences_->addButton(Bouton60Hz, 60);
    ligneFrequences->addWidget(Bouton50Hz);
    ligneFrequences->addWidget(Bouton60Hz);
    ligneFrequences->addStretch();
    colonne->addWidget(GroupeFrequence);

    BoutonOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QString(), this);
    BoutonOK->setDefault(true);
    BoutonAnnuler =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QString(), this);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(BoutonOK);
    bas->addWidget(BoutonAnnuler);
    colonne->addLayout(bas);

    // The system's language when it is one of the three; the simulated
    // bench, to try the program without hardware; a 50 Hz mains.
    const int32_t systeme = LangueDeLocale(QLocale().name().toStdString());
    langues_->button(systeme != 0 ? systeme : LangueFrancais)->setChecked(true);
    BoutonBanc->setChecked(true);
    Bouton50Hz->setChecked(true);
    ChoixLangue(langues_->checkedId());

    connect(langues_, &QButtonGroup::idClicked, this, [this](int langue) {
        ChoixLangue(langue);
        Legender();
    });
    connect(liaisons_, &QButtonGroup::idClicked, this, [this] { Verifier(); });
    connect(EditAdresse, &QLineEdit::textChanged, this, [this] {
        // Typing an address chooses the network link.
        if (!EditAdresse->text().isEmpty()) BoutonReseau->setChecked(true);
        Verifier();
    });
    connect(ListePorts, &QComboBox::activated, this, [this] {
        BoutonSerie->setChecked(true);
        Verifier();
    });
    connect(BoutonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    Legender();
    Verifier();
    setMinimumWidth(520);
}

void TPremierDemarrage::Legender() {
    setWindowTitle(QStringLiteral("Orvane — ") + TexteNumero(TextePremierDemarrage));
    StaticTextBienvenue->setText(TexteNumero(TexteBienvenue));
    GroupeLangue->setTitle(TexteNumero(TexteLangue));
    GroupeLiaison->setTitle(TexteNumero(TexteLiaisonCharge));
    BoutonBanc->setText(TexteNumero(TexteBancSimule));
    StaticTextBanc->setText(TexteNumero(TexteExplicationBanc));
    BoutonSerie->setText(TexteNumero(TexteLiaisonSerie));
    ListePorts->setAccessibleName(TexteNumero(TexteSelectionPort));
    StaticTextAucunPort->setText(TexteNumero(TexteAucunPort));
    BoutonReseau->setText(TexteNumero(TexteAdresseTcpip));
    EditAdresse->setAccessibleName(TexteNumero(TexteAdresseTcpip));
    GroupeFrequence->setTitle(TexteNumero(TexteFrequence));
    BoutonOK->setText(TexteNumero(TexteOK));
    BoutonAnnuler->setText(TexteNumero(TexteAnnuler));
}

ChoixDemarrage TPremierDemarrage::Choix() const {
    ChoixDemarrage c;
    c.Langue = langues_->checkedId();
    c.TypeLiaison = liaisons_->checkedId();
    c.Port = ListePorts->currentText().toStdString();
    c.Adresse = EditAdresse->text().toStdString();
    c.Frequence = frequences_->checkedId();
    return c;
}

void TPremierDemarrage::Verifier() { BoutonOK->setEnabled(ChoixComplet(Choix())); }

bool DemanderPremierDemarrage(const std::string& racineTty) {
    TPremierDemarrage fenetre(racineTty);
    fenetre.adjustSize();  // centred at its own size
    Centrer(&fenetre, nullptr);
    const bool ok = fenetre.exec() == QDialog::Accepted;
    ConfigGenerale = ok ? ConfigDeChoix(fenetre.Choix()) : ConfigDefaut;
    ChoixLangue(ConfigGenerale.Langue);
    EcrireConfig();  // says so when it cannot; the choices stay in use
    return ok;
}

}  // namespace orvane
