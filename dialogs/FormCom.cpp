#include "dialogs/FormCom.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>
#include <string_view>
#include <utility>

#include "comm/Horloge.h"
#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"
#include "dialogs/TraductionQt.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

TFormCom* FormCom = nullptr;

namespace {

ChoixFichier choixFichier;

// Texts numbered in the text table.
constexpr int TexteOK = 1;
constexpr int TexteAnnuler = 2;
constexpr int TexteConfiguration = 162;
constexpr int TexteLiaisonSerie = 163;
constexpr int TexteTcpip = 164;
constexpr int TexteSelectionPort = 165;
constexpr int TexteAdresseTcpip = 166;
constexpr int TexteValeur255 = 167;
constexpr int TexteFrancaisBouton = 171;
constexpr int TexteAnglaisBouton = 172;
constexpr int TexteEspagnolBouton = 173;

constexpr int Largeur = 384;
constexpr int Hauteur = 494;
constexpr int LongueurChamp = 3;
const QString FiltreEtude = QStringLiteral("Fichier Orvane (*.OVX2)");

QString Champ(const ShortString<10>& s) { return QString::fromStdString(DepuisCp1252(s.Lire())); }

void EcrireChamp(ShortString<10>& s, const QString& texte) {
    s.Ecrire(
        VersCp1252(texte.left(static_cast<qsizetype>(ShortString<10>::Capacite)).toStdString()));
}

// The flags of the language buttons, drawn rather than loaded.
QPixmap Drapeau(int32_t langue) {
    constexpr int L = 36, H = 24;
    QPixmap image(L, H);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor bleu(0, 85, 164), rouge(239, 65, 53);
    switch (langue) {
        case LangueAnglais: {
            const QColor fond(1, 33, 105), croix(200, 16, 46);
            p.fillRect(0, 0, L, H, fond);
            p.setPen(QPen(Qt::white, 5));
            p.drawLine(0, 0, L, H);
            p.drawLine(0, H, L, 0);
            p.setPen(QPen(croix, 2));
            p.drawLine(0, 0, L, H);
            p.drawLine(0, H, L, 0);
            p.fillRect(L / 2 - 4, 0, 8, H, Qt::white);
            p.fillRect(0, H / 2 - 4, L, 8, Qt::white);
            p.fillRect(L / 2 - 2, 0, 4, H, croix);
            p.fillRect(0, H / 2 - 2, L, 4, croix);
            break;
        }
        case LangueEspagnol:
            p.fillRect(0, 0, L, H, QColor(170, 21, 27));
            p.fillRect(0, H / 4, L, H / 2, QColor(241, 191, 0));
            break;
        default:
            p.fillRect(0, 0, L / 3, H, bleu);
            p.fillRect(2 * L / 3, 0, L - 2 * L / 3, H, rouge);
            break;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawRect(0, 0, L - 1, H - 1);
    p.end();
    return image;
}

QToolButton* BoutonBascule(QWidget* parent, QButtonGroup* groupe, int id) {
    auto* b = new QToolButton(parent);
    b->setCheckable(true);
    b->setAutoRaise(false);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    groupe->addButton(b, id);
    return b;
}

}  // namespace

ChoixFichier DefinirChoixFichier(ChoixFichier f) {
    return std::exchange(choixFichier, std::move(f));
}

TFormCom::TFormCom(QWidget* parent) : QDialog(parent) {
    FormCom = this;
    setFixedSize(Largeur, Hauteur);
    setWindowTitle(QStringLiteral("Configuration"));
    QFont police(QStringLiteral("Arial"));
    police.setBold(true);
    setFont(police);

    TitreLiaison = new QLabel(QStringLiteral("Configuration de la liaison"), this);
    TitreLiaison->setAlignment(Qt::AlignCenter);
    TitreLiaison->setFixedHeight(40);
    TitreLiaison->setAutoFillBackground(true);
    {
        QPalette pal = TitreLiaison->palette();
        pal.setColor(QPalette::Window, CouleurBarre);
        pal.setColor(QPalette::WindowText, Qt::white);
        TitreLiaison->setPalette(pal);
        QFont f = police;
        f.setPointSize(13);
        TitreLiaison->setFont(f);
    }

    PageControlCom = new QTabWidget(this);
    PageControlCom->setObjectName(QStringLiteral("PageControlCom"));
    PageControlCom->tabBar()->setExpanding(true);
    PageControlCom->tabBar()->setElideMode(Qt::ElideRight);
    PageControlCom->setUsesScrollButtons(false);

    // Serial page: the ports the system declares, as a radio group.
    TabRS485 = new QWidget;
    RadioGroupCom = new QGroupBox(TabRS485);
    GroupeCom = new QButtonGroup(this);
    auto* defile = new QScrollArea(RadioGroupCom);
    defile->setWidgetResizable(true);
    defile->setFrameShape(QFrame::NoFrame);
    auto* liste = new QWidget;
    auto* colonne = new QVBoxLayout(liste);
    colonne->setContentsMargins(4, 2, 4, 2);
    TexteAucunPortCom = new QLabel(liste);
    TexteAucunPortCom->setWordWrap(true);
    TexteAucunPortCom->setAlignment(Qt::AlignCenter);
    colonne->addWidget(TexteAucunPortCom);
    colonne->addStretch(1);
    defile->setWidget(liste);
    (new QVBoxLayout(RadioGroupCom))->addWidget(defile);
    (new QVBoxLayout(TabRS485))->addWidget(RadioGroupCom);
    PageControlCom->addTab(TabRS485, QString());

    // Network page: four address fields on a white sunken strip.
    TabTCPIP = new QWidget;
    StaticTextADTCPIP = new QLabel(TabTCPIP);
    StaticTextADTCPIP->setAlignment(Qt::AlignCenter);
    auto* bande = new QFrame(TabTCPIP);
    bande->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bande->setAutoFillBackground(true);
    {
        QPalette pal = bande->palette();
        pal.setColor(QPalette::Window, Qt::white);
        bande->setPalette(pal);
    }
    auto* ligne = new QHBoxLayout(bande);
    ligne->setContentsMargins(12, 8, 12, 8);
    auto* chiffres =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    QLineEdit** edits[4] = {&EditTC1, &EditTC2, &EditTC3, &EditTC4};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) ligne->addWidget(new QLabel(QStringLiteral("."), bande));
        auto* e = new QLineEdit(bande);
        e->setObjectName(QStringLiteral("EditTC%1").arg(i + 1));
        e->setMaxLength(LongueurChamp);
        e->setValidator(chiffres);
        e->setAlignment(Qt::AlignCenter);
        e->setFixedWidth(52);
        connect(e, &QLineEdit::textChanged, this, [this, e] { EditTC1Change(e); });
        ligne->addWidget(e);
        *edits[i] = e;
    }
    auto* reseau = new QVBoxLayout(TabTCPIP);
    reseau->addStretch(1);
    reseau->addWidget(StaticTextADTCPIP);
    reseau->addWidget(bande, 0, Qt::AlignHCenter);
    reseau->addStretch(2);
    PageControlCom->addTab(TabTCPIP, QString());

    // Simulated bench page.
    TabBanc = new QWidget;
    StaticTextBanc = new QLabel(TabBanc);
    StaticTextBanc->setWordWrap(true);
    StaticTextBanc->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(TabBanc))->addWidget(StaticTextBanc);
    PageControlCom->addTab(TabBanc, QString());

    GroupBoxLangue = new QGroupBox(QStringLiteral("Langue"), this);
    GroupeLangue = new QButtonGroup(this);
    auto* langues = new QHBoxLayout(GroupBoxLangue);
    ButtonFR = BoutonBascule(GroupBoxLangue, GroupeLangue, LangueFrancais);
    ButtonUK = BoutonBascule(GroupBoxLangue, GroupeLangue, LangueAnglais);
    ButtonSP = BoutonBascule(GroupBoxLangue, GroupeLangue, LangueEspagnol);
    for (QToolButton* b : {ButtonFR, ButtonUK, ButtonSP}) {
        b->setIcon(QIcon(Drapeau(GroupeLangue->id(b))));
        b->setIconSize(QSize(36, 24));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFixedHeight(58);
        langues->addWidget(b);
    }

    GroupBox1 = new QGroupBox(QStringLiteral("Fréquence du réseau"), this);
    GroupeFrequence = new QButtonGroup(this);
    auto* frequences = new QHBoxLayout(GroupBox1);
    Button50Hz = BoutonBascule(GroupBox1, GroupeFrequence, 50);
    Button50Hz->setText(QStringLiteral("50 Hz"));
    Button60Hz = BoutonBascule(GroupBox1, GroupeFrequence, 60);
    Button60Hz->setText(QStringLiteral("60 Hz"));
    Button50Hz->setFixedHeight(30);
    Button60Hz->setFixedHeight(30);
    frequences->addWidget(Button50Hz);
    frequences->addWidget(Button60Hz);

    BoutonOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QString(), this);
    BoutonOK->setDefault(true);
    BoutonANNULER =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QString(), this);
    auto* bas = new QHBoxLayout;
    bas->setContentsMargins(6, 0, 6, 6);
    for (QPushButton* b : {BoutonOK, BoutonANNULER}) {
        b->setMinimumHeight(32);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        bas->addWidget(b);
    }

    auto* milieu = new QVBoxLayout;
    milieu->setContentsMargins(6, 6, 6, 0);
    milieu->setSpacing(6);
    milieu->addWidget(PageControlCom, 1);
    milieu->addSpacing(4);  // blank strip
    milieu->addWidget(GroupBoxLangue);
    milieu->addWidget(GroupBox1);
    auto* fenetre = new QVBoxLayout(this);
    fenetre->setContentsMargins(0, 0, 0, 0);
    fenetre->setSpacing(6);
    fenetre->addWidget(TitreLiaison);
    fenetre->addLayout(milieu, 1);
    fenetre->addLayout(bas);

    connect(BoutonOK, &QPushButton::clicked, this, &TFormCom::BoutonOKClick);
    connect(BoutonANNULER, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonFR, &QToolButton::clicked, this, &TFormCom::ButtonFRClick);
    connect(ButtonUK, &QToolButton::clicked, this, &TFormCom::ButtonUKClick);
    connect(ButtonSP, &QToolButton::clicked, this, &TFormCom::ButtonSPClick);
    connect(GroupeCom, &QButtonGroup::idClicked, this,
            [this](int i) { ComSelection.Selectionner(i); });

    copie_ = ConfigGenerale;
    debutEspion_ = MaintenantMs();
    Langue();
}

TFormCom::~TFormCom() {
    if (FormCom == this) FormCom = nullptr;
}

QList<QLineEdit*> TFormCom::Edits() const { return {EditTC1, EditTC2, EditTC3, EditTC4}; }

void TFormCom::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TFormCom::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) FormClose();
    QDialog::hideEvent(event);
}

void TFormCom::Langue() {
    setWindowTitle(TexteNumero(TexteConfiguration));
    PageControlCom->setTabText(PageSerie, TexteNumero(TexteLiaisonSerie));
    PageControlCom->setTabText(PageReseau, TexteNumero(TexteTcpip));
    PageControlCom->setTabText(PageBanc, TexteNumero(TexteBancSimule));
    RadioGroupCom->setTitle(TexteNumero(TexteSelectionPort));
    TexteAucunPortCom->setText(TexteNumero(TexteAucunPort));
    StaticTextADTCPIP->setText(TexteNumero(TexteAdresseTcpip));
    // The four fields of the address, and the scroll bars of the port list.
    for (int i = 0; i < 4; ++i)
        Edits()[i]->setAccessibleName(TexteNumero(TexteAdresseTcpip) +
                                      QStringLiteral(" %1").arg(i + 1));
    NommerDefilement(RadioGroupCom->findChild<QScrollArea*>(), TexteNumero(TexteSelectionPort));
    StaticTextBanc->setText(TexteNumero(TexteExplicationBanc));
    BoutonOK->setText(TexteNumero(TexteOK));
    BoutonANNULER->setText(TexteNumero(TexteAnnuler));
    ButtonFR->setText(TexteNumero(TexteFrancaisBouton));
    ButtonUK->setText(TexteNumero(TexteAnglaisBouton));
    ButtonSP->setText(TexteNumero(TexteEspagnolBouton));
}

void TFormCom::RemplirPorts() {
    QSignalBlocker bloque(GroupeCom);
    qDeleteAll(ItemsCom);
    ItemsCom.clear();
    ComSelection.Setnumcomport(copie_.PortSerie.Lire());
    auto* colonne = static_cast<QVBoxLayout*>(TexteAucunPortCom->parentWidget()->layout());
    for (size_t i = 0; i < ComSelection.Items.size(); ++i) {
        auto* item = new QRadioButton(QString::fromStdString(ComSelection.Items[i]),
                                      TexteAucunPortCom->parentWidget());
        GroupeCom->addButton(item, static_cast<int>(i));
        colonne->insertWidget(colonne->count() - 1, item);  // before the closing stretch
        item->setChecked(static_cast<int>(i) == ComSelection.NumComportSelect());
        item->show();  // the list is filled while the window is being shown
        ItemsCom.append(item);
    }
    TexteAucunPortCom->setVisible(ItemsCom.isEmpty());
}

void TFormCom::FormShow() {
    copie_ = ConfigGenerale;
    {
        // A language other than English or Spanish shows French.
        QAbstractButton* b = copie_.Langue == LangueAnglais ? ButtonUK
                             : copie_.Langue == LangueEspagnol
                                 ? static_cast<QAbstractButton*>(ButtonSP)
                                 : ButtonFR;
        b->setChecked(true);
        (copie_.FrequenceReseau == 60 ? Button60Hz : Button50Hz)->setChecked(true);
    }
    Langue();
    PageControlCom->setCurrentIndex(copie_.TypeLiaison < LiaisonSerie         ? PageReseau
                                    : copie_.TypeLiaison == LiaisonSimulation ? PageBanc
                                                                              : PageSerie);
    // The stored fields are shown as they are: no range message while opening.
    for (int i = 0; i < 4; ++i) {
        QSignalBlocker bloque(Edits()[i]);
        Edits()[i]->setText(Champ(copie_.Adresse[i]));
    }
    RemplirPorts();
    PageControlCom->show();
    layout()->activate();  // the page control takes its place back before the first paint
    Ferme();
}

void TFormCom::FormClose() { PageControlCom->hide(); }

void TFormCom::EditTC1Change(QLineEdit* edit) {
    bool nombre = false;
    const int valeur = edit->text().toInt(&nombre);  // an empty edit is 0
    if (nombre && valeur > 255) {
        Avertir(std::string(Textes.Texte(TexteValeur255)));
        edit->setText(QStringLiteral("255"));
    }
}

void TFormCom::ButtonFRClick() {
    ChoixLangue(LangueFrancais);
    Langue();
}

void TFormCom::ButtonUKClick() {
    ChoixLangue(LangueAnglais);
    Langue();
}

void TFormCom::ButtonSPClick() {
    ChoixLangue(LangueEspagnol);
    Langue();
}

void TFormCom::BoutonOKClick() {
    TConfigGenerale c = copie_;
    for (int i = 0; i < 4; ++i) EcrireChamp(c.Adresse[i], Edits()[i]->text());
    switch (PageControlCom->currentIndex()) {
        case PageSerie: {
            c.TypeLiaison = LiaisonSerie;
            std::string port;
            ComSelection.NomComportSelect(port);
            EcrireChamp(c.PortSerie, QString::fromStdString(port));
            Serie().Fermer();
            break;
        }
        case PageReseau: c.TypeLiaison = LiaisonReseau; break;
        default: c.TypeLiaison = LiaisonSimulation; break;
    }
    const int langue = GroupeLangue->checkedId();
    c.Langue = langue > 0 ? langue : LangueFrancais;
    const int frequence = GroupeFrequence->checkedId();
    c.FrequenceReseau = frequence > 0 ? frequence : 50;
    CorrigerConfig(c);
    copie_ = c;
    ConfigGenerale = c;

    AdresseReseau = "(";
    for (int i = 0; i < 4; ++i) AdresseReseau += (i ? "." : "") + c.Adresse[i].Lire();
    AdresseReseau += ")";

    ChoixLangue(c.Langue);
    TraduireQt(c.Langue);
    if (FormTraceCaract) FormTraceCaract->Langue();
    for (int q = 0; q < NbGrandeurs; ++q) Etude.Grandeurs[q] = DescripteurTexte(q);
    emit ReglagesAppliques();
    accept();
    Initialise();
}

// ---- spy ----

void TFormCom::LiaisonPrete() {
    espion_.clear();
    debutEspion_ = MaintenantMs();
}

void TFormCom::StatutLu(int32_t statut) {
    if (espion_.size() >= static_cast<size_t>(NbEspionMax)) return;
    espion_.push_back({static_cast<int32_t>(MaintenantMs() - debutEspion_), statut});
}

QString TFormCom::TexteEspion() const {
    std::string texte;
    texte.reserve(espion_.size() * 40);
    for (const auto& [numero, mot] : espion_) {
        texte += std::to_string(numero);
        texte += '\t';
        texte += std::to_string(mot);
        for (int chiffre = 3; chiffre >= 0; --chiffre) {
            texte += '\t';
            const unsigned quartet = (static_cast<uint32_t>(mot) >> (4 * chiffre)) & 0xF;
            for (int b = 3; b >= 0; --b) texte += (quartet >> b) & 1 ? '1' : '0';
        }
        texte += "\r\n";
    }
    return QString::fromStdString(texte);
}

void TFormCom::Espion() {
    QApplication::clipboard()->setText(TexteEspion());
    espion_.clear();
}

// ---- work-file dialogs ----

void TFormCom::DefinirDossierFichiers(const QString& dossier) { dossierFichiers_ = dossier; }

bool TFormCom::ChoisirFichierOuvrir(QString& nom) {
    nom = nomFichier_;
    bool choisi = false;
    if (choixFichier) {
        choisi = choixFichier(false, nom);
    } else {
        QFileDialog d(this, QString(), QString(), FiltreEtude);
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setFileMode(QFileDialog::ExistingFile);
        d.setDefaultSuffix(QString::fromLatin1(ExtensionEtude));
        ProposerFichier(d);
        choisi = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
        if (choisi) nom = d.selectedFiles().constFirst();
    }
    if (!choisi || nom.isEmpty()) {
        nom.clear();
        return false;
    }
    nomFichier_ = nom;
    return true;
}

bool TFormCom::ChoisirFichierEnregistrer(QString& nom) {
    nom = nomFichier_;
    bool choisi = false;
    if (choixFichier) {
        choisi = choixFichier(true, nom);
    } else {
        QFileDialog d(this, QString(), QString(), FiltreEtude);
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix(QString::fromLatin1(ExtensionEtude));
        ProposerFichier(d);
        choisi = d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty();
        if (choisi) nom = d.selectedFiles().constFirst();
    }
    if (!choisi || nom.isEmpty()) {
        nom.clear();
        return false;
    }
    if (QFileInfo(nom).suffix().isEmpty())
        nom += QStringLiteral(".") + QString::fromLatin1(ExtensionEtude);
    nomFichier_ = nom;
    return true;
}

void TFormCom::ProposerFichier(QFileDialog& d) const {
    // The folder is set apart from the name: given as the dialog's start
    // path, a folder that is missing would be proposed as the file's name.
    if (nomFichier_.isEmpty()) {
        d.setDirectory(dossierFichiers_);
        return;
    }
    const QFileInfo fichier(nomFichier_);
    d.setDirectory(fichier.absolutePath());
    d.selectFile(fichier.fileName());
}

void TFormCom::OublierNomFichier() { nomFichier_.clear(); }

// ---- printer dialogs ----

QPrinter* TFormCom::Imprimante() {
    if (!imprimante_) imprimante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return imprimante_.get();
}

bool TFormCom::PrinterSetupDialog1() {
    QPageSetupDialog d(Imprimante(), this);
    return d.exec() == QDialog::Accepted;
}

bool TFormCom::PrintDialog1() {
    QPrintDialog d(Imprimante(), this);
    return d.exec() == QDialog::Accepted;
}

}  // namespace orvane
