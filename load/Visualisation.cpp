#include "load/Visualisation.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <string_view>

#include "dialogs/FormCom.h"
#include "dialogs/Habillage.h"
#include "dialogs/TitreFenetre.h"
#include "load/Affichage.h"
#include "study/Cp1252.h"
#include "study/LoisCharge.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

TFormVisualisation* FormVisualisation = nullptr;

namespace {

// Texts numbered in the text table.
constexpr int TexteMachine = 22;
constexpr int TexteFermeture = 101;
constexpr int TexteBulleK = 149;
constexpr int TexteVisualisation = 160;
constexpr int TexteCalibreCourant = 161;

constexpr int HauteurBarre = 36;

QString TexteEtude(const std::string& cp1252) {
    return QString::fromStdString(DepuisCp1252(cp1252));
}

// The widest value text of quantity q: five digits, the sign, the comma of
// its decimals and its unit.
QString ModeleValeur(int q) {
    const DescGrandeur& g = Etude.Grandeurs[q];
    const int d = BornerDecimales(g.Decimales);
    QString s = QStringLiteral("-00000");
    if (d > 0) s.insert(s.size() - (d < 5 ? d : 4), QLatin1Char(','));
    const QString unite = TexteEtude(g.Unite.Lire());
    if (!unite.isEmpty()) s += QLatin1Char(' ') + unite;
    return s;
}

void Barre(QFrame* barre) {
    barre->setAutoFillBackground(true);
    QPalette pal = barre->palette();
    pal.setColor(QPalette::Window, CouleurBarre);
    pal.setColor(QPalette::WindowText, Qt::white);
    barre->setPalette(pal);
}

}  // namespace

TFormVisualisation::TFormVisualisation(QWidget* parent) : QWidget(parent) {
    FormVisualisation = this;
    setWindowTitle(QStringLiteral("Visualisation"));
    setMinimumSize(800, 600);
    resize(800, 600);
    QFont police(QStringLiteral("Arial"));
    police.setBold(true);
    police.setPointSize(10);
    setFont(police);

    BarreHaut = new QFrame(this);
    Barre(BarreHaut);
    TextModechargeManu = new QLabel(BarreHaut);
    TextModechargeManu->setWordWrap(true);
    TextK = new QLabel(QStringLiteral("K = 0%"), BarreHaut);
    TextK->setMinimumWidth(QFontMetrics(police).horizontalAdvance(QStringLiteral("K = 100%")) + 8);
    {
        QPalette pal = TextK->palette();
        pal.setColor(QPalette::WindowText, Qt::yellow);
        TextK->setPalette(pal);
    }
    ScrollBarK = new QScrollBar(Qt::Horizontal, BarreHaut);
    ScrollBarK->setRange(0, 100);
    ScrollBarK->setSingleStep(1);
    ScrollBarK->setPageStep(10);
    ScrollBarK->setFixedWidth(220);
    ButtonClose = new QToolButton(BarreHaut);
    ButtonClose->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    ButtonClose->setAutoRaise(true);
    auto* haut = new QHBoxLayout(BarreHaut);
    haut->setContentsMargins(8, 2, 4, 2);
    haut->addWidget(TextModechargeManu, 1);
    haut->addWidget(TextK);
    haut->addWidget(ScrollBarK);
    haut->addWidget(ButtonClose);

    BarreMachine = new QFrame(this);
    Barre(BarreMachine);
    TextdelaMachine = new QLabel(BarreMachine);
    TextEtatLiaison = new QLabel(BarreMachine);
    TextEtatLiaison->setAlignment(Qt::AlignCenter);
    {
        QPalette pal = TextEtatLiaison->palette();
        pal.setColor(QPalette::WindowText, QColor(255, 220, 0));
        TextEtatLiaison->setPalette(pal);
    }
    LabelCourant = new QLabel(BarreMachine);
    GroupeCalibre = new QButtonGroup(this);
    ButtonCalibre2A = new QToolButton(BarreMachine);
    ButtonCalibre2A->setText(QStringLiteral("2A"));
    ButtonCalibre20A = new QToolButton(BarreMachine);
    ButtonCalibre20A->setText(QStringLiteral("20 A"));
    for (QToolButton* b : {ButtonCalibre2A, ButtonCalibre20A}) {
        b->setCheckable(true);
        b->setMinimumWidth(56);
        GroupeCalibre->addButton(b);
    }
    auto* machine = new QHBoxLayout(BarreMachine);
    machine->setContentsMargins(8, 2, 8, 2);
    machine->addWidget(TextdelaMachine);
    machine->addWidget(TextEtatLiaison, 1);
    machine->addWidget(LabelCourant);
    machine->addWidget(ButtonCalibre2A);
    machine->addWidget(ButtonCalibre20A);

    for (int k = 0; k < NbAffichages; ++k) {
        Affichage[static_cast<size_t>(k)] = new TAffichage(this);
        Affichage[static_cast<size_t>(k)]->setObjectName(QStringLiteral("Affichage%1").arg(k + 1));
    }

    TimerA = new QTimer(this);
    TimerA->setInterval(IntervalleMs);

    connect(TimerA, &QTimer::timeout, this, &TFormVisualisation::TimerATimer);
    connect(ScrollBarK, &QScrollBar::valueChanged, this, &TFormVisualisation::ScrollBarKChange);
    connect(ButtonClose, &QToolButton::clicked, this, &TFormVisualisation::ButtonCloseClick);
    connect(ButtonCalibre2A, &QToolButton::clicked, this,
            &TFormVisualisation::ButtonCalibre2AClick);
    connect(ButtonCalibre20A, &QToolButton::clicked, this,
            &TFormVisualisation::ButtonCalibre20AClick);
    Affiche();
}

TFormVisualisation::~TFormVisualisation() {
    if (FormVisualisation == this) FormVisualisation = nullptr;
}

TPasserelleCom* TFormVisualisation::Com() const { return FormCom; }

void TFormVisualisation::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (!centree_ && isWindow()) {
            // Centred on the screen the first time.
            if (const QScreen* ecran = screen())
                move(ecran->availableGeometry().center() - rect().center());
            centree_ = true;
        }
        FormShow();
    }
    QWidget::showEvent(event);
}

void TFormVisualisation::closeEvent(QCloseEvent* event) {
    // Closing a window that is not open sends nothing.
    if (isVisible()) FormClose();
    QWidget::closeEvent(event);
}

void TFormVisualisation::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ButtonCloseClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormVisualisation::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Affiche();
    // The shape is corrected once the resize is over, not from inside it.
    if (!formeEnAttente_ && width() != height() * 4 / 3) {
        formeEnAttente_ = true;
        QTimer::singleShot(0, this, &TFormVisualisation::FormResize);
    }
}

void TFormVisualisation::FormResize() {
    formeEnAttente_ = false;
    // A maximised, full-screen or minimised window keeps the shape the
    // system gives it.
    if (!isWindow() || windowState() != Qt::WindowNoState) return;
    const int largeur = height() * 4 / 3;
    if (width() != largeur) resize(largeur, height());
}

void TFormVisualisation::Affiche() {
    const int l = width();
    BarreHaut->setGeometry(0, 0, l, HauteurBarre);
    BarreMachine->setGeometry(0, HauteurBarre, l, HauteurBarre);
    const int w = l / 3;
    const int t0 = 2 * HauteurBarre;
    const int h = (height() - 2 * HauteurBarre) / 4;
    // (left, top) of frames 1..10 in units of W/3 and of H.
    static constexpr int Colonne[NbAffichages] = {0, 3, 6, 0, 3, 6, 1, 1, 5, 5};
    static constexpr int Rangee[NbAffichages] = {0, 0, 0, 1, 1, 1, 3, 2, 3, 2};
    for (int k = 0; k < NbAffichages; ++k)
        Affichage[static_cast<size_t>(k)]->setGeometry(Colonne[k] * w / 3, t0 + Rangee[k] * h, w,
                                                       h);
}

void TFormVisualisation::FormShow() {
    if (FenetreAppelante) FenetreAppelante->hide();
    TPasserelleCom* com = Com();
    // A drive switched on after the program started is reached from here;
    // the rating read then gives the machine power shown below.
    if (com && !com->LiaisonOuverte()) com->Initialise();

    // The caption follows the settings window at once (link, language).
    if (FormCom != nullptr)
        connect(FormCom, &TFormCom::ReglagesAppliques, this, &TFormVisualisation::Legender,
                Qt::UniqueConnection);
    Legender();
    ScrollBarK->setToolTip(TexteNumero(TexteBulleK));
    ScrollBarK->setAccessibleName(TexteNumero(TexteBulleK));
    ButtonClose->setToolTip(TexteNumero(TexteFermeture));
    ButtonClose->setAccessibleName(TexteNumero(TexteFermeture));
    LabelCourant->setText(TexteNumero(TexteCalibreCourant));

    (ReglagesCourants[MotCalibre] == 1 ? ButtonCalibre2A : ButtonCalibre20A)->setChecked(true);
    TextdelaMachine->setText(TexteNumero(TexteMachine) + QLatin1Char(' ') +
                             QString::number(PuissanceMachine(ConfigGenerale.GammePuissance)) +
                             QStringLiteral(" W"));

    const int machine = Borner(ReglagesCourants[MotTypeMachine], NbTypesMachine);
    for (int k = 1; k <= NbAffichages; ++k) {
        TAffichage* a = Affichage[static_cast<size_t>(k - 1)];
        a->TextTitre->setText(TexteEtude(Etude.Grandeurs[k].Nom.Lire()));
        a->TextAffichage->setText(QString::fromLatin1(SansValeur));
        a->DefinirModele(ModeleValeur(k));
        a->setVisible(DisponibiliteGrandeurs[machine][k] != 0);
    }
    valides_ = false;

    {
        QSignalBlocker bloque(ScrollBarK);
        ScrollBarK->setValue(0);
    }
    ScrollBarKChange();  // K = 0 is sent, and read, before the law starts
    const int type = Borner(ReglagesCourants[MotTypeCaract], NbTypesCaract);
    if (com) com->EmissionControle(MotControle(type, ControleMarche));

    TextModechargeManu->setText(VersQString(Textes.TitreMachine[static_cast<size_t>(machine)]) +
                                QStringLiteral(" - ") +
                                VersQString(Textes.TitreCharge[static_cast<size_t>(type)]));
    Action();
    // The bars take their new texts' widths before the first paint.
    BarreHaut->layout()->activate();
    BarreMachine->layout()->activate();
    TimerA->start();
}

void TFormVisualisation::Legender() {
    setWindowTitle(TitreFenetre(TexteNumero(TexteVisualisation)));
}

void TFormVisualisation::FormClose() {
    TimerA->stop();
    if (TPasserelleCom* com = Com()) com->EmissionControle(ControleRepos);
    if (FenetreAppelante) FenetreAppelante->show();
}

void TFormVisualisation::ButtonCloseClick() {
    TimerA->stop();
    close();
}

void TFormVisualisation::TimerATimer() {
    if (TPasserelleCom* com = Com()) com->LectureValeurs();
    AfficheValeur();
}

void TFormVisualisation::ScrollBarKChange() {
    TPasserelleCom* com = Com();
    if (com) com->EmissionConstanteK(ScrollBarK->value() * 10);
    Action();
    if (com) com->LectureValeurs();
    AfficheValeur();
}

void TFormVisualisation::Action() {
    TextK->setText(QStringLiteral("K = %1%").arg(ScrollBarK->value()));
}

void TFormVisualisation::ButtonCalibre2AClick() { ReglagesCourants[MotCalibre] = 1; }

void TFormVisualisation::ButtonCalibre20AClick() { ReglagesCourants[MotCalibre] = 0; }

void TFormVisualisation::AfficheValeur() {
    const TPasserelleCom* com = Com();
    const bool ouverte = com && com->LiaisonOuverte();
    const bool lue = ouverte && com->LectureValide();
    // One failed exchange keeps the last values; a link that is not open,
    // or a reading given up as failed (word 0 at -1), shows none.
    if (lue)
        valides_ = true;
    else if (!ouverte || ValeursCourantes[GNumero] == -1)
        valides_ = false;

    for (int k = 1; k <= NbAffichages; ++k)
        Affichage[static_cast<size_t>(k - 1)]->TextAffichage->setText(
            valides_ ? QString::fromStdString(FormatGrandeur(k)) : QString::fromLatin1(SansValeur));

    int etat = 0;
    if (!ouverte)
        etat = TexteSansLiaison;
    else if (!valides_)
        etat = TexteLiaisonCoupee;
    else if (!lue)
        etat = TexteLiaisonPerdue;
    TextEtatLiaison->setText(etat ? TexteNumero(etat) : QString());
}

}  // namespace orvane
