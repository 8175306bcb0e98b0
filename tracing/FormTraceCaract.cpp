#include "tracing/FormTraceCaract.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "comm/MicroTimer.h"
#include "dialogs/Habillage.h"
#include "dialogs/ImageJpeg.h"
#include "graph/Vue.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

namespace {

constexpr int HauteurBarre = 27;
constexpr int HauteurPanneau = 57;
constexpr int LargeurBoutonCar = 92;
constexpr int LargeurBoutonEssai = 140;
constexpr int LargeurValeurs = 165;

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

// The arrow of a sweep direction button, up for a rising K. Drawn here: a
// style draws no arrow type on a text-only tool button, and the fonts may
// lack the arrow glyphs.
constexpr int TailleFleche = 24;
QIcon IconeFleche(bool montante) {
    QPixmap image(TailleFleche, TailleFleche);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (!montante) p.setTransform(QTransform(1, 0, 0, -1, 0, TailleFleche));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawPolygon(
        QPolygonF({{12, 2}, {22, 13}, {15.5, 13}, {15.5, 22}, {8.5, 22}, {8.5, 13}, {2, 13}}));
    p.end();
    return QIcon(image);
}

QLabel* Titre(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFont(PoliceArial(12));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::yellow);
    l->setPalette(pal);
    return l;
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
    // The status bar shows only when there is something to say.
    TextEtatAcquisition = new QLabel(this);
    TextEtatAcquisition->setFont(PoliceArial(9));
    {
        QPalette pal = TextEtatAcquisition->palette();
        pal.setColor(QPalette::WindowText, QColor(160, 0, 0));
        TextEtatAcquisition->setPalette(pal);
    }
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(TextEtatAcquisition, 1);
    statusBar()->hide();
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
    StaticTextTitreessai->setBuddy(EditTitre);  // which names it for screen readers
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
        // Taller when a narrow window wraps the title on more lines.
        p->setMinimumHeight(HauteurPanneau);
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
    ButtonAutoDecroissant = Bouton(PanelAcquiAuto, QString(), true);
    for (QToolButton* b : {ButtonAutoCroissant, ButtonAutoDecroissant}) {
        b->setIcon(IconeFleche(b == ButtonAutoCroissant));
        b->setIconSize(QSize(TailleFleche, TailleFleche));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
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
    PanelChargeDynamique->setMinimumHeight(HauteurPanneau + 30);
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
        // A gap between groups of boxes, given up when the window is too
        // low for all the boxes.
        if (espace)
            lv->addSpacerItem(
                new QSpacerItem(0, espace, QSizePolicy::Minimum, QSizePolicy::Maximum));
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
    CompteRendu1 = item(Fichier1, &TFormTraceCaract::CompteRendu1Click);
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

}  // namespace orvane
