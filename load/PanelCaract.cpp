#include "load/PanelCaract.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/Habillage.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

namespace {

const QColor Marine(0, 0, 128);
const QColor Cyan(0, 255, 255);
const QColor Jaune(255, 255, 0);

// A column title (white on navy) over its value (sunken, white).
QFrame* Colonne(QWidget* parent, QLabel*& titre, QLabel*& valeur) {
    auto* cadre = new QFrame(parent);
    auto* v = new QVBoxLayout(cadre);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    titre = new QLabel(cadre);
    titre->setAlignment(Qt::AlignCenter);
    titre->setWordWrap(true);
    titre->setFont(PoliceArial(8, true));
    titre->setAutoFillBackground(true);
    QPalette p = titre->palette();
    p.setColor(QPalette::Window, Marine);
    p.setColor(QPalette::WindowText, Qt::white);
    titre->setPalette(p);
    titre->setFixedHeight(QFontMetrics(titre->font()).lineSpacing() * 2 + 4);
    valeur = new QLabel(cadre);
    valeur->setAlignment(Qt::AlignCenter);
    valeur->setFont(PoliceArial(10, true));
    valeur->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    valeur->setAutoFillBackground(true);
    QPalette pv = valeur->palette();
    pv.setColor(QPalette::Window, Qt::white);
    pv.setColor(QPalette::WindowText, Qt::black);
    valeur->setPalette(pv);
    valeur->setMinimumHeight(QFontMetrics(valeur->font()).height() + 8);
    v->addWidget(titre);
    v->addWidget(valeur);
    return cadre;
}

QSlider* NouveauCurseur(QWidget* parent, Qt::Orientation o) {
    auto* s = new QSlider(o, parent);
    if (o == Qt::Vertical) {
        // Position 0 at the top, where the value is largest; the keys and
        // the wheel move the handle the way they point.
        s->setInvertedAppearance(true);
        s->setInvertedControls(true);
        s->setPageStep(10);
    }
    s->setFocusPolicy(Qt::StrongFocus);
    return s;
}

QToolButton* Fleche(QWidget* parent, Qt::ArrowType sens) {
    auto* b = new QToolButton(parent);
    b->setArrowType(sens);
    b->setFixedSize(22, 13);
    b->setAutoRepeat(true);
    return b;
}

QLabel* Valeur(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(PoliceArial(9, true));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    l->setMinimumWidth(QFontMetrics(l->font()).horizontalAdvance(QStringLiteral("00,0 m/s")) + 10);
    return l;
}

// Two stacked arrow buttons.
QWidget* Fleches(QWidget* parent, QToolButton*& haut, QToolButton*& bas) {
    auto* w = new QWidget(parent);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    haut = Fleche(w, Qt::UpArrow);
    bas = Fleche(w, Qt::DownArrow);
    v->addWidget(haut);
    v->addWidget(bas);
    return w;
}

// A name for screen readers from a caption of the law ("Pente :" gives
// "Pente"), or from `repli` when the law has none for it.
QString NomAccessible(const std::string& texte, std::string_view repli) {
    QString nom = VersQString(texte.empty() ? std::string(repli) : texte).trimmed();
    if (nom.endsWith(QLatin1Char(':'))) nom.chop(1);
    return nom.trimmed();
}

// Each slider is named by the value it sets, each arrow by the value it
// steps; where the law in force has no caption for one (it is hidden then),
// by the caption of a law that uses it. Run at each change of a slider: a
// name is set only when it changes.
void Nommer(TPanelCaract* p, const AffichageCharge& a, bool aEnColonne3) {
    const auto nom = [](QWidget* w, const QString& n) {
        if (w->accessibleName() != n) w->setAccessibleName(n);
    };
    nom(p->TrackBarB, NomAccessible(a.C1, Textes.TitreColonne1[1]));
    nom(p->TrackBarA, NomAccessible(aEnColonne3 ? a.C3 : a.C2, Textes.TitreColonne2[5]));
    nom(p->TrackBarN, NomAccessible(a.C3, Textes.TitreColonne3[6]));
    nom(p->TrackBarJ, NomAccessible(a.Inertie, Textes.Texte(34)));
    const QString reduction = NomAccessible(a.Reduction, Textes.Texte(30));
    const QString pente = NomAccessible(a.Pent, Textes.Texte(31));
    nom(p->SpinButtonReductionUp, reduction + QStringLiteral(" +"));
    nom(p->SpinButtonReductionDown, reduction + QStringLiteral(" -"));
    nom(p->SpinButtonPenteUp, pente + QStringLiteral(" +"));
    nom(p->SpinButtonPenteDown, pente + QStringLiteral(" -"));
}

void GarderPlace(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

}  // namespace

// ---- plot area ----

TZoneCharge::TZoneCharge(QWidget* parent) : QWidget(parent) {
    setFont(PoliceArial(8, false));
    setMinimumSize(160, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TZoneCharge::Definir(bool valide, const AxeCharge& vitesse, const AxeCharge& couple,
                          const std::vector<PointCharge>& points) {
    valide_ = valide;
    vitesse_ = vitesse;
    couple_ = couple;
    points_ = points;
    Recalculer();
    update();
}

void TZoneCharge::resizeEvent(QResizeEvent*) { Recalculer(); }

void TZoneCharge::Recalculer() {
    const QFontMetrics fm(font());
    const int largeurTmax = fm.horizontalAdvance(QString::number(couple_.Max));
    geometrie_ = CalculerTrace(0, 0, width() - 1, height() - 1, vitesse_, couple_, points_,
                               fm.height(), largeurTmax);
}

void TZoneCharge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!valide_) return;
    const GeometrieTrace& g = geometrie_;
    const int droite = width() - 1;
    const int bas = height() - 1;
    const QFontMetrics fm(font());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Cyan, 2));

    // horizontal axis, its arrow head and label
    p.drawLine(0, g.Y0, droite, g.Y0);
    p.drawPolyline(QPolygon(
        {QPoint(droite - 10, g.Y0 - 5), QPoint(droite, g.Y0), QPoint(droite - 10, g.Y0 + 5)}));
    const QString ln = VersQString(vitesse_.Libelle);
    p.drawText(droite - 5 - fm.horizontalAdvance(ln), g.Y0 - 5 - fm.height() + fm.ascent(), ln);
    for (const GraduationCharge& t : g.GradVitesse) {
        p.drawLine(t.Position, g.Y0, t.Position, g.Y0 + 5);
        const QString s = VersQString(t.Texte);
        p.drawText(t.Position - fm.horizontalAdvance(s) / 2, g.Y0 + 5 + fm.ascent(), s);
    }

    // vertical axis, its arrow head and label
    p.drawLine(g.X0, 0, g.X0, bas);
    p.drawPolyline(QPolygon({QPoint(g.X0 - 5, 10), QPoint(g.X0, 0), QPoint(g.X0 + 5, 10)}));
    p.drawText(g.X0 + 5, 5 + fm.ascent(), VersQString(couple_.Libelle));
    for (const GraduationCharge& t : g.GradCouple) {
        p.drawLine(g.X0, t.Position, g.X0 - 5, t.Position);
        const QString s = VersQString(t.Texte);
        p.drawText(g.X0 - 6 - fm.horizontalAdvance(s), t.Position - fm.height() / 2 + fm.ascent(),
                   s);
    }

    // the load's characteristic
    if (g.Points.empty()) return;
    QPolygon ligne;
    for (const PointCharge& pt : g.Points)
        ligne << QPoint(static_cast<int>(pt.N), static_cast<int>(pt.T));
    p.setPen(QPen(Jaune, 3));
    p.drawPolyline(ligne);
}

// ---- panel ----

TPanelCaract::TPanelCaract(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFont(PoliceArial(9, true));

    auto* colonnes = new QHBoxLayout;
    colonnes->setSpacing(6);
    PanelAff1 = Colonne(this, TextC1, TextB1);
    PanelAff2 = Colonne(this, TextC2, TextB2);
    PanelAff3 = Colonne(this, TextC3, TextB3);
    for (QFrame* c : {PanelAff1, PanelAff2, PanelAff3}) {
        GarderPlace(c);
        colonnes->addWidget(c, 1);
    }

    TrackBarB = NouveauCurseur(this, Qt::Vertical);
    TrackBarA = NouveauCurseur(this, Qt::Vertical);
    GarderPlace(TrackBarA);
    GarderPlace(TrackBarB);
    PaintBox = new TZoneCharge(this);
    auto* milieu = new QHBoxLayout;
    milieu->setSpacing(2);
    milieu->addWidget(TrackBarB);
    milieu->addWidget(PaintBox, 1);
    milieu->addWidget(TrackBarA);

    PanelN = new QFrame(this);
    auto* n = new QHBoxLayout(PanelN);
    n->setContentsMargins(0, 0, 0, 0);
    TrackBarN = NouveauCurseur(PanelN, Qt::Horizontal);
    TrackBarN->setRange(1, 100);
    TrackBarN->setPageStep(10);
    n->addWidget(TrackBarN);

    PanelCycle = new QFrame(this);
    auto* cycle = new QGridLayout(PanelCycle);
    cycle->setContentsMargins(0, 0, 0, 0);
    cycle->setVerticalSpacing(2);
    StaticTextReduction = new QLabel(PanelCycle);
    StaticTextred = Valeur(PanelCycle);
    StaticTextPent = new QLabel(PanelCycle);
    StaticTextPente = Valeur(PanelCycle);
    cycle->addWidget(StaticTextReduction, 0, 0);
    cycle->addWidget(StaticTextred, 0, 1);
    cycle->addWidget(Fleches(PanelCycle, SpinButtonReductionUp, SpinButtonReductionDown), 0, 2);
    cycle->addWidget(StaticTextPent, 1, 0);
    cycle->addWidget(StaticTextPente, 1, 1);
    cycle->addWidget(Fleches(PanelCycle, SpinButtonPenteUp, SpinButtonPenteDown), 1, 2);
    cycle->setColumnStretch(0, 1);

    PanelInertie = new QFrame(this);
    auto* inertie = new QHBoxLayout(PanelInertie);
    inertie->setContentsMargins(0, 0, 0, 0);
    StaticTextInertie = new QLabel(PanelInertie);
    TrackBarJ = NouveauCurseur(PanelInertie, Qt::Horizontal);
    TrackBarJ->setRange(0, PositionInertieMax);
    TrackBarJ->setPageStep(5);
    TextJ = Valeur(PanelInertie);
    TextJ->setMinimumWidth(
        QFontMetrics(TextJ->font()).horizontalAdvance(QStringLiteral("J = 0,000 kg.m²")) + 12);
    GarderPlace(TrackBarJ);
    inertie->addWidget(StaticTextInertie);
    inertie->addWidget(TrackBarJ, 1);
    inertie->addWidget(TextJ);

    auto* panneau = new QVBoxLayout(this);
    panneau->setContentsMargins(6, 6, 6, 6);
    panneau->setSpacing(4);
    panneau->addLayout(colonnes);
    panneau->addLayout(milieu, 1);
    panneau->addWidget(PanelN);
    panneau->addWidget(PanelCycle);
    panneau->addWidget(PanelInertie);

    PanelN->hide();
    PanelCycle->hide();
    PanelInertie->hide();

    connect(TrackBarA, &QSlider::valueChanged, this, [this] { TrackBarAChange(TrackBarA); });
    connect(TrackBarB, &QSlider::valueChanged, this, [this] { TrackBarBChange(TrackBarB); });
    connect(TrackBarN, &QSlider::valueChanged, this, [this] { TrackBarNChange(TrackBarN); });
    connect(TrackBarJ, &QSlider::valueChanged, this, [this] { TrackBarJChange(TrackBarJ); });
    connect(SpinButtonReductionUp, &QToolButton::clicked, this,
            &TPanelCaract::SpinButtonReductionUpClick);
    connect(SpinButtonReductionDown, &QToolButton::clicked, this,
            &TPanelCaract::SpinButtonReductionDownClick);
    connect(SpinButtonPenteUp, &QToolButton::clicked, this, &TPanelCaract::SpinButtonPenteUpClick);
    connect(SpinButtonPenteDown, &QToolButton::clicked, this,
            &TPanelCaract::SpinButtonPenteDownClick);
    Nommer(this, AffichageCharge{}, false);
}

const GeometrieTrace& TPanelCaract::Geometrie() const { return PaintBox->Geometrie(); }

int32_t TPanelCaract::EchelleInertie() const {
    return LigneDeGamme(ConfigGenerale.GammePuissance).EchelleInertie;
}

EtatCurseurs TPanelCaract::LireCurseurs() const {
    EtatCurseurs c;
    c.MinA = TrackBarA->minimum();
    c.MaxA = TrackBarA->maximum();
    c.PosA = TrackBarA->value();
    c.MinB = TrackBarB->minimum();
    c.MaxB = TrackBarB->maximum();
    c.PosB = TrackBarB->value();
    return c;
}

void TPanelCaract::PlacerCurseursAB(const EtatCurseurs& c) {
    const QSignalBlocker ba(TrackBarA);
    const QSignalBlocker bb(TrackBarB);
    TrackBarA->setRange(c.MinA, c.MaxA);
    TrackBarB->setRange(c.MinB, c.MaxB);
    TrackBarA->setValue(c.PosA);
    TrackBarB->setValue(c.PosB);
}

void TPanelCaract::SetMode(QObject* sender, int type) {
    type_ = type;
    EnteteCaract& r = ReglagesCourants;
    BornerMotsCharge(type, r);

    EtatCurseurs c = LireCurseurs();
    c.DefinirBornes(type);
    PlacerCurseurs(type, c, r);
    // A slider that did not move still gets its word brought into range,
    // and the law's constraints hold whatever the stored words were.
    ContraindreCurseurs(type, Curseur::B, c, r);
    ContraindreCurseurs(type, Curseur::A, c, r);
    PlacerCurseursAB(c);
    if (type == 15 || type == 16) {
        const QSignalBlocker bn(TrackBarN);
        TrackBarN->setValue(r[25]);
        r[25] = TrackBarN->value();
    }
    {
        const QSignalBlocker bj(TrackBarJ);
        TrackBarJ->setValue(PositionInertie(r[MotInertie], EchelleInertie(), TrackBarJ->maximum()));
    }
    r[MotInertie] = InertieDePosition(TrackBarJ->value(), EchelleInertie());
    Action(sender);
}

void TPanelCaract::Action(QObject*) {
    const EchellesCharge e =
        EchellesDe(ConfigGenerale.GammePuissance, ConfigGenerale.FrequenceReseau);
    affichage_ = CalculerAffichage(type_, ReglagesCourants, e, TrackBarA->maximum(),
                                   TrackBarB->maximum(), TrackBarN->maximum(), Textes);
    const AffichageCharge& a = affichage_;
    PanelInertie->setVisible(a.PanneauInertie);
    StaticTextInertie->setText(VersQString(a.Inertie));
    // Slider A sets the value of column 3 for these laws, of column 2 for
    // the others.
    const bool aEnColonne3 = type_ == 9 || type_ == 13 || type_ == 14 || type_ >= 17;
    Nommer(this, a, aEnColonne3);
    if (!a.Valide) {
        PaintBox->Definir(false, a.Vitesse, a.Couple, {});
        return;
    }
    PanelAff2->setVisible(a.Colonne2);
    TrackBarA->setVisible(a.CurseurA);
    TrackBarB->setVisible(a.CurseurB);
    TrackBarJ->setVisible(a.CurseurJ);
    PanelN->setVisible(a.PanneauN);
    PanelCycle->setVisible(a.PanneauCycle);

    TextC1->setText(VersQString(a.C1));
    TextC2->setText(VersQString(a.C2));
    TextC3->setText(VersQString(a.C3));
    TextB1->setText(VersQString(a.B1));
    TextB2->setText(VersQString(a.B2));
    TextB3->setText(VersQString(a.B3));
    if (a.PanneauCycle) {
        StaticTextReduction->setText(VersQString(a.Reduction));
        StaticTextred->setText(VersQString(a.Red));
        StaticTextPent->setText(VersQString(a.Pent));
        StaticTextPente->setText(VersQString(a.Pente));
    }
    TextJ->setText(VersQString(a.J));
    // Each slider's hint names the value it sets: B the first column, A the
    // column where its value shows.
    TrackBarB->setToolTip(VersQString(a.C1));
    TrackBarA->setToolTip(VersQString(aEnColonne3 ? a.C3 : a.C2));
    TrackBarN->setToolTip(VersQString(a.C3));
    TrackBarJ->setToolTip(VersQString(a.Inertie));
    PaintBox->Definir(true, a.Vitesse, a.Couple, a.Points);
}

void TPanelCaract::TrackBarAChange(QObject* sender) {
    if (sender != TrackBarA) return;
    EtatCurseurs c = LireCurseurs();
    ContraindreCurseurs(type_, Curseur::A, c, ReglagesCourants);
    PlacerCurseursAB(c);
    Action(sender);
}

void TPanelCaract::TrackBarBChange(QObject* sender) {
    if (sender != TrackBarB) return;
    EtatCurseurs c = LireCurseurs();
    ContraindreCurseurs(type_, Curseur::B, c, ReglagesCourants);
    PlacerCurseursAB(c);
    Action(sender);
}

void TPanelCaract::TrackBarNChange(QObject* sender) {
    if (sender != TrackBarN) return;
    ReglagesCourants[25] = TrackBarN->value();
    Action(sender);
}

// Action does not come back here: the inertia text is part of what it
// recomputes from word 14.
void TPanelCaract::TrackBarJChange(QObject* sender) {
    if (sender != TrackBarJ) return;
    ReglagesCourants[MotInertie] = InertieDePosition(TrackBarJ->value(), EchelleInertie());
    Action(sender);
}

void TPanelCaract::SpinButtonReductionUpClick() {
    EnteteCaract& r = ReglagesCourants;
    if (type_ == 14 && r[12] < 100) r[12] += 10;
    if ((type_ == 17 || type_ == 18) && r[27] < 20) r[27] += 1;
    Action(SpinButtonReductionUp);
}

void TPanelCaract::SpinButtonReductionDownClick() {
    EnteteCaract& r = ReglagesCourants;
    if (type_ == 14 && r[12] > 10) r[12] -= 10;
    if ((type_ == 17 || type_ == 18) && r[27] > 5) r[27] -= 1;
    Action(SpinButtonReductionDown);
}

void TPanelCaract::SpinButtonPenteUpClick() {
    EnteteCaract& r = ReglagesCourants;
    if (type_ == 14 && r[13] < 10) r[13] += 1;
    if ((type_ == 17 || type_ == 18) && r[28] < 90) r[28] += 1;
    Action(SpinButtonPenteUp);
}

void TPanelCaract::SpinButtonPenteDownClick() {
    EnteteCaract& r = ReglagesCourants;
    if (type_ == 14 && r[13] > 0) r[13] -= 1;
    if ((type_ == 17 || type_ == 18) && r[28] > 50) r[28] -= 1;
    Action(SpinButtonPenteDown);
}

}  // namespace orvane
