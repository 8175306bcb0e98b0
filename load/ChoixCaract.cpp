#include "load/ChoixCaract.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <string>

#include "dialogs/Avertissements.h"
#include "dialogs/Fenetres.h"
#include "dialogs/Habillage.h"
#include "dialogs/ImageJpeg.h"
#include "dialogs/NouvelCaract.h"
#include "load/PanelCaract.h"
#include "load/Visualisation.h"
#include "study/LoisCharge.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

TFormChoixCaract* FormChoixCaract = nullptr;

namespace {

QString TexteType(const std::array<std::string_view, NbTypeCaract>& table, int type) {
    return type >= 0 && type < NbTypeCaract ? VersQString(table[static_cast<size_t>(type)])
                                            : QString();
}

QString TexteMachine(const std::array<std::string_view, NbNomMachine>& table, int machine) {
    return machine >= 0 && machine < NbNomMachine ? VersQString(table[static_cast<size_t>(machine)])
                                                  : QString();
}

// A teal bar with a white bold title.
QLabel* Bandeau(QWidget* parent, int points = 10) {
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(PoliceArial(points));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, CouleurBarre);
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    l->setMinimumHeight(QFontMetrics(l->font()).height() + 10);
    return l;
}

// A title line over the load panel: the machine or the load chosen.
QLabel* Titre(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFont(PoliceArial(9));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));
    l->setPalette(p);
    l->setMinimumHeight(QFontMetrics(l->font()).height() + 2);
    return l;
}

// A choice button: down while chosen; a group of them may be all up.
QToolButton* Choix(QWidget* parent, QButtonGroup* groupe, int id) {
    auto* b = new QToolButton(parent);
    b->setCheckable(true);
    b->setProperty("choix", true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setMinimumHeight(30);
    b->setFocusPolicy(Qt::StrongFocus);
    groupe->addButton(b, id);
    return b;
}

QPushButton* BoutonAction(QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setFont(PoliceArial(9));
    b->setMinimumHeight(30);
    b->setAutoDefault(false);
    return b;
}

// At most one button of the group down; a click on the down button puts it up.
void UnAuPlus(QButtonGroup* groupe, int id) {
    QAbstractButton* clique = groupe->button(id);
    if (clique == nullptr || !clique->isChecked()) return;
    for (QAbstractButton* b : groupe->buttons())
        if (b != clique) b->setChecked(false);
}

int Enfonce(const QButtonGroup* groupe) {
    for (QAbstractButton* b : groupe->buttons())
        if (b->isChecked()) return groupe->id(b);
    return 0;
}

// The picture of a page in a rounded frame, scaled to fit without changing
// its proportions; a picture that could not be read leaves the plain frame.
class TImagePage : public QWidget {
public:
    TImagePage(QWidget* parent, const char* nom)
        : QWidget(parent), image_(LireJpeg(CheminImage(QString::fromLatin1(nom)))) {
        setMinimumSize(200, 150);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF r = QRectF(rect()).adjusted(4, 4, -4, -4);
        QPainterPath cadre;
        cadre.addRoundedRect(r, 8, 8);
        QLinearGradient fond(r.topLeft(), r.bottomLeft());
        fond.setColorAt(0, QColor(236, 244, 244));
        fond.setColorAt(1, QColor(200, 222, 222));
        p.fillPath(cadre, fond);
        if (!image_.isNull()) {
            QSizeF taille = image_.size();
            taille.scale(r.size(), Qt::KeepAspectRatio);
            QRectF cible(QPointF(), taille);
            cible.moveCenter(r.center());
            p.save();
            p.setClipPath(cadre);
            p.drawImage(cible, image_);
            p.restore();
        }
        p.setPen(QPen(QColor(0, 96, 96), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cadre);
    }

private:
    QImage image_;
};

// Types of the load buttons of each page, in their order.
const std::vector<int> TypesPage[3] = {
    {1, 2, 3, 4, 5},
    {6, 7, 8, 9, 15, 17},
    {10, 11, 12, 13, 14, 16, 18},
};

// Pictures of the pages, in their order.
const char* const ImagesPages[3] = {ImageChoixMachine, ImageChoixStatique, ImageChoixDynamique};

constexpr int TexteFermer = 3;
constexpr int TexteBulleFermer = 4;
constexpr int TexteTitrePage[3] = {5, 7, 9};
constexpr int TextePage[3] = {19, 20, 21};
constexpr int TexteMachineMot = 22;
constexpr int TexteChargeMot = 23;
constexpr int TexteVisualisation = 24;
constexpr int TexteBulleVisualisation = 25;
constexpr int TexteEtude = 26;
constexpr int TexteBulleEtude = 27;
constexpr int TexteApplications = 28;
constexpr int TexteBulleApplications = 29;
constexpr int TexteAttention = 176;
constexpr int TexteEntreeFonction = 177;
constexpr int TexteFrein = 178;

}  // namespace

int TFormChoixCaract::PageDuType(int type) {
    switch (GroupeDeType(type)) {
        case GroupeCaract::Statique: return 1;
        case GroupeCaract::Dynamique: return 2;
        default: return 0;
    }
}

int TFormChoixCaract::GroupeApplication(int type) {
    switch (type) {
        case 6:
        case 10:
        case 15:
        case 16: return 1;
        case 7:
        case 11: return 2;
        case 8:
        case 12: return 3;
        case 9:
        case 13: return 4;
        case 14: return 5;
        case 17:
        case 18: return 7;
        default: return 0;
    }
}

TFormChoixCaract::TFormChoixCaract(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    FormChoixCaract = this;
    FenetreChoix = this;
    setFixedSize(800, 560);
    setFont(PoliceArial(9));
    setStyleSheet(QStringLiteral(
        "QToolButton[choix=\"true\"] { font: bold 9pt \"Arial\"; padding: 3px 6px;"
        " border: 1px solid #7a7a7a; border-radius: 3px; background: #ececec; }"
        "QToolButton[choix=\"true\"]:hover { background: #dcecec; }"
        "QToolButton[choix=\"true\"]:checked { background: #008080; color: white;"
        " border: 1px solid #004040; }"
        "QToolButton[choix=\"true\"]:disabled { color: #a0a0a0; background: #e4e4e4; }"));
    Avertissement = [](int) {
        const std::string texte = std::string(Textes.Texte(TexteAttention)) + "\n" +
                                  std::string(Textes.Texte(TexteEntreeFonction)) + "\n" +
                                  std::string(Textes.Texte(TexteFrein));
        return Demander(texte) == ReponseQuestion::Oui;
    };

    // ---- machine column ----
    PanelMachine = new QFrame(this);
    PanelMachine->setFixedWidth(180);
    GroupeMachine = new QButtonGroup(this);
    GroupeMachine->setExclusive(false);
    auto* colonne = new QVBoxLayout(PanelMachine);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(6);
    TextMachine = Bandeau(PanelMachine, 11);
    TextPuissanceMachine = new QLabel(PanelMachine);
    TextPuissanceMachine->setAlignment(Qt::AlignCenter);
    TextPuissanceMachine->setFont(PoliceArial(10));
    TextPuissanceMachine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    TextPuissanceMachine->setMinimumHeight(26);
    colonne->addWidget(TextMachine);
    colonne->addWidget(TextPuissanceMachine);
    colonne->addSpacing(6);
    QToolButton** machines[7] = {&ButtonMCCInd,   &ButtonMCCSerie, &ButtonMASTri,  &ButtonMSynch,
                                 &ButtonAlimCont, &ButtonAlimTri,  &ButtonAlimMono};
    for (int m = 1; m <= 7; ++m) {
        QToolButton* b = Choix(PanelMachine, GroupeMachine, m);
        b->setMinimumHeight(40);
        *machines[m - 1] = b;
        colonne->addWidget(b);
    }
    colonne->addStretch(1);

    // ---- pages ----
    PageControl = new QTabWidget(this);
    PageControl->tabBar()->setFont(PoliceArial(9));
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    PageControl->addTab(TabSheet1, QString());
    PageControl->addTab(TabSheet2, QString());
    PageControl->addTab(TabSheet3, QString());

    QToolButton** charges[3][7] = {
        {&ButtonTcstC, &ButtonTanC, &ButtonNcste, &ButtonNan, &ButtonCouplage},
        {&ButtonTcstS, &ButtonTanbS, &Buttontan2bS, &ButtonPcstS, &ButtonTcollageS, &ButtonLevageS},
        {&ButtonTcstD, &ButtonTanbD, &Buttontan2bD, &ButtonPcstD, &ButtonTcycle, &ButtonTcollageD,
         &ButtonLevageD},
    };
    QLabel** titres[3] = {&TextEtudeCaractMachine, &TextEtudeStatique, &TextEtudeDynamique};
    QLabel** textesCharge[3] = {&TextCharge, &TextChargeS, &TextChargeD};
    QLabel** lignes1[3] = {&TextCaractMachine, &TextMachineS, &TextMachineD};
    QLabel** lignes2[3] = {&TextCaractCharge, &TextTitreS, &TextTitreD};
    QPushButton** fermer[3] = {&ButtonFermer1, &ButtonFermer2, &ButtonFermer3};
    QWidget* pages[3] = {TabSheet1, TabSheet2, TabSheet3};

    for (int p = 0; p < 3; ++p) {
        QWidget* page = pages[p];
        GroupeCharge[p] = new QButtonGroup(this);
        GroupeCharge[p]->setExclusive(false);
        *titres[p] = Bandeau(page);

        auto* gauche = new QVBoxLayout;
        gauche->setSpacing(5);
        *textesCharge[p] = Bandeau(page);
        gauche->addWidget(*textesCharge[p]);
        gauche->addSpacing(4);
        for (size_t i = 0; i < TypesPage[p].size(); ++i) {
            QToolButton* b = Choix(page, GroupeCharge[p], TypesPage[p][i]);
            *charges[p][i] = b;
            gauche->addWidget(b);
        }
        gauche->addStretch(1);
        auto* cadreGauche = new QWidget(page);
        cadreGauche->setFixedWidth(170);
        cadreGauche->setLayout(gauche);
        gauche->setContentsMargins(0, 0, 0, 0);

        auto* droite = new QVBoxLayout;
        droite->setSpacing(2);
        *lignes1[p] = Titre(page);
        *lignes2[p] = Titre(page);
        droite->addWidget(*lignes1[p]);
        droite->addWidget(*lignes2[p]);
        // The load panel lies over the picture: one or the other is shown.
        auto* fond = new QGridLayout;
        fond->setContentsMargins(0, 4, 0, 0);
        images_[p] = new TImagePage(page, ImagesPages[p]);
        fond->addWidget(images_[p], 0, 0);
        if (p == 1 || p == 2) {
            TPanelCaract* panel = new TPanelCaract(page);
            panel->hide();
            (p == 1 ? PanelCaractS : PanelCaractD) = panel;
            fond->addWidget(panel, 0, 0);
        }
        droite->addLayout(fond, 1);

        auto* milieu = new QHBoxLayout;
        milieu->setSpacing(10);
        milieu->addWidget(cadreGauche);
        milieu->addLayout(droite, 1);

        auto* bas = new QHBoxLayout;
        bas->setSpacing(8);
        if (p == 0) {
            ButtonVISUALISATION = BoutonAction(page);
            ButtonEtudeCaract = BoutonAction(page);
            bas->addWidget(ButtonVISUALISATION);
            bas->addWidget(ButtonEtudeCaract);
        } else if (p == 1) {
            ButtonEtudeStatique = BoutonAction(page);
            ButtonAPPstat = BoutonAction(page);
            bas->addWidget(ButtonEtudeStatique);
            bas->addWidget(ButtonAPPstat);
        } else {
            ButtonEtudeDynamique = BoutonAction(page);
            ButtonAPPdyn = BoutonAction(page);
            bas->addWidget(ButtonEtudeDynamique);
            bas->addWidget(ButtonAPPdyn);
        }
        bas->addStretch(1);
        *fermer[p] = BoutonAction(page);
        (*fermer[p])->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
        bas->addWidget(*fermer[p]);

        auto* v = new QVBoxLayout(page);
        v->setContentsMargins(8, 8, 8, 8);
        v->setSpacing(8);
        v->addWidget(*titres[p]);
        v->addLayout(milieu, 1);
        v->addLayout(bas);

        connect(GroupeCharge[p], &QButtonGroup::idClicked, this, [this, p](int id) {
            UnAuPlus(GroupeCharge[p], id);
            Action(GroupeCharge[p]->button(id));
        });
    }
    for (QPushButton* b : {ButtonVISUALISATION, ButtonEtudeCaract, ButtonEtudeStatique,
                           ButtonAPPstat, ButtonEtudeDynamique, ButtonAPPdyn})
        b->setMinimumWidth(150);

    auto* fenetre = new QHBoxLayout(this);
    fenetre->setContentsMargins(8, 8, 8, 8);
    fenetre->setSpacing(8);
    fenetre->addWidget(PanelMachine);
    fenetre->addWidget(PageControl, 1);

    connect(GroupeMachine, &QButtonGroup::idClicked, this, [this](int id) {
        UnAuPlus(GroupeMachine, id);
        Action(GroupeMachine->button(id));
    });
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { Action(PageControl); });
    for (QPushButton* b : {ButtonEtudeCaract, ButtonEtudeStatique, ButtonEtudeDynamique})
        connect(b, &QPushButton::clicked, this, [this, b] { ButtonEtudeCaractClick(b); });
    connect(ButtonVISUALISATION, &QPushButton::clicked, this,
            &TFormChoixCaract::ButtonVISUALISATIONClick);
    connect(ButtonAPPstat, &QPushButton::clicked, this, &TFormChoixCaract::ButtonAPPstatClick);
    connect(ButtonAPPdyn, &QPushButton::clicked, this, &TFormChoixCaract::ButtonAPPstatClick);
    for (QPushButton* b : {ButtonFermer1, ButtonFermer2, ButtonFermer3})
        connect(b, &QPushButton::clicked, this, &TFormChoixCaract::ButtonFermer1Click);

    ButtonCouplage->setEnabled(false);
    for (QPushButton* b : {ButtonVISUALISATION, ButtonEtudeCaract, ButtonEtudeStatique,
                           ButtonAPPstat, ButtonEtudeDynamique, ButtonAPPdyn})
        b->setEnabled(false);
}

TFormChoixCaract::~TFormChoixCaract() {
    if (FormVisualisation) FormVisualisation->removeEventFilter(this);
    if (FormChoixCaract == this) FormChoixCaract = nullptr;
    if (FenetreChoix == this) FenetreChoix = nullptr;
}

QToolButton* TFormChoixCaract::BoutonMachine(int machine) {
    return qobject_cast<QToolButton*>(GroupeMachine->button(machine));
}

QToolButton* TFormChoixCaract::BoutonCharge(int page, int type) {
    return qobject_cast<QToolButton*>(GroupeCharge[page]->button(type));
}

void TFormChoixCaract::Ouvrir(int page, QWidget* appelant) {
    PageDemandee = page >= 0 && page <= 2 ? page : 0;
    if (isVisible()) {
        // Already open: the requested page is taken at the next showing.
        raise();
        activateWindow();
        return;
    }
    // With an opener, its window becomes this one's transient parent: window
    // modality then blocks that window (and only it) while this one is shown.
    restaurer_ = appelant != nullptr;
    appelant_ = appelant;
    reglagesAvant_ = ReglagesCourants;
    QWindow* parent = appelant ? appelant->window()->windowHandle() : nullptr;
    setWindowModality(parent ? Qt::WindowModal : Qt::NonModal);
    create();
    if (QWindow* w = windowHandle()) w->setTransientParent(parent);
    show();
    activateWindow();
}

void TFormChoixCaract::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (QScreen* ecran = screen()) move(ecran->availableGeometry().center() - rect().center());
    FormShow();
}

void TFormChoixCaract::FormShow() {
    setWindowTitle(TexteNumero(TextePage[0]));
    for (int p = 0; p < 3; ++p) PageControl->setTabText(p, TexteNumero(TextePage[p]));
    TextEtudeCaractMachine->setText(TexteNumero(TexteTitrePage[0]));
    TextEtudeStatique->setText(TexteNumero(TexteTitrePage[1]));
    TextEtudeDynamique->setText(TexteNumero(TexteTitrePage[2]));
    TextMachine->setText(TexteNumero(TexteMachineMot));
    TextPuissanceMachine->setText(QString::number(PuissanceMachine(ConfigGenerale.GammePuissance)) +
                                  QStringLiteral(" W"));
    for (int m = 1; m <= 7; ++m) {
        QToolButton* b = BoutonMachine(m);
        b->setText(TexteMachine(Textes.NomMachine, m));
        b->setToolTip(TexteMachine(Textes.TitreMachine, m));
    }
    for (QLabel* l : {TextCharge, TextChargeS, TextChargeD})
        l->setText(TexteNumero(TexteChargeMot));
    for (int p = 0; p < 3; ++p)
        for (int type : TypesPage[p]) {
            QToolButton* b = BoutonCharge(p, type);
            b->setText(TexteType(Textes.NomLoi, type));
            b->setToolTip(TexteType(Textes.DescriptionLoi, type));
        }
    ButtonVISUALISATION->setText(TexteNumero(TexteVisualisation));
    ButtonVISUALISATION->setToolTip(TexteNumero(TexteBulleVisualisation));
    for (QPushButton* b : {ButtonEtudeCaract, ButtonEtudeStatique, ButtonEtudeDynamique}) {
        b->setText(TexteNumero(TexteEtude));
        b->setToolTip(TexteNumero(TexteBulleEtude));
    }
    for (QPushButton* b : {ButtonAPPstat, ButtonAPPdyn}) {
        b->setText(TexteNumero(TexteApplications));
        b->setToolTip(TexteNumero(TexteBulleApplications));
    }
    for (QPushButton* b : {ButtonFermer1, ButtonFermer2, ButtonFermer3}) {
        b->setText(TexteNumero(TexteFermer));
        b->setToolTip(TexteNumero(TexteBulleFermer));
    }

    SetButton();
    {
        const QSignalBlocker bloque(PageControl);
        PageControl->setCurrentIndex(PageDemandee);
    }
    for (QAbstractButton* b : GroupeMachine->buttons()) b->setEnabled(!ChoixFige);
    for (int p = 0; p < 3; ++p) {
        for (QAbstractButton* b : GroupeCharge[p]->buttons()) b->setEnabled(!ChoixFige);
        PageControl->setTabEnabled(p, !ChoixFige || p == PageDemandee);
    }
    Action(this);
}

void TFormChoixCaract::SetButton() {
    const int32_t machine = ReglagesCourants[MotTypeMachine];
    const int32_t type = ReglagesCourants[MotTypeCaract];
    for (QAbstractButton* b : GroupeMachine->buttons())
        b->setChecked(GroupeMachine->id(b) == machine);
    for (QButtonGroup* g : GroupeCharge)
        for (QAbstractButton* b : g->buttons()) b->setChecked(g->id(b) == type);
}

void TFormChoixCaract::ResetButton() {
    for (QAbstractButton* b : GroupeMachine->buttons()) b->setChecked(false);
    for (QButtonGroup* g : GroupeCharge)
        for (QAbstractButton* b : g->buttons()) b->setChecked(false);
}

void TFormChoixCaract::Action(QObject* sender) {
    TextCaractMachine->clear();
    TextCaractCharge->clear();
    TextTitreS->clear();
    TextTitreD->clear();
    MachineChoisie = Enfonce(GroupeMachine);
    TypeChoisi = 0;

    // The alternator-coupling aid exists only for the synchronous machine.
    if (MachineChoisie != MsTriphasee) ButtonCouplage->setChecked(false);
    ButtonCouplage->setEnabled(MachineChoisie == MsTriphasee);

    const int page = PageControl->currentIndex();
    if (page >= 0 && page <= 2) TypeChoisi = Enfonce(GroupeCharge[page]);
    const QString machine = TexteMachine(Textes.TitreMachine, MachineChoisie);
    const QString charge = TexteType(Textes.TitreCharge, TypeChoisi);
    QLabel* lignes[3][2] = {{TextCaractMachine, TextCaractCharge},
                            {TextMachineS, TextTitreS},
                            {TextMachineD, TextTitreD}};
    if (page >= 0 && page <= 2) {
        lignes[page][0]->setText(machine);
        lignes[page][1]->setText(charge);
    }

    const bool machineChoisie = MachineChoisie != 0;
    const bool charge0 = page == 0 && TypeChoisi != 0;
    const bool charge1 = page == 1 && TypeChoisi != 0;
    const bool charge2 = page == 2 && TypeChoisi != 0;
    ButtonVISUALISATION->setEnabled(charge0 && machineChoisie);
    ButtonEtudeCaract->setEnabled(charge0 && machineChoisie);
    ButtonEtudeStatique->setEnabled(charge1 && machineChoisie);
    ButtonAPPstat->setEnabled(charge1);
    ButtonEtudeDynamique->setEnabled(charge2 && machineChoisie);
    ButtonAPPdyn->setEnabled(charge2);

    ReglagesCourants[MotTypeMachine] = MachineChoisie;
    ReglagesCourants[MotTypeCaract] = TypeChoisi;

    PanelCaractS->setVisible(charge1);
    if (charge1) PanelCaractS->SetMode(sender, TypeChoisi);
    PanelCaractD->setVisible(charge2);
    if (charge2) PanelCaractD->SetMode(sender, TypeChoisi);
    images_[1]->setVisible(!charge1);
    images_[2]->setVisible(!charge2);
}

void TFormChoixCaract::ButtonEtudeCaractClick(QObject*) {
    const int type = TypeChoisi;
    if (TypeCaractCourant() != type && TAvertissements::TypeAvecAvertissement(type)) {
        if (Avertissement && !Avertissement(type)) return;
    }
    if (NbVuesGraphe() == 0) {
        TNouvelCaract* dialogue = NouvelCaract;
        if (dialogue == nullptr) {
            nouvelCaract_ = new TNouvelCaract(this);
            dialogue = nouvelCaract_;
        }
        dialogue->Mode = 0;
        dialogue->NumeroVue = 1;
        if (dialogue->exec() != QDialog::Accepted) return;
    }
    Etudier();
}

// The tracing window takes the choice and shows before this window closes,
// so that closing does not bring the main menu back.
void TFormChoixCaract::Etudier() {
    if (FormTraceCaract) {
        // No trial could take the choice: the user has been told, and the
        // choice stays on screen.
        if (!FormTraceCaract->Setcourbe()) return;
        FormTraceCaract->Montrer();
    }
    restaurer_ = false;
    close();
}

void TFormChoixCaract::ButtonVISUALISATIONClick() {
    if (FormVisualisation == nullptr) return;
    // The live display takes the screen: it hides this window while it is
    // open and shows it again when it closes.
    FormVisualisation->FenetreAppelante = this;
    // One drive, one commander: opened from the tracing window, the live
    // display keeps it blocked as this window did, so that no acquisition
    // starts there while the live display drives the load.
    QWindow* parent = appelant_ ? appelant_->window()->windowHandle() : nullptr;
    FormVisualisation->setWindowModality(parent ? Qt::WindowModal : Qt::NonModal);
    FormVisualisation->winId();  // its window exists, to take a transient parent
    if (QWindow* w = FormVisualisation->windowHandle()) w->setTransientParent(parent);
    FormVisualisation->show();
}

void TFormChoixCaract::ButtonAPPstatClick() {
    const int groupe = GroupeApplication(TypeChoisi);
    if (groupe == 0 || FormVisuApp == nullptr) return;
    FormVisuApp->DefinirGroupe(groupe);
    FormVisuApp->Montrer();
}

void TFormChoixCaract::ButtonFermer1Click() { close(); }

void TFormChoixCaract::reject() { close(); }

void TFormChoixCaract::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TFormChoixCaract::FormClose() {
    ChoixFige = false;
    appelant_ = nullptr;
    // The applications shown for the chosen load go with the choice.
    if (FormVisuApp) FormVisuApp->Fermer();
    if (restaurer_) {
        // Left without "ETUDE": the next start sends what the trial holds.
        ReglagesCourants = reglagesAvant_;
        restaurer_ = false;
    }
    if (FormTraceCaract && FormTraceCaract->EstVisible()) return;
    if (FormMachine2) FormMachine2->show();
}

}  // namespace orvane
