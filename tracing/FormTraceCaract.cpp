#include "tracing/FormTraceCaract.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "comm/MicroTimer.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Aide.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "dialogs/ImageJpeg.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/TrierPoints.h"
#include "graph/Vue.h"
#include "study/Acquisition.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"
#include "tracing/Impression.h"

namespace orvane {

namespace {

// Texts of the text table read here.
constexpr int TexteTitreMachine = 5;
constexpr int TexteTitreStatique = 7;
constexpr int TexteTitreDynamique = 9;
constexpr int TexteSupprimerVue = 39;
constexpr int TexteSupprimerEssai = 40;
constexpr int TexteSupprimerPoints = 41;
constexpr int TexteFichierModifie = 43;
constexpr int TexteSansValeur = 62;
constexpr int TexteCommentaireEssai = 114;
constexpr int TexteAffichageCaract = 143;
constexpr int TexteEssai = 144;
constexpr int TexteSelectionEssai = 145;
constexpr int TexteSansSynchro = 156;
constexpr int TexteSynchroSur = 157;

constexpr int HauteurBarre = 27;
constexpr int HauteurPanneau = 57;
constexpr int LargeurBoutonCar = 92;
constexpr int LargeurBoutonEssai = 140;
constexpr int LargeurValeurs = 165;

QString T(int n) { return TexteNumero(n); }

QString DeLEtude(const std::string& cp1252) { return VersQString(DepuisCp1252(cp1252)); }

std::string VersEtude(const QString& texte) { return VersCp1252(texte.toStdString()); }

// Cuts a text to `n` characters of the work file (one byte each there).
QString Couper(const QString& texte, int n) { return texte.left(n); }

void Barre(QWidget* barre, const QColor& texte = Qt::white) {
    barre->setAutoFillBackground(true);
    QPalette pal = barre->palette();
    pal.setColor(QPalette::Window, CouleurBarre);
    pal.setColor(QPalette::WindowText, texte);
    barre->setPalette(pal);
}

QFrame* Panneau(QWidget* parent) {
    auto* f = new QFrame(parent);
    Barre(f);
    return f;
}

template <class Boite>
Boite* Serree(QWidget* w, int marge = 0, int espace = 2) {
    auto* l = new Boite(w);
    l->setContentsMargins(marge, marge, marge, marge);
    l->setSpacing(espace);
    return l;
}

QToolButton* Bouton(QWidget* parent, const QString& texte, bool bascule) {
    auto* b = new QToolButton(parent);
    b->setText(texte);
    b->setCheckable(bascule);
    b->setFont(PoliceArial(9));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    b->setMinimumWidth(56);
    return b;
}

QLabel* Titre(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFont(PoliceArial(12));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::yellow);
    l->setPalette(pal);
    return l;
}

// The caption of quantity q in the current language: "name : symbol".
QString NomGrandeur(int q, const char* liaison) {
    const TGrandeurTexte& g = Textes.Grandeurs[static_cast<size_t>(q)];
    // At most 20 characters each (not bytes: a cut must not split a letter).
    return VersQString(g.Nom).left(20) + QLatin1String(liaison) + VersQString(g.Symbole).left(20);
}

// The window caption of a group: group title, " : ", machine and load titles.
QString TitreGroupe(const EnteteCaract& e) {
    int texte = 0;
    switch (GroupeDeType(e[MotTypeCaract])) {
        case GroupeCaract::Machine: texte = TexteTitreMachine; break;
        case GroupeCaract::Statique: texte = TexteTitreStatique; break;
        case GroupeCaract::Dynamique: texte = TexteTitreDynamique; break;
        case GroupeCaract::Aucun: return {};
    }
    return T(texte) + QStringLiteral(" : ") +
           VersQString(
               Textes
                   .TitreMachine[static_cast<size_t>(Borner(e[MotTypeMachine], NbTypesMachine))]) +
           VersQString(
               Textes.TitreCharge[static_cast<size_t>(Borner(e[MotTypeCaract], NbTypesCaract))]);
}

// "Tu(n)": the caption of view slot k (0..3) as its frame writes it.
QString NomVue(int k) {
    const VueBornee v = BornerVue(Etude.Vues[k]);
    return DeLEtude(Etude.Grandeurs[v.qY].Symbole.Lire()) + QLatin1Char('(') +
           DeLEtude(Etude.Grandeurs[v.qX].Symbole.Lire()) + QLatin1Char(')');
}

int NbEssais() { return std::clamp(Etude.NbCaract, 0, NbCaractMax); }

void Cocher(QAbstractButton* b, bool bas) {
    const QSignalBlocker bloque(b);
    b->setChecked(bas);
}

void DefinirTexte(QLineEdit* e, const QString& texte) {
    if (e->text() == texte) return;
    const QSignalBlocker bloque(e);
    e->setText(texte);
}

}  // namespace

// ---------------------------------------------------------------- creation --

TFormTraceCaract::TFormTraceCaract(QWidget* parent) : QMainWindow(parent) {
    setMinimumSize(800, 600);
    resize(862, 651);
    setFont(PoliceArial(9));
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }
    auto* centre = new QWidget(this);
    auto* colonne = Serree<QVBoxLayout>(centre, 0, 0);
    setCentralWidget(centre);

    CreerBarres();
    CreerPanneauxAcquisition();
    CreerZoneClient();
    colonne->addWidget(PanelCarcteristique);
    colonne->addWidget(ToolBarTitre);
    colonne->addWidget(PanelANALYSE);
    for (QFrame* p : {PanelAcquiManu, PanelAcquiAuto, PanelChargeStatiqueManu,
                      PanelChargeStatiqueAuto, PanelChargeDynamique})
        colonne->addWidget(p);
    auto* bas = new QHBoxLayout;
    bas->setContentsMargins(0, 0, 0, 0);
    bas->setSpacing(0);
    bas->addWidget(ZoneTrace, 1);
    bas->addWidget(PanelAffichageValeur);
    colonne->addLayout(bas, 1);
    CreerMenu();
    // The buttons of the bars: a down button stands out from the others.
    const QString boutons = QStringLiteral(
        "QToolButton { background: #f4f4f4; color: black; border: 1px solid #1f4f4f;"
        " border-radius: 2px; padding: 1px 6px; }"
        "QToolButton:hover { background: white; }"
        "QToolButton:checked { background: #ffe27a; border: 2px inset #404040; }"
        "QToolButton:disabled { color: #8a8a8a; background: #dcdcdc; }");
    for (QFrame* f : {PanelCarcteristique, PanelANALYSE, PanelAcquiManu, PanelAcquiAuto,
                      PanelChargeStatiqueManu, PanelChargeStatiqueAuto, PanelChargeDynamique})
        f->setStyleSheet(boutons);

    auto minuterie = [this](int ms) {
        auto* t = new QTimer(this);
        t->setInterval(ms);
        return t;
    };
    TimerManu = minuterie(100);
    TimerAuto = minuterie(50);
    TimerChargeAuto = minuterie(50);
    TimerOscillo = minuterie(50);

    // FormCreate: the micro timer exists, bound, and is never enabled.
    MicroTimer1 = new TMicroTimer(this);
    MicroTimer1->SetOnTimer([this](TMicroTimer*) { MicroTimer1OnTimer(); });
    LierAcquisitionMachine();
    ConnecterAcquisitionsCharge();

    // Key preview: Escape and Space reach the window whichever control has
    // the focus.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        if (w->window() == this) w->installEventFilter(this);

    FenetreTrace = this;
    Langue();
}

TFormTraceCaract::~TFormTraceCaract() {
    if (FenetreTrace == this) FenetreTrace = nullptr;
}

void TFormTraceCaract::CreerBarres() {
    auto* centre = centralWidget();
    PanelCarcteristique = Panneau(centre);
    PanelCarcteristique->setFixedHeight(HauteurBarre);
    auto* ligne = Serree<QHBoxLayout>(PanelCarcteristique, 1, 1);
    for (int k = 0; k < NbVues; ++k) {
        QToolButton* b = Bouton(PanelCarcteristique, QString(), true);
        b->setFixedWidth(LargeurBoutonCar);
        b->setCursor(Qt::PointingHandCursor);
        connect(b, &QToolButton::clicked, this, [this, b] { ButtonCararactClick(b); });
        ButtonCar[static_cast<size_t>(k)] = b;
        ligne->addWidget(b);
    }
    ligne->addStretch(1);

    auto groupe = [&](QFrame*& panneau) {
        panneau = Panneau(PanelCarcteristique);
        return Serree<QHBoxLayout>(panneau, 0, 1);
    };
    QHBoxLayout* l = groupe(PanelAcquisitionCarMachine);
    ButtonManu = Bouton(PanelAcquisitionCarMachine, QString(), true);
    ButtonAuto = Bouton(PanelAcquisitionCarMachine, QString(), true);
    l->addWidget(ButtonManu);
    l->addWidget(ButtonAuto);
    l = groupe(PanelAcqusitionChargeStatique);
    ButtonChargeManu = Bouton(PanelAcqusitionChargeStatique, QString(), true);
    ButtonChargeAuto = Bouton(PanelAcqusitionChargeStatique, QString(), true);
    l->addWidget(ButtonChargeManu);
    l->addWidget(ButtonChargeAuto);
    l = groupe(PanelAcqusitionChargeDynamique);
    ButtonChargeDynamique = Bouton(PanelAcqusitionChargeDynamique, QString(), true);
    l->addWidget(ButtonChargeDynamique);
    l = groupe(PanelFonction);
    ButtonEspion = Bouton(PanelFonction, QStringLiteral("ESP"), false);
    ButtonEspion->setFixedWidth(25);
    ButtonEspion->setMinimumWidth(25);
    ButtonEspion->hide();
    ButtonModifCharge = Bouton(PanelFonction, QString(), false);
    ButtonAffichage = Bouton(PanelFonction, QString(), true);
    ButtonAffichage->setChecked(true);
    ButtonTitre = Bouton(PanelFonction, QString(), true);
    ButtonClose = Bouton(PanelFonction, QString(), false);
    ButtonClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    ButtonClose->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ButtonClose->setMinimumWidth(28);
    for (QToolButton* b : {ButtonEspion, ButtonModifCharge, ButtonAffichage, ButtonTitre})
        l->addWidget(b);
    l->addSpacing(6);
    l->addWidget(ButtonClose);
    for (QFrame* p : {PanelAcquisitionCarMachine, PanelAcqusitionChargeStatique,
                      PanelAcqusitionChargeDynamique}) {
        ligne->addWidget(p);
        ligne->addSpacing(8);
    }
    ligne->addWidget(PanelFonction);

    connect(ButtonManu, &QToolButton::clicked, this, [this] { ButtonManuClick(); });
    connect(ButtonAuto, &QToolButton::clicked, this, [this] { ButtonAutoClick(); });
    connect(ButtonChargeManu, &QToolButton::clicked, this, [this] { ButtonChargeManuClick(); });
    connect(ButtonChargeAuto, &QToolButton::clicked, this, [this] { ButtonChargeAutoClick(); });
    connect(ButtonChargeDynamique, &QToolButton::clicked, this,
            [this] { ButtonChargeDynamiqueClick(); });
    connect(ButtonModifCharge, &QToolButton::clicked, this, [this] { ButtonModifChargeClick(); });
    connect(ButtonAffichage, &QToolButton::clicked, this, [this] { Action(); });
    connect(ButtonTitre, &QToolButton::clicked, this, [this] { Action(); });
    connect(ButtonClose, &QToolButton::clicked, this, [this] { ButtonCloseClick(); });
    connect(ButtonEspion, &QToolButton::clicked, this, [this] { ButtonEspionClick(); });

    // Title bar.
    ToolBarTitre = Panneau(centre);
    ToolBarTitre->setFixedHeight(HauteurBarre + 2);
    auto* lt = Serree<QHBoxLayout>(ToolBarTitre, 2, 6);
    StaticTextTitreessai = new QLabel(ToolBarTitre);
    EditTitre = new QLineEdit(ToolBarTitre);
    EditTitre->setMaxLength(100);
    lt->addSpacing(4);
    lt->addWidget(StaticTextTitreessai);
    lt->addWidget(EditTitre, 1);
    connect(EditTitre, &QLineEdit::textEdited, this, [this] { EditTitreChange(); });

    // Trials and their comments.
    PanelANALYSE = new QFrame(centre);
    auto* la = Serree<QVBoxLayout>(PanelANALYSE, 0, 0);
    ToolBar1 = Panneau(PanelANALYSE);
    ToolBar2 = Panneau(PanelANALYSE);
    ToolBar1->setFixedHeight(HauteurBarre);
    ToolBar2->setFixedHeight(HauteurBarre);
    auto* l1 = Serree<QHBoxLayout>(ToolBar1, 1, 1);
    auto* l2 = Serree<QHBoxLayout>(ToolBar2, 1, 1);
    StaticTextCourbes = new QLabel(ToolBar1);
    StaticTextCommentaire = new QLabel(ToolBar2);
    StaticTextCourbes->setIndent(6);
    StaticTextCommentaire->setIndent(6);
    l1->addWidget(StaticTextCourbes);
    l2->addWidget(StaticTextCommentaire);
    GroupeCourbes = new QButtonGroup(this);
    GroupeCourbes->setExclusive(true);
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        QToolButton* b = Bouton(ToolBar1, QString(), true);
        b->setContextMenuPolicy(Qt::CustomContextMenu);
        GroupeCourbes->addButton(b, k + 1);
        Buttoncourbe[i] = b;
        l1->addWidget(b);
        PopupMenu[i] = new QMenu(b);
        MenuItem[i][0] = PopupMenu[i]->addAction(QString());
        MenuItem[i][1] = PopupMenu[i]->addAction(QString());
        connect(b, &QToolButton::clicked, this, [this] { ButtoncourbeClick(); });
        connect(b, &QWidget::customContextMenuRequested, this,
                [this, b, i](const QPoint& p) { PopupMenu[i]->popup(b->mapToGlobal(p)); });
        connect(MenuItem[i][0], &QAction::triggered, this, [this, k] {
            SupprimePoints(k + 1);
            Action();
        });
        connect(MenuItem[i][1], &QAction::triggered, this, [this, k] {
            SuppCourbeClick(k + 1);
            Action();
        });
        auto* e = new QLineEdit(ToolBar2);
        e->setMaxLength(20);
        e->installEventFilter(this);
        Editcourbe[i] = e;
        l2->addWidget(e);
        connect(e, &QLineEdit::textEdited, this, [this, k] { Editcourbe1Change(k + 1); });
    }
    Buttoncourbe[0]->setChecked(true);
    l1->addStretch(1);
    l2->addStretch(1);
    la->addWidget(ToolBar1);
    la->addWidget(ToolBar2);
    PanelANALYSE->installEventFilter(this);
}

void TFormTraceCaract::LargeursEssais() {
    // The two captions share the width of the longer one; the trial buttons
    // and the comment boxes below them are 140 wide, less when the window is
    // too narrow for five.
    const QFontMetrics fm(StaticTextCourbes->font());
    const int etiquette = std::max(fm.horizontalAdvance(StaticTextCourbes->text()),
                                   fm.horizontalAdvance(StaticTextCommentaire->text())) +
                          StaticTextCourbes->indent() + 10;
    StaticTextCourbes->setFixedWidth(etiquette);
    StaticTextCommentaire->setFixedWidth(etiquette);
    const int place = (PanelANALYSE->width() - etiquette - 2 - 5) / NbCaractMax;
    const int largeur = std::clamp(place, 60, LargeurBoutonEssai);
    for (int k = 0; k < NbCaractMax; ++k) {
        Buttoncourbe[static_cast<size_t>(k)]->setFixedWidth(largeur);
        Editcourbe[static_cast<size_t>(k)]->setFixedWidth(largeur);
    }
}

void TFormTraceCaract::CreerPanneauxAcquisition() {
    auto* centre = centralWidget();
    auto panneau = [&](QFrame*& p, QLabel*& titre) {
        p = Panneau(centre);
        p->setFixedHeight(HauteurPanneau);
        p->hide();
        titre = Titre(p);
        titre->setWordWrap(true);
        auto* l = Serree<QHBoxLayout>(p, 4, 6);
        return l;
    };
    auto stop = [&](QWidget* p) {
        QToolButton* b = Bouton(p, QStringLiteral("Stop"), false);
        connect(b, &QToolButton::clicked, this, [this] { ButtonStopManuClick(); });
        return b;
    };
    auto defilement = [](QWidget* p, int min, int max, int pas) {
        auto* s = new QScrollBar(Qt::Horizontal, p);
        s->setRange(min, max);
        s->setPageStep(pas);
        s->setFixedWidth(220);
        return s;
    };
    auto valeur = [](QWidget* p, const QString& texte) {
        auto* l = new QLabel(texte, p);
        l->setMinimumWidth(90);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::yellow);
        l->setPalette(pal);
        return l;
    };

    QHBoxLayout* l = panneau(PanelAcquiManu, TextModechargeManu);
    ScrollBarK = defilement(PanelAcquiManu, 0, 100, 10);
    TextK = valeur(PanelAcquiManu, QStringLiteral("K = 0%"));
    ButtonAcquiPointCaract = Bouton(PanelAcquiManu, QString(), false);
    ButtonStopManu = stop(PanelAcquiManu);
    l->addWidget(TextModechargeManu, 1);
    l->addWidget(ScrollBarK);
    l->addWidget(TextK);
    l->addWidget(ButtonAcquiPointCaract);
    l->addWidget(ButtonStopManu);
    ScrollBarK->installEventFilter(this);
    connect(ButtonAcquiPointCaract, &QToolButton::clicked, this,
            [this] { ButtonAcquiPointCaractClick(); });

    l = panneau(PanelAcquiAuto, TextModechargeAuto);
    ScrollBarT = defilement(PanelAcquiAuto, 5, 15, 1);
    ScrollBarT->setValue(5);
    TextT = valeur(PanelAcquiAuto, QStringLiteral("T = 5 s"));
    ButtonAutoCroissant = Bouton(PanelAcquiAuto, QString(), true);
    ButtonAutoCroissant->setArrowType(Qt::UpArrow);
    ButtonAutoCroissant->setToolTip(QStringLiteral("Début de l'acquisition avec K croissant"));
    ButtonAutoDecroissant = Bouton(PanelAcquiAuto, QString(), true);
    ButtonAutoDecroissant->setArrowType(Qt::DownArrow);
    ButtonAutoDecroissant->setToolTip(QStringLiteral("Début de l'acquisition avec K décroissant"));
    ButtonStopAuto = stop(PanelAcquiAuto);
    l->addWidget(TextModechargeAuto, 1);
    l->addWidget(ScrollBarT);
    l->addWidget(TextT);
    l->addWidget(ButtonAutoCroissant);
    l->addWidget(ButtonAutoDecroissant);
    l->addWidget(ButtonStopAuto);

    l = panneau(PanelChargeStatiqueManu, TextModeChargestatiqueManu);
    ButtonAcquiPointStatique = Bouton(PanelChargeStatiqueManu, QString(), false);
    ButtonStopChargeManu = stop(PanelChargeStatiqueManu);
    l->addWidget(TextModeChargestatiqueManu, 1);
    l->addWidget(ButtonAcquiPointStatique);
    l->addWidget(ButtonStopChargeManu);

    l = panneau(PanelChargeStatiqueAuto, TextModeChargestatiqueAuto);
    ButtonAcquiAutoStatique = Bouton(PanelChargeStatiqueAuto, QString(), true);
    ButtonStopChargeAuto = stop(PanelChargeStatiqueAuto);
    l->addWidget(TextModeChargestatiqueAuto, 1);
    l->addWidget(ButtonAcquiAutoStatique);
    l->addWidget(ButtonStopChargeAuto);

    l = panneau(PanelChargeDynamique, TextModeChargeDynamique);
    PanelChargeDynamique->setFixedHeight(HauteurPanneau + 30);
    auto* gauche = new QVBoxLayout;
    gauche->setSpacing(2);
    auto* haut = new QHBoxLayout;
    StaticTextModeOscillo = new QLabel(PanelChargeDynamique);
    StaticTextModeOscillo->setFixedWidth(127);
    StaticTextModeOscillo->setAlignment(Qt::AlignCenter);
    StaticTextModeOscillo->setAutoFillBackground(true);
    {
        QPalette pal = StaticTextModeOscillo->palette();
        pal.setColor(QPalette::Window, Qt::red);
        pal.setColor(QPalette::WindowText, Qt::white);
        StaticTextModeOscillo->setPalette(pal);
    }
    haut->addWidget(TextModeChargeDynamique, 1);
    haut->addWidget(StaticTextModeOscillo);
    PanelConfOscillo = Panneau(PanelChargeDynamique);
    auto* lc = Serree<QHBoxLayout>(PanelConfOscillo, 0, 6);
    ButtonSynchro = Bouton(PanelConfOscillo, QStringLiteral("S"), true);
    ButtonSynchro->setMinimumWidth(28);
    ButtonSynchro->setChecked(true);
    TextSynchro = new QLabel(PanelConfOscillo);
    ComboBoxVariable = new QComboBox(PanelConfOscillo);
    ComboBoxVariable->addItems({QStringLiteral("Vitesse"), QStringLiteral("Couple"),
                                QStringLiteral("Tension"), QStringLiteral("Courant")});
    StaticTextDuree = new QLabel(PanelConfOscillo);
    ScrollBarDureeOscillo = defilement(PanelConfOscillo, 0, 24, 1);
    ScrollBarDureeOscillo->setFixedWidth(160);
    TextDureeSynchro = valeur(PanelConfOscillo, QStringLiteral("T = 5 s"));
    lc->addWidget(ButtonSynchro);
    lc->addWidget(TextSynchro);
    lc->addWidget(ComboBoxVariable);
    lc->addStretch(1);
    lc->addWidget(StaticTextDuree);
    lc->addWidget(ScrollBarDureeOscillo);
    lc->addWidget(TextDureeSynchro);
    gauche->addLayout(haut);
    gauche->addWidget(PanelConfOscillo);
    SpeedButtonOscillo = Bouton(PanelChargeDynamique, QString(), false);
    ButtonStopDynamique = stop(PanelChargeDynamique);
    l->addLayout(gauche, 1);
    l->addWidget(SpeedButtonOscillo);
    l->addWidget(ButtonStopDynamique);
    connect(ButtonSynchro, &QToolButton::clicked, this, [this] { Action(); });
}

void TFormTraceCaract::CreerZoneClient() {
    auto* centre = centralWidget();
    ZoneTrace = new QWidget(centre);
    ZoneTrace->setAutoFillBackground(true);
    {
        QPalette pal = ZoneTrace->palette();
        pal.setColor(QPalette::Window, Qt::white);
        ZoneTrace->setPalette(pal);
    }
    auto* lz = Serree<QVBoxLayout>(ZoneTrace, 0, 0);
    ImageFond = new QLabel(ZoneTrace);
    ImageFond->setAlignment(Qt::AlignCenter);
    ImageFond->setMinimumSize(1, 1);
    ImageFond->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ImageFond->installEventFilter(this);
    lz->addWidget(ImageFond);
    imageBanc_ = LireJpeg(CheminImage(QString::fromLatin1(ImageFondTrace)));
    for (int k = 0; k < NbVues; ++k) {
        auto* c = new TCaractMachine(ZoneTrace);
        c->NumeroVue = k + 1;
        c->hide();
        CaractMachine[static_cast<size_t>(k)] = c;
        // Only a stored point of the current trial may be deleted.
        connect(c->PopupMenu1, &QMenu::aboutToShow, this,
                [this, c] { c->Suppressiondupoint1->setEnabled(PointSupprimable()); });
    }

    PanelAffichageValeur = Panneau(centre);
    PanelAffichageValeur->setFixedWidth(LargeurValeurs);
    PanelAffichageValeur->hide();
    auto* lv = Serree<QVBoxLayout>(PanelAffichageValeur, 4, 2);
    auto boite = [&](QFrame*& p, QLabel*& nom, QLabel*& valeur, int espace) {
        p = Panneau(PanelAffichageValeur);
        auto* l = Serree<QVBoxLayout>(p, 0, 1);
        nom = new QLabel(p);
        nom->setFont(PoliceArial(8));
        nom->setAlignment(Qt::AlignCenter);
        valeur = new QLabel(p);
        valeur->setFont(PoliceArial(10));
        valeur->setAlignment(Qt::AlignCenter);
        valeur->setFrameShape(QFrame::Panel);
        valeur->setFrameShadow(QFrame::Sunken);
        valeur->setAutoFillBackground(true);
        QPalette pal = valeur->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black);
        valeur->setPalette(pal);
        valeur->setFixedHeight(22);
        l->addWidget(nom);
        l->addWidget(valeur);
        lv->addWidget(p);
        if (espace) lv->addSpacing(espace);
    };
    boite(PanelVitesse, StaticTextVitesse, TextVitesse, 0);
    boite(PanelCouple, StaticTextCouple, TextCouple, 0);
    boite(PanelPmeca, StaticTextPmeca, TextPmeca, 8);
    boite(PanelTension, StaticTextTension, TextTension, 0);
    boite(PanelCourant, StaticTextCourant, TextCourant, 0);
    boite(PanelPelec, StaticTextPelec, TextPelec, 8);
    boite(Paneliexc, StaticTextIexc, TextIexc, 8);
    boite(PanelFp, StaticTextFP, TextFp, 0);
    boite(PanelPertes, StaticTextPertes, TextPertes, 0);
    boite(PanelRendement, StaticTextRend, TextRend, 8);
    boite(PanelTemps, StaticTextTemps, TextTemps, 0);
    lv->addStretch(1);
    StaticTextCourant->setCursor(Qt::PointingHandCursor);
    StaticTextCourant->installEventFilter(this);
}

void TFormTraceCaract::CreerMenu() {
    QMenuBar* barre = menuBar();
    barre->setFont(PoliceArial(9, false));
    auto item = [this](QMenu* m, void (TFormTraceCaract::*f)()) {
        QAction* a = m->addAction(QString());
        connect(a, &QAction::triggered, this, [this, f] { (this->*f)(); });
        return a;
    };
    Fichier1 = barre->addMenu(QString());
    Ouvrir = item(Fichier1, &TFormTraceCaract::OuvrirClick);
    Enregistrer1 = item(Fichier1, &TFormTraceCaract::Enregistrer1Click);
    Enregistrersous1 = item(Fichier1, &TFormTraceCaract::Enregistrersous1Click);
    Fichier1->addSeparator();
    Nouveautravail1 = item(Fichier1, &TFormTraceCaract::Nouveautravail1Click);
    Fichier1->addSeparator();
    Configurationimprimante1 = item(Fichier1, &TFormTraceCaract::Configurationimprimante1Click);
    Imprimer1 = item(Fichier1, &TFormTraceCaract::Imprimer1Click);
    ExporterPdf1 = item(Fichier1, &TFormTraceCaract::ExporterPdf1Click);
    ExporterValeurs1 = item(Fichier1, &TFormTraceCaract::ExporterValeurs1Click);
    Fichier1->addSeparator();
    Quitter1 = item(Fichier1, &TFormTraceCaract::Quitter1Click);
    connect(Fichier1, &QMenu::aboutToShow, this, [this] { Fichier1Click(); });

    Edition1 = barre->addMenu(QString());
    Nouvellecaracteristique1 = item(Edition1, &TFormTraceCaract::Nouvellecaracteristique1Click);
    Modificationdunecaracteristique1 = Edition1->addMenu(QString());
    Suppressiondunecaracteristique1 = Edition1->addMenu(QString());
    for (int k = 0; k < NbVues; ++k) {
        MCar[static_cast<size_t>(k)] = Modificationdunecaracteristique1->addAction(QString());
        SCar[static_cast<size_t>(k)] = Suppressiondunecaracteristique1->addAction(QString());
        connect(MCar[static_cast<size_t>(k)], &QAction::triggered, this,
                [this, k] { ModifCarClick(k + 1); });
        connect(SCar[static_cast<size_t>(k)], &QAction::triggered, this,
                [this, k] { SupprimeCarClick(k + 1); });
    }
    Edition1->addSeparator();
    Nouvellecourbe1 = item(Edition1, &TFormTraceCaract::Nouvellecourbe1Click);
    Suppressioncourbe1 = Edition1->addMenu(QString());
    for (int k = 0; k < NbCaractMax; ++k) {
        Ncb[static_cast<size_t>(k)] = Suppressioncourbe1->addAction(QString());
        connect(Ncb[static_cast<size_t>(k)], &QAction::triggered, this,
                [this, k] { SupprimeCourbeClick(k + 1); });
    }
    Edition1->addSeparator();
    Copierlescaractristiques1 = item(Edition1, &TFormTraceCaract::Copierlescaractristiques1Click);
    Copierlesvaleurs1 = Edition1->addAction(QString());
    Copierlesvaleurs2 = Edition1->addAction(QString());
    for (QAction* a : {Copierlesvaleurs1, Copierlesvaleurs2})
        connect(a, &QAction::triggered, this, [this, a] { Copierlesvaleurs1Click(a); });
    connect(Edition1, &QMenu::aboutToShow, this, [this] { Edition1Click(); });

    Configuration1 = barre->addMenu(QString());
    Trierlespoints1 = Configuration1->addMenu(QString());
    delacourbeselectionne1 = item(Trierlespoints1, &TFormTraceCaract::delacourbeselectionne1Click);
    detouteslescourbes1 = item(Trierlespoints1, &TFormTraceCaract::detouteslescourbes1Click);
    Interpolation = Configuration1->addMenu(QString());
    GroupeInterpolation = new QActionGroup(this);
    for (int i = 0; i < 6; ++i) {
        QAction* a = Interpolation->addAction(QString());
        a->setCheckable(true);
        GroupeInterpolation->addAction(a);
        interpolation[static_cast<size_t>(i)] = a;
        connect(a, &QAction::triggered, this, [this, i] { interpolationClick(i + 1); });
    }
    Couleurdesgraphes1 = Configuration1->addMenu(QString());
    for (int c = 0; c < NbPalettes; ++c) {
        QPixmap pastille(48, 14);
        pastille.fill(VersQColor(TablePalettes[c + 1][0]));
        {
            QPainter p(&pastille);
            p.setPen(Qt::black);
            p.drawRect(pastille.rect().adjusted(0, 0, -1, -1));
        }
        QAction* a = Couleurdesgraphes1->addAction(QIcon(pastille), QString());
        a->setIconVisibleInMenu(true);
        CouleurGraphe[static_cast<size_t>(c)] = a;
        connect(a, &QAction::triggered, this, [this, c] { FondClick(c); });
    }
    CalibreCourant1 = item(Configuration1, &TFormTraceCaract::CalibreCourant1Click);
    Configuration1->addSeparator();
    Configurationmatrielle1 = item(Configuration1, &TFormTraceCaract::Configurationmatrielle1Click);
    connect(Configuration1, &QMenu::aboutToShow, this, [this] { Configuration1Click(); });

    N1 = barre->addMenu(QStringLiteral("?"));
    Aide1 = item(N1, &TFormTraceCaract::Aide1Click);
    Apropos1 = item(N1, &TFormTraceCaract::Apropos1Click);
}

// ----------------------------------------------------------------- faces --

bool TFormTraceCaract::Setcourbe() {
    // The current trial takes the settings only when it belongs to the
    // study: a current number beyond the count (the last trial deleted, a
    // file with views and no trial) would fill a record that is never saved.
    if (CaractCourante >= 1 && CaractCourante <= NbEssais() && CaractCompatible(CaractCourante)) {
        Caracts[CaractCourante].Entete = ReglagesCourants;
    } else if (NbEssais() < NbCaractMax) {
        NouvelleCaract();
    } else {
        // Five trials: the choice is not taken, and the user is told so
        // rather than left believing it was.
        Avertir(std::string(Textes.Texte(TexteCinqEssais)));
        ReglagesCourants = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
        return false;
    }
    if (isVisible()) Action();
    return true;
}

void TFormTraceCaract::Montrer() {
    showMaximized();
    raise();
    activateWindow();
}

bool TFormTraceCaract::EstVisible() const { return isVisible(); }

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

void TFormTraceCaract::NouvelCaractVue(int vue) {
    if (NouvelCaract == nullptr || vue < 1 || vue > NbVues) return;
    NouvelCaract->Mode = 1;
    NouvelCaract->NumeroVue = vue;
    NouvelCaract->exec();
}

// ------------------------------------------------------------- language --

void TFormTraceCaract::TextesLangue() {
    setWindowTitle(T(67));
    Fichier1->setTitle(T(68));
    Edition1->setTitle(T(69));
    Configuration1->setTitle(T(70));
    Ouvrir->setText(T(71));
    Enregistrer1->setText(T(72));
    Enregistrersous1->setText(T(73));
    Nouveautravail1->setText(T(74));
    Configurationimprimante1->setText(T(75));
    Imprimer1->setText(T(76));
    ExporterPdf1->setText(T(TexteExporterPdf));
    ExporterValeurs1->setText(T(TexteExporterValeurs));
    Quitter1->setText(T(77));
    Nouvellecaracteristique1->setText(T(78));
    Modificationdunecaracteristique1->setTitle(T(79));
    Suppressiondunecaracteristique1->setTitle(T(80));
    Nouvellecourbe1->setText(T(81));
    Suppressioncourbe1->setTitle(T(82));
    Copierlescaractristiques1->setText(T(83));
    Copierlesvaleurs1->setText(T(84));
    Copierlesvaleurs2->setText(T(85));
    Trierlespoints1->setTitle(T(86));
    delacourbeselectionne1->setText(T(87));
    detouteslescourbes1->setText(T(88));
    Interpolation->setTitle(T(89));
    for (int i = 0; i < 6; ++i) interpolation[static_cast<size_t>(i)]->setText(T(90 + i));
    Couleurdesgraphes1->setTitle(T(96));
    CalibreCourant1->setText(T(97));
    Configurationmatrielle1->setText(T(98));
    Aide1->setText(T(99));
    Apropos1->setText(T(100));
    ButtonClose->setToolTip(T(101));
    ButtonChargeDynamique->setText(T(119));
    ButtonChargeDynamique->setToolTip(T(120));
    ButtonChargeManu->setText(T(121));
    ButtonChargeManu->setToolTip(T(122));
    ButtonChargeAuto->setText(T(123));
    ButtonChargeAuto->setToolTip(T(124));
    ButtonManu->setText(T(125));
    ButtonManu->setToolTip(T(126));
    ButtonAuto->setText(T(127));
    ButtonAuto->setToolTip(T(128));
    ButtonModifCharge->setText(T(129));
    ButtonModifCharge->setToolTip(T(130));
    ButtonAffichage->setText(T(131));
    ButtonAffichage->setToolTip(T(132));
    ButtonTitre->setText(T(133));
    ButtonTitre->setToolTip(T(134));
    StaticTextModeOscillo->setText(T(119));
    ButtonAcquiPointCaract->setText(T(135));
    ButtonAcquiPointCaract->setToolTip(T(136));
    ButtonAcquiPointStatique->setText(T(137));
    ButtonAcquiPointStatique->setToolTip(T(138));
    ButtonAcquiAutoStatique->setText(T(139));
    ButtonAcquiAutoStatique->setToolTip(T(140));
    SpeedButtonOscillo->setText(T(141));
    SpeedButtonOscillo->setToolTip(T(142));
    for (int k = 0; k < NbVues; ++k)
        ButtonCar[static_cast<size_t>(k)]->setToolTip(T(TexteAffichageCaract) +
                                                      QStringLiteral(" %1").arg(k + 1));
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        Buttoncourbe[i]->setText(T(TexteEssai) + QStringLiteral(" %1").arg(k + 1));
        Buttoncourbe[i]->setToolTip(T(TexteSelectionEssai) + QStringLiteral(" %1").arg(k + 1));
        Editcourbe[i]->setToolTip(T(TexteCommentaireEssai) + QString::number(k + 1));
        // The pop-up items name their trial as the deletion questions do.
        MenuItem[i][0]->setText(T(TexteMenuSupprimerPoints) + QString::number(k + 1));
        MenuItem[i][1]->setText(T(TexteMenuSupprimerEssai) + QString::number(k + 1));
    }
    StaticTextCourbes->setText(T(TexteEssai));
    StaticTextCommentaire->setText(T(146));
    StaticTextTitreessai->setText(T(147));
    for (QToolButton* b : {ButtonStopManu, ButtonStopAuto, ButtonStopChargeManu,
                           ButtonStopChargeAuto, ButtonStopDynamique})
        b->setToolTip(T(148));
    StaticTextDuree->setText(T(158));
    ScrollBarK->setToolTip(T(149));
    ScrollBarT->setToolTip(T(150));
    TextT->setToolTip(T(151));
    TextK->setToolTip(T(152));
    ComboBoxVariable->setToolTip(T(153));
    ScrollBarDureeOscillo->setToolTip(T(154));
    TextDureeSynchro->setToolTip(T(155));

    const std::array<std::pair<QLabel*, int>, 11> boites = {{{StaticTextVitesse, 1},
                                                             {StaticTextCouple, 2},
                                                             {StaticTextPmeca, 3},
                                                             {StaticTextTension, 4},
                                                             {StaticTextCourant, 5},
                                                             {StaticTextPelec, 6},
                                                             {StaticTextIexc, 7},
                                                             {StaticTextRend, 8},
                                                             {StaticTextFP, 9},
                                                             {StaticTextPertes, 10},
                                                             {StaticTextTemps, 11}}};
    for (const auto& [etiquette, q] : boites) etiquette->setText(NomGrandeur(q, " : "));
    for (TCaractMachine* c : CaractMachine) c->setmenu();
    LargeursEssais();
}

void TFormTraceCaract::Langue() {
    TextesLangue();
    // The texts built at run time (group caption, current range, value
    // boxes, synchronisation) follow at once.
    if (isVisible())
        Action();
    else
        Settitre();
}

// --------------------------------------------------------------- refresh --

void TFormTraceCaract::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFormTraceCaract::FormShow() {
    TextesLangue();
    PanelAcquisitionCarMachine->hide();
    PanelAcqusitionChargeStatique->hide();
    PanelAcqusitionChargeDynamique->hide();
    for (int k = 0; k < NbVues; ++k) CaractMachine[static_cast<size_t>(k)]->NumeroVue = k + 1;
    DefinirTexte(EditTitre, DeLEtude(Etude.Titre.Lire()));
    Action();
}

void TFormTraceCaract::Settitre() {
    const EnteteCaract& e = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
    const GroupeCaract groupe = GroupeDeType(e[MotTypeCaract]);
    if (groupe != GroupeCaract::Aucun) {
        setWindowTitle(TitreGroupe(e));
        PanelAcquisitionCarMachine->setVisible(groupe == GroupeCaract::Machine);
        PanelAcqusitionChargeStatique->setVisible(groupe == GroupeCaract::Statique);
        PanelAcqusitionChargeDynamique->setVisible(groupe == GroupeCaract::Dynamique);
        if (groupe == GroupeCaract::Machine)
            ButtonAuto->setVisible(e[MotTypeCaract] != 3 && e[MotTypeCaract] != 5);
    } else {
        // Type 0 has no acquisition: nothing may be started with mode code 0.
        PanelAcquisitionCarMachine->hide();
        PanelAcqusitionChargeStatique->hide();
        PanelAcqusitionChargeDynamique->hide();
    }
    const int32_t calibre = ReglagesCourants[MotCalibre];
    if (calibre == 0 || calibre == 1)
        StaticTextCourant->setText(NomGrandeur(GCourant, ":") + (calibre == 0
                                                                     ? QStringLiteral(" (20A)")
                                                                     : QStringLiteral(" (2A)")));
}

void TFormTraceCaract::Action() {
    if (enAction_) return;
    enAction_ = true;
    // 1
    if (CaractCourante < 1) CaractCourante = 1;
    Settitre();
    const int courante = std::clamp(CaractCourante, 1, NbCaractMax);
    const EnteteCaract& e = Caracts[courante].Entete;
    const int machine = Borner(e[MotTypeMachine], NbTypesMachine);
    // 2
    ToolBarTitre->setVisible(ButtonTitre->isChecked());
    Paneliexc->setVisible(DisponibiliteGrandeurs[machine][GCourantExcitation] != 0);
    PanelFp->setVisible(DisponibiliteGrandeurs[machine][GFacteurPuissance] != 0);
    PanelTemps->setVisible(TypeAvecTemps(e[MotTypeCaract]));
    PanelAffichageValeur->setVisible(ButtonAffichage->isChecked());
    // 3
    PanelANALYSE->setVisible(!ButtonManu->isChecked() && !ButtonAuto->isChecked() &&
                             !ButtonChargeManu->isChecked() && !ButtonChargeAuto->isChecked() &&
                             !ButtonChargeDynamique->isChecked());
    PanelAcquiManu->setVisible(ButtonManu->isChecked());
    PanelAcquiAuto->setVisible(ButtonAuto->isChecked());
    PanelChargeStatiqueManu->setVisible(ButtonChargeManu->isChecked());
    PanelChargeStatiqueAuto->setVisible(ButtonChargeAuto->isChecked());
    PanelChargeDynamique->setVisible(ButtonChargeDynamique->isChecked());
    // 4: a running capture keeps its own state (a resize or a display
    // button must not end it).
    if (!(ButtonChargeDynamique->isChecked() && TimerOscillo->isActive())) {
        OscilloArme = !ButtonChargeDynamique->isChecked();
        OscilloDeclenche = !ButtonChargeDynamique->isChecked();
    }
    // 5
    TextSynchro->setText(T(ButtonSynchro->isChecked() ? TexteSynchroSur : TexteSansSynchro));
    ComboBoxVariable->setVisible(ButtonSynchro->isChecked());
    {
        const QSignalBlocker bloque(ComboBoxVariable);
        ComboBoxVariable->setCurrentIndex(ItemDeGrandeurSynchro(e[MotGrandeurSynchro]));
    }
    // 6
    const int vues = NbVuesGraphe();
    Nouvellecaracteristique1->setEnabled(vues < NbVues);
    Modificationdunecaracteristique1->setEnabled(vues >= 1);
    Suppressiondunecaracteristique1->setEnabled(vues >= 1);
    // 7
    Settitre();
    // 8
    ValeursCourantes[0] = -1;
    // 9
    for (int k = 0; k < NbVues; ++k) {
        QToolButton* b = ButtonCar[static_cast<size_t>(k)];
        b->setVisible(Etude.Vues[k].Presente != 0);
        Cocher(b, Etude.Vues[k].Affichee != 0);
    }
    // 10
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        Buttoncourbe[i]->setVisible(NbEssais() >= k + 1);
        Editcourbe[i]->setVisible(NbEssais() >= k + 1);
    }
    if (CaractCourante < 1) CaractCourante = 1;
    Cocher(Buttoncourbe[static_cast<size_t>(courante - 1)], true);
    for (int k = 0; k < NbCaractMax; ++k)
        DefinirTexte(Editcourbe[static_cast<size_t>(k)],
                     DeLEtude(Caracts[k + 1].Entete.Commentaire.Lire()));
    // 11
    ButtoncourbeClick();
    // 12
    ButtonModifCharge->setEnabled(!ButtonManu->isChecked() && !ButtonAuto->isChecked() &&
                                  !ButtonChargeManu->isChecked() &&
                                  !ButtonChargeDynamique->isChecked());
    // One static acquisition at a time: the other static button waits.
    ButtonChargeManu->setEnabled(!ButtonChargeAuto->isChecked());
    ButtonChargeAuto->setEnabled(!ButtonChargeManu->isChecked());
    // 13
    TraceTout();
    // 14
    for (int k = 0; k < NbVues; ++k) {
        const TCaractMachine* c = CaractMachine[static_cast<size_t>(k)];
        ButtonCar[static_cast<size_t>(k)]->setText(c->isVisibleTo(ZoneTrace) ? c->TextCaract->text()
                                                                             : NomVue(k));
    }
    // 15
    {
        const EnteteCaract& c = Caracts[std::clamp(CaractCourante, 1, NbCaractMax)].Entete;
        const QSignalBlocker bloque(ScrollBarDureeOscillo);
        ScrollBarDureeOscillo->setValue(c[MotDureeOscillo]);
        TextDureeSynchro->setText(
            QStringLiteral("T = %1 s")
                .arg(TableDurees[static_cast<size_t>(ScrollBarDureeOscillo->value())]));
    }
    // 16
    ReglagesCourants = Caracts[std::clamp(CaractCourante, 1, NbCaractMax)].Entete;
    enAction_ = false;
}

void TFormTraceCaract::ButtoncourbeClick() {
    CaractCourante = 0;
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (Buttoncourbe[i]->isChecked()) CaractCourante = k + 1;
        Editcourbe[i]->setEnabled(Buttoncourbe[i]->isChecked());
    }
    ReglagesCourants = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
    Settitre();
    ValeursCourantes[0] = -1;
    curseur();
}

void TFormTraceCaract::ButtonCararactClick(QObject* sender) {
    for (int k = 0; k < NbVues; ++k)
        if (sender == ButtonCar[static_cast<size_t>(k)]) {
            const uint8_t montree = ButtonCar[static_cast<size_t>(k)]->isChecked() ? 1 : 0;
            // A view shown or hidden by the user is kept in the work file.
            if (Etude.Vues[k].Affichee != montree) EtudeEnregistree = 0;
            Etude.Vues[k].Affichee = montree;
        }
    Action();
}

int TFormTraceCaract::NbPanelTrace() const {
    int n = 0;
    for (const QToolButton* b : ButtonCar)
        if (b->isChecked()) ++n;
    return n;
}

void TFormTraceCaract::calculposition(int32_t L, int32_t T, int32_t W, int32_t H) {
    orvane::calculposition(RectTrace, NbPanelTrace(), L, T, W, H);
}

void TFormTraceCaract::TraceTout() {
    DefinirTexte(EditTitre, DeLEtude(Etude.Titre.Lire()));
    calculposition(0, ImageFond->y(), ImageFond->width(), ImageFond->height());
    size_t j = 0;
    for (int k = 0; k < NbVues; ++k) {
        TCaractMachine* c = CaractMachine[static_cast<size_t>(k)];
        if (ButtonCar[static_cast<size_t>(k)]->isChecked() && j < RectTrace.size()) {
            const RectangleTrace& r = RectTrace[j];
            c->setGeometry(r.Gauche, r.Haut, r.Largeur, r.Hauteur);
            c->show();
            c->raise();
            c->tracecaract();
            ++j;
        } else {
            c->hide();
        }
    }
    curseur();
}

void TFormTraceCaract::curseur() {
    for (TCaractMachine* c : CaractMachine) c->curseur();
    if (!PanelAffichageValeur->isVisibleTo(this)) return;
    const std::array<std::pair<QLabel*, int>, 11> boites = {{{TextVitesse, 1},
                                                             {TextCouple, 2},
                                                             {TextPmeca, 3},
                                                             {TextTension, 4},
                                                             {TextCourant, 5},
                                                             {TextPelec, 6},
                                                             {TextIexc, 7},
                                                             {TextRend, 8},
                                                             {TextFp, 9},
                                                             {TextPertes, 10},
                                                             {TextTemps, 11}}};
    const bool sans = ValeursCourantes[0] < 0;
    for (const auto& [texte, q] : boites)
        texte->setText(sans ? T(TexteSansValeur) : VersQString(FormatGrandeur(q)));
}

void TFormTraceCaract::setMenu() {
    for (QMenu* m : {Fichier1, Edition1, Configuration1, N1}) m->menuAction()->setEnabled(true);
}

void TFormTraceCaract::resetMenu() {
    for (QMenu* m : {Fichier1, Edition1, Configuration1, N1}) m->menuAction()->setEnabled(false);
}

void TFormTraceCaract::FormResize() {
    if (isVisible()) Action();
}

bool TFormTraceCaract::FormKeyPress(int touche) {
    if (touche == Qt::Key_Escape) {
        if (AcquisitionEnCours == 1) ButtonStopManuClick();
        ValeursCourantes[0] = -1;
        curseur();
        return true;
    }
    // Space takes a point only where a point button is shown, and never from
    // a text being typed (a title or a comment written during an acquisition).
    const bool saisie = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    const bool boutonPoint =
        ButtonAcquiPointCaract->isVisibleTo(this) || ButtonAcquiPointStatique->isVisibleTo(this);
    if (touche == Qt::Key_Space && AcquisitionEnCours == 1 && boutonPoint && !saisie) {
        ButtonAcquiPointCaractClick();
        return true;
    }
    // Outside an acquisition a space is typed into the title or a comment.
    return false;
}

void TFormTraceCaract::FormClose() {
    ButtonStopManuClick();
    if (TimerManu->isActive() || TimerOscillo->isActive() || TimerAuto->isActive())
        resetAcquisition();
    if (FormMachine2 != nullptr) FormMachine2->show();
}

void TFormTraceCaract::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

bool TFormTraceCaract::eventFilter(QObject* objet, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* touche = static_cast<QKeyEvent*>(event);
            // A space that goes to a text edit is typed text, whether or not
            // the window has the keyboard focus.
            if (touche->key() == Qt::Key_Space && qobject_cast<QLineEdit*>(objet)) break;
            if (touche->key() == Qt::Key_Escape || touche->key() == Qt::Key_Space)
                if (FormKeyPress(touche->key())) return true;
            break;
        }
        case QEvent::Resize:
            if (objet == PanelANALYSE) LargeursEssais();
            if (objet == ImageFond) {
                AjusterImageFond();
                FormResize();
            }
            break;
        case QEvent::MouseButtonPress:
            if (objet == StaticTextCourant) {
                CalibreCourant1Click();
                return true;
            }
            for (QLineEdit* e : Editcourbe)
                if (objet == e) ButtoncourbeClick();
            break;
        default: break;
    }
    return QMainWindow::eventFilter(objet, event);
}

void TFormTraceCaract::AjusterImageFond() {
    if (imageBanc_.isNull()) return;
    const QSize place = ImageFond->size();
    QImage image = imageBanc_;
    if (image.width() > place.width() || image.height() > place.height())
        image = image.scaled(place, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImageFond->setPixmap(QPixmap::fromImage(image));
}

// ---------------------------------------------------------- acquisitions --

void TFormTraceCaract::ExclusifAcquisition(QToolButton* bouton) {
    // One group that may be all up: pressing one puts the others up.
    for (QToolButton* b :
         {ButtonManu, ButtonAuto, ButtonChargeManu, ButtonChargeAuto, ButtonChargeDynamique})
        if (b != bouton && bouton->isChecked()) Cocher(b, false);
}

bool TFormTraceCaract::PointSupprimable() const {
    if (AcquisitionEnCours != 0 || ValeursCourantes[0] < 0) return false;
    if (CaractCourante < 1 || CaractCourante > NbEssais()) return false;
    return PointSelectionne >= 0 && PointSelectionne <= Caracts[CaractCourante].Dernier();
}

// --------------------------------------------------------- file commands --

void TFormTraceCaract::Fichier1Click() {
    const bool points = Caracts[1].Dernier() >= 0;
    Enregistrer1->setEnabled(points);
    Nouveautravail1->setEnabled(points);
    Imprimer1->setEnabled(points);
    Nouvellecourbe1->setEnabled(points);
}

void TFormTraceCaract::OuvrirClick() {
    // The study is about to be replaced: no acquisition goes on into it.
    ArreterAcquisition();
    if (Avertissement()) {
        QString nom;
        if (FormCom != nullptr && FormCom->ChoisirFichierOuvrir(nom))
            OuvrirEtude(QFile::encodeName(nom).toStdString());
    }
    Action();
}

void TFormTraceCaract::Enregistrer1Click() {
    if (!NomFichierEtude.empty())
        EnregistrerEtude(NomFichierEtude);
    else
        Enregistrersous1Click();
}

void TFormTraceCaract::Enregistrersous1Click() {
    QString nom;
    if (FormCom != nullptr && FormCom->ChoisirFichierEnregistrer(nom))
        EnregistrerEtude(QFile::encodeName(nom).toStdString());
}

void TFormTraceCaract::Nouveautravail1Click() {
    ArreterAcquisition();
    if (Avertissement()) {
        InitEtude();
        if (FormCom != nullptr) FormCom->OublierNomFichier();
    }
    close();
}

// Printing, the PDF and values exports and the picture copy are drawn by the
// report module.
void TFormTraceCaract::Configurationimprimante1Click() {
    if (FormCom != nullptr) FormCom->PrinterSetupDialog1();
}

// The views whose buttons are down (the shown byte of their slots), drawn
// through their frames.
VuesMontrees TFormTraceCaract::VuesImprimees() const { return VuesDeLEtude(); }

void TFormTraceCaract::Imprimer1Click() { Imprimer(VuesImprimees(), CaractMachine); }

void TFormTraceCaract::ExporterPdf1Click() { ExporterPdf(VuesImprimees(), CaractMachine); }

void TFormTraceCaract::ExporterValeurs1Click() { ExporterValeurs(); }

void TFormTraceCaract::Copierlescaractristiques1Click() {
    CopierVues(96, VuesImprimees(), CaractMachine);
}

void TFormTraceCaract::Quitter1Click() { close(); }

void TFormTraceCaract::ButtonCloseClick() { close(); }

// --------------------------------------------------------- study editing --

void TFormTraceCaract::Edition1Click() {
    for (int k = 0; k < NbVues; ++k) {
        const size_t i = static_cast<size_t>(k);
        const bool present = Etude.Vues[k].Presente != 0;
        MCar[i]->setVisible(present);
        SCar[i]->setVisible(present);
        MCar[i]->setText(ButtonCar[i]->text());
        SCar[i]->setText(ButtonCar[i]->text());
    }
    for (int k = 0; k < NbCaractMax; ++k) {
        const size_t i = static_cast<size_t>(k);
        Ncb[i]->setVisible(NbEssais() >= k + 1);
        Ncb[i]->setText(Buttoncourbe[i]->text());
    }
    // Record place 0 never holds points: no trial, no new trial.
    const int n = NbEssais();
    Nouvellecourbe1->setEnabled(n < NbCaractMax && n >= 1 && Caracts[n].Dernier() >= 0);
    Suppressioncourbe1->menuAction()->setEnabled(n > 1);
}

void TFormTraceCaract::Nouvellecaracteristique1Click() {
    if (NbVuesGraphe() < NbVues && NouvelCaract != nullptr) {
        NouvelCaract->Mode = 0;
        NouvelCaract->NumeroVue = NbVuesGraphe() + 1;
        NouvelCaract->exec();
    }
    Action();
}

void TFormTraceCaract::ModifCarClick(int k) {
    NouvelCaractVue(k);
    Action();
}

void TFormTraceCaract::SupprimeCarClick(int k) {
    if (Demander(std::string(Textes.Texte(TexteSupprimerVue))) != ReponseQuestion::Oui) return;
    SupprimerVueGraphe(k);
    Action();
}

void TFormTraceCaract::Nouvellecourbe1Click() {
    NouvelleCaract();
    Action();
}

void TFormTraceCaract::SuppCourbeClick(int k) {
    if (k < 1 || k > NbEssais()) return;
    const std::string question = std::string(Textes.Texte(TexteSupprimerEssai)) + std::to_string(k);
    if (Demander(question) != ReponseQuestion::Oui) return;
    ArreterAcquisition();
    const int courante = CaractCourante;
    SupprimerCaract(k);
    // A real trial stays current: the same one, shifted by the deletion,
    // or the last one.
    int nouvelle = courante > k ? courante - 1 : courante;
    nouvelle = std::min(nouvelle, NbEssais());
    CaractCourante = std::max(nouvelle, 1);
    for (int j = 0; j < NbCaractMax; ++j)
        Cocher(Buttoncourbe[static_cast<size_t>(j)], j + 1 == CaractCourante);
}

void TFormTraceCaract::SupprimeCourbeClick(int k) {
    SuppCourbeClick(k);
    Action();
}

void TFormTraceCaract::SupprimePoints(int k) {
    if (k < 1 || k > NbCaractMax || Caracts[k].Dernier() < 0) return;
    const std::string question =
        std::string(Textes.Texte(TexteSupprimerPoints)) + std::to_string(k);
    if (Demander(question) != ReponseQuestion::Oui) return;
    Caracts[k].Entete[MotDernierPoint] = -1;
    EtudeEnregistree = 0;
}

void TFormTraceCaract::SupprimeTousPoints() {
    if (CaractCourante < 1 || CaractCourante > NbCaractMax) return;
    const std::string question =
        std::string(Textes.Texte(TexteSupprimerPoints)) + std::to_string(CaractCourante);
    if (Demander(question) != ReponseQuestion::Oui) return;
    Caracts[CaractCourante].Entete[MotDernierPoint] = -1;
    EtudeEnregistree = 0;
    Action();
}

void TFormTraceCaract::SupprimePoint() {
    // A live reading is no stored point: nothing to delete then.
    if (!PointSupprimable()) return;
    SupprimerPoint(PointSelectionne, CaractCourante);
    ValeursCourantes[0] = -1;
    TraceTout();
}

void TFormTraceCaract::Copierlesvaleurs1Click(QObject* sender) {
    const int r = sender == Copierlesvaleurs2 ? CaractCourante : -1;
    // The text is built in Windows-1252; the clipboard takes Unicode.
    QGuiApplication::clipboard()->setText(VersQString(DepuisCp1252(TexteValeurs(r))));
}

void TFormTraceCaract::Editcourbe1Change(int k) {
    if (k < 1 || k > NbCaractMax) return;
    const QString texte = Couper(Editcourbe[static_cast<size_t>(k - 1)]->text(), 20);
    Caracts[k].Entete.Commentaire.Ecrire(VersEtude(texte));
    if (k == CaractCourante) ReglagesCourants.Commentaire = Caracts[k].Entete.Commentaire;
    // Typed by the user: the work file must keep it.
    EtudeEnregistree = 0;
}

void TFormTraceCaract::EditTitreChange() {
    Etude.Titre.Ecrire(VersEtude(Couper(EditTitre->text(), 100)));
    EtudeEnregistree = 0;
}

void TFormTraceCaract::Configuration1Click() {
    const int32_t type = ReglagesCourants[MotTypeCaract];
    if ((type >= 0 && type <= 8) || type == 15)
        delacourbeselectionne1->setEnabled(true);
    else if ((type >= 9 && type <= 14) || type == 16)
        delacourbeselectionne1->setEnabled(false);
    const int32_t lissage = Etude.Lissage;
    for (int i = 0; i < 6; ++i) {
        const int32_t mode = i == 0 ? -1 : i;
        interpolation[static_cast<size_t>(i)]->setChecked(lissage == mode);
    }
}

bool TFormTraceCaract::TrierOuvert(bool tous) {
    if (FormTrierPoints == nullptr || FormTrierPoints->exec() != QDialog::Accepted) return false;
    const int32_t grandeur = FormTrierPoints->GrandeurChoisie();
    const int32_t ordre = FormTrierPoints->Ordre();
    for (int k = 1; k <= NbCaractMax; ++k) {
        if (!tous && k != CaractCourante) continue;
        // Time captures keep their time order.
        const int32_t type = Caracts[k].Entete[MotTypeCaract];
        if (tous && ((type >= 9 && type <= 14) || type == 16)) continue;
        Caracts[k].Entete[MotGrandeurTri] = grandeur;
        Caracts[k].Entete[MotOrdreTri] = ordre;
    }
    EtudeEnregistree = 0;
    RetrierCaracts();
    return true;
}

void TFormTraceCaract::delacourbeselectionne1Click() {
    if (CaractCourante >= 1 && CaractCourante <= NbCaractMax && TrierOuvert(false)) Action();
}

void TFormTraceCaract::detouteslescourbes1Click() {
    if (TrierOuvert(true)) Action();
}

void TFormTraceCaract::interpolationClick(int item) {
    if (item < 1 || item > 6) return;
    const int32_t mode = item == 1 ? -1 : item - 1;
    if (Etude.Lissage != mode) EtudeEnregistree = 0;
    Etude.Lissage = mode;
    TraceTout();
}

void TFormTraceCaract::FondClick(int code) {
    if (code < 0 || code >= NbPalettes) return;
    ConfigGenerale.Couleurs = static_cast<uint8_t>(code);
    Action();
}

void TFormTraceCaract::CalibreCourant1Click() {
    if (FormCalibreCourant != nullptr) {
        const int courante = std::clamp(CaractCourante, 0, NbCaractMax);
        const int32_t avant = Caracts[courante].Entete[MotCalibre];
        FormCalibreCourant->exec();
        if (Caracts[courante].Entete[MotCalibre] != avant) EtudeEnregistree = 0;
    }
    Action();
}

void TFormTraceCaract::ButtonModifChargeClick() {
    ReglagesCourants = Caracts[std::clamp(CaractCourante, 0, NbCaractMax)].Entete;
    if (FenetreChoix == nullptr) return;
    int page = 0;
    switch (GroupeDeType(ReglagesCourants[MotTypeCaract])) {
        case GroupeCaract::Statique: page = 1; break;
        case GroupeCaract::Dynamique: page = 2; break;
        default: break;
    }
    FenetreChoix->FigerChoix(ButtonChargeAuto->isChecked());
    FenetreChoix->Ouvrir(page, this);
}

void TFormTraceCaract::Configurationmatrielle1Click() {
    if (FormCom == nullptr) return;
    // The settings window may change the link: no acquisition survives it.
    ArreterAcquisition();
    FormCom->exec();
}

void TFormTraceCaract::ButtonEspionClick() {
    if (FormCom != nullptr) FormCom->Espion();
}

void TFormTraceCaract::Aide1Click() { OuvrirAide(); }

void TFormTraceCaract::Apropos1Click() {
    if (AboutBox != nullptr) AboutBox->exec();
}

}  // namespace orvane
