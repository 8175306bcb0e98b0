#include "app/FormMachine2.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "app/DossierDepart.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "dialogs/ImageJpeg.h"
#include "dialogs/PremierDemarrage.h"
#include "dialogs/TitreFenetre.h"
#include "dialogs/TraductionQt.h"
#include "study/Fichiers.h"
#include "study/Study.h"

namespace orvane {

namespace {

constexpr int Largeur = 501;
constexpr int Hauteur = 544;
constexpr int HauteurImage = 225;
constexpr int LargeurBouton = 489;
constexpr int HauteurBouton = 45;

// Caption and hint of each button, in the order of the menu.
constexpr int TexteBoutons[7][2] = {{5, 6},   {7, 8},   {9, 10}, {11, 12},
                                    {13, 14}, {15, 16}, {17, 18}};

const char* const StyleBoutons =
    "QPushButton { background-color: black; color: aqua; border: 1px solid #004040;"
    " padding: 0px 4px; }"
    "QPushButton:hover { background-color: #004040; border-color: #008080; }"
    "QPushButton:focus { border: 1px solid aqua; }"
    "QPushButton:pressed { background-color: #008080; color: white; }";

}  // namespace

TFormMachine2::TFormMachine2(QWidget* parent) : QWidget(parent) {
    FormMachine2 = this;
    setFixedSize(Largeur, Hauteur);
    setAutoFillBackground(true);
    QPalette noir = palette();
    noir.setColor(QPalette::Window, Qt::black);
    noir.setColor(QPalette::WindowText, QColor(0, 255, 255));
    setPalette(noir);
    setFont(PoliceArial(11));

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, Largeur, HauteurImage);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setToolTip(QStringLiteral("Orvane"));
    const QImage banc = LireJpeg(CheminImage(QString::fromLatin1(ImageBanc)));
    if (!banc.isNull())
        Image1->setPixmap(QPixmap::fromImage(
            banc.scaled(Largeur, HauteurImage, Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    QPushButton** boutons[7] = {&ButtonTraceCarct, &ButtonChargeStatique, &ButtonChargeDynamique,
                                &ButtonOuvrir,     &ButtonNouveauTravail, &ButtonConfigure,
                                &ButtonQuitter};
    const int marge = (Largeur - LargeurBouton) / 2;
    for (int i = 0; i < 7; ++i) {
        auto* b = new QPushButton(this);
        b->setFlat(true);
        b->setStyleSheet(QString::fromLatin1(StyleBoutons));
        b->setGeometry(marge, HauteurImage + 2 + i * HauteurBouton, LargeurBouton, HauteurBouton);
        b->setCursor(Qt::PointingHandCursor);
        *boutons[i] = b;
    }
    connect(ButtonTraceCarct, &QPushButton::clicked, this, &TFormMachine2::ButtonTraceCarctClick);
    connect(ButtonChargeStatique, &QPushButton::clicked, this,
            &TFormMachine2::ButtonChargeStatiqueClick);
    connect(ButtonChargeDynamique, &QPushButton::clicked, this,
            &TFormMachine2::ButtonChargeDynamiqueClick);
    connect(ButtonOuvrir, &QPushButton::clicked, this, &TFormMachine2::ButtonOuvrirClick);
    connect(ButtonNouveauTravail, &QPushButton::clicked, this,
            &TFormMachine2::ButtonNouveauTravailClick);
    connect(ButtonConfigure, &QPushButton::clicked, this, &TFormMachine2::ButtonConfigureClick);
    connect(ButtonQuitter, &QPushButton::clicked, this, &TFormMachine2::ButtonQuitterClick);

    FinProgramme = [] { QCoreApplication::exit(0); };
    FormCreate();
}

void TFormMachine2::FormCreate() {
    RepertoireDepart = QFile::encodeName(QDir::currentPath()).toStdString();
    // A start folder without a configuration file: the first-start window
    // asks the language, the link and the mains frequency, and writes the
    // file, before any link is tried. A short file is reported here, before
    // any window shows.
    if (QFileInfo::exists(QFile::decodeName(CheminConfig().c_str())))
        LireConfig();
    else
        DemanderPremierDemarrage();
    // Qt's own dialogs and buttons in the language just read.
    TraduireQt(ConfigGenerale.Langue);
    std::string adresse = "(";
    for (int i = 0; i < 4; ++i) {
        if (i) adresse += '.';
        adresse += ConfigGenerale.Adresse[i].Lire();
    }
    AdresseReseau = adresse + ")";
    LiaisonInitialisee = 0;
    InitEtude();
    Legender();
}

void TFormMachine2::FormShow() {
    // The link is attempted once per run from here, after the menu is on
    // screen. The flag goes up first: the link's message box runs its own
    // event loop, in which a repaint or a new show must not try again.
    if (LiaisonInitialisee == 0) {
        LiaisonInitialisee = 1;
        if (FormCom != nullptr && !FormCom->LiaisonOuverte())
            QTimer::singleShot(0, this, &TFormMachine2::EssayerLiaison);
    }
    // The settings window changes the link and the language, whichever
    // window opened it.
    if (FormCom != nullptr)
        connect(FormCom, &TFormCom::ReglagesAppliques, this, &TFormMachine2::Legender,
                Qt::UniqueConnection);
    Legender();
}

void TFormMachine2::EssayerLiaison() {
    if (FormCom != nullptr && !FormCom->LiaisonOuverte()) FormCom->Initialise();
}

void TFormMachine2::Legender() {
    setWindowTitle(TitreFenetre(QStringLiteral("Orvane")));
    // The work-file folder of the language is made from the first display
    // on (and for a new language), and the dialogs start in it.
    if (dejaMontre_ && FormCom != nullptr)
        FormCom->DefinirDossierFichiers(PreparerDossierFichiers(
            QFile::decodeName(RepertoireDepart.c_str()), VersQString(Textes.DossierFichiers)));
    QPushButton* boutons[7] = {ButtonTraceCarct, ButtonChargeStatique, ButtonChargeDynamique,
                               ButtonOuvrir,     ButtonNouveauTravail, ButtonConfigure,
                               ButtonQuitter};
    for (int i = 0; i < 7; ++i) {
        boutons[i]->setText(TexteNumero(TexteBoutons[i][0]));
        boutons[i]->setToolTip(TexteNumero(TexteBoutons[i][1]));
    }
}

void TFormMachine2::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (!dejaMontre_) Centrer(this, nullptr);
        dejaMontre_ = true;
        FormShow();
    }
    QWidget::showEvent(event);
}

void TFormMachine2::keyPressEvent(QKeyEvent* event) {
    // Enter runs the command that has the focus, as in a dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            b->click();
            return;
        }
    QWidget::keyPressEvent(event);
}

void TFormMachine2::OuvrirChoix(int page) {
    if (FenetreChoix == nullptr) return;
    FenetreChoix->Ouvrir(page);
    hide();
}

void TFormMachine2::ButtonTraceCarctClick() { OuvrirChoix(0); }

void TFormMachine2::ButtonChargeStatiqueClick() { OuvrirChoix(1); }

void TFormMachine2::ButtonChargeDynamiqueClick() { OuvrirChoix(2); }

void TFormMachine2::ButtonOuvrirClick() {
    if (FormTraceCaract != nullptr && !FormTraceCaract->Avertissement()) return;
    if (FormCom == nullptr) return;
    QString nom;
    if (!FormCom->ChoisirFichierOuvrir(nom)) {
        FormCom->OublierNomFichier();
        return;
    }
    OuvrirFichier(nom);
}

bool TFormMachine2::OuvrirFichier(const QString& nom) {
    if (!OuvrirEtude(QFile::encodeName(nom).toStdString())) {
        // The read error has been shown and the study is empty: the menu
        // stays, and the unreadable file is not proposed for the next save.
        if (FormCom != nullptr) FormCom->OublierNomFichier();
        return false;
    }
    if (FormCom != nullptr) FormCom->RetenirNomFichier(nom);
    if (FormTraceCaract != nullptr) FormTraceCaract->Montrer();
    hide();
    return true;
}

void TFormMachine2::ButtonNouveauTravailClick() {
    if (FormTraceCaract != nullptr && !FormTraceCaract->Avertissement()) return;
    InitEtude();
    if (FormCom != nullptr) FormCom->OublierNomFichier();
}

void TFormMachine2::ButtonConfigureClick() {
    if (FormCom == nullptr) return;
    FormCom->exec();
    // The language may have changed in the window.
    Legender();
}

void TFormMachine2::ButtonQuitterClick() { close(); }

void TFormMachine2::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (FormTraceCaract != nullptr && !FormTraceCaract->Avertissement()) return;
    if (FormCom != nullptr) FormCom->Ferme();
    EcrireConfig();
    event->accept();
    if (FinProgramme) FinProgramme();
}

}  // namespace orvane
