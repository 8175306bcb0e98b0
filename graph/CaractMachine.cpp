#include "graph/CaractMachine.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "graph/Ajustement.h"
#include "graph/Export.h"
#include "graph/Vue.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

ITraceCaract* FenetreTrace = nullptr;

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString TexteTable(int n) { return Q(Textes.Texte(n)); }

QFrame* Panneau(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

template <class Label = QLabel>
Label* Etiquette(QWidget* parent, const char* style, int hauteur) {
    auto* l = new Label(parent);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedHeight(hauteur);
    l->setStyleSheet(style);
    return l;
}

// A layout without spacing whose only margins are `vertical` above and below.
template <class Disposition>
Disposition* Serree(QWidget* parent, int vertical = 0) {
    auto* d = new Disposition(parent);
    d->setContentsMargins(0, vertical, 0, vertical);
    d->setSpacing(0);
    return d;
}

VueGraphe& Slot(int vue) { return Etude.Vues[std::clamp(vue, 1, NbVues) - 1]; }

}  // namespace

// ---- names over the columns ----

void TNomColonne::DefinirNom(const QString& nom) {
    if (nom == nom_) return;  // set at every drawing of the frame
    nom_ = nom;
    updateGeometry();
    Ajuster();
}

void TNomColonne::DefinirBulle(const QString& bulle) {
    if (bulle == bulle_) return;
    bulle_ = bulle;
    Ajuster();
}

QSize TNomColonne::sizeHint() const {
    return {fontMetrics().horizontalAdvance(nom_) + 2 * frameWidth() + 4,
            QLabel::sizeHint().height()};
}

QSize TNomColonne::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("W…")) + 2 * frameWidth() + 4,
            QLabel::minimumSizeHint().height()};
}

void TNomColonne::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Ajuster();
}

void TNomColonne::Ajuster() {
    const QString vu =
        fontMetrics().elidedText(nom_, Qt::ElideRight, std::max(contentsRect().width() - 4, 0));
    setText(vu);
    setToolTip(vu == nom_ ? bulle_ : nom_ + QLatin1Char('\n') + bulle_);
}

// ---- back buffer ----

class TCaractMachine::SurfaceEcran {
public:
    explicit SurfaceEcran(TCaractMachine& c) : c_(c), p_(Tampon(c)), pret_(c.GrapheEcran, p_) {}
    ~SurfaceEcran() {
        if (!c_.enPeinture_) c_.PaintBox1->update();
    }

private:
    static QImage* Tampon(TCaractMachine& c) {
        if (c.PaintBox1->Tampon.isNull()) c.NouveauTampon();
        return &c.PaintBox1->Tampon;
    }
    TCaractMachine& c_;
    QPainter p_;
    const SurfaceGraphe pret_;  // ends before the painter
};

TPaintBox::TPaintBox(TCaractMachine* cadre) : QWidget(cadre), cadre_(cadre) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!cadre_->tamponAJour_ || Tampon.size() != size()) {
        if (Tampon.size() != size()) cadre_->NouveauTampon();
        cadre_->enPeinture_ = true;
        cadre_->PaintBox1Paint();
        cadre_->enPeinture_ = false;
    }
    QPainter p(this);
    p.drawImage(0, 0, Tampon);
    cadre_->DessinerSurcouche(p);
}

void TPaintBox::resizeEvent(QResizeEvent*) { cadre_->NouveauTampon(); }

void TPaintBox::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    cadre_->PaintBox1MouseDown(e->buttons(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    cadre_->PaintBox1MouseMove(e->buttons(), p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent*) {}

void TPaintBox::keyPressEvent(QKeyEvent* e) {
    const bool gauche = e->key() == Qt::Key_Left, droite = e->key() == Qt::Key_Right;
    if (!cadre_->CurseursActifs || (!gauche && !droite && e->key() != Qt::Key_Tab)) {
        QWidget::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Tab) {
        cadre_->CurseurChoisi = 1 - cadre_->CurseurChoisi;  // the other cursor
        update();
        return;
    }
    const int pas = e->modifiers() & Qt::ShiftModifier ? 10 : 1;
    cadre_->DeplacerCurseur(gauche ? -pas : pas);
}

void TPaintBox::contextMenuEvent(QContextMenuEvent* e) {
    cadre_->PopupMenu1Popup();
    cadre_->PopupMenu1->popup(e->globalPos());
}

void TCaractMachine::NouveauTampon() {
    const QSize taille = PaintBox1->size().expandedTo(QSize(1, 1));
    QImage image(taille, QImage::Format_RGB32);
    const int parMetre = PaintBox1->logicalDpiX() * 10000 / 254;
    image.setDotsPerMeterX(parMetre);
    image.setDotsPerMeterY(parMetre);
    image.fill(VersQColor(GrapheEcran.Fond));
    PaintBox1->Tampon = image;
    // A new picture holds no cursor image.
    GrapheEcran.Curseur.Trace = false;
    tamponAJour_ = false;
}

bool TCaractMachine::Visible() const {
    return isVisible() && PaintBox1->width() > 0 && PaintBox1->height() > 0;
}

// ---- construction ----

TCaractMachine::TCaractMachine(QWidget* parent)
    : QFrame(parent), courbe_(std::make_unique<TCourbeGraphe>()) {
    resize(520, 472);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    setPalette(pal);
    QFont police("arial");
    police.setPixelSize(13);
    setFont(police);

    auto* racine = Serree<QVBoxLayout>(this);

    Panel1 = Panneau(this);
    Panel1->setFixedHeight(41);
    auto* bande = Serree<QHBoxLayout>(Panel1);
    const char* styleNom =
        "QLabel { background: #008080; color: yellow; font-weight: bold; border: 1px solid black; "
        "}";
    const char* styleValeur =
        "QLabel { background: white; color: black; font-weight: bold; border: 2px inset gray; }";
    // The columns of the names are 148 wide, narrower when the frame is:
    // the three columns then share its width.
    auto colonne = [&](QFrame*& panneau, TNomColonne*& nom, QLabel*& valeur) {
        panneau = Panneau(Panel1);
        panneau->setMaximumWidth(148);
        auto* l = Serree<QVBoxLayout>(panneau, 1);
        nom = Etiquette<TNomColonne>(panneau, styleNom, 19);
        valeur = Etiquette(panneau, styleValeur, 20);
        l->addWidget(nom);
        l->addWidget(valeur);
    };
    colonne(Panel2, TextVariableY, TextValeurY);
    Panel4 = Panneau(Panel1);
    auto* milieu = Serree<QVBoxLayout>(Panel4, 1);
    Panel5 = Panneau(Panel4);
    Panel5->setFixedHeight(19);
    auto* l5 = Serree<QHBoxLayout>(Panel5);
    ButtonCaract = new QPushButton(Panel5);
    ButtonCaract->setStyleSheet("QPushButton { color: navy; font-weight: bold; }");
    ButtonCaract->setCursor(Qt::PointingHandCursor);
    ButtonCaract->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Its band is 19 high: room for its text, not for a whole button frame.
    ButtonCaract->setMinimumHeight(ButtonCaract->fontMetrics().height());
    l5->addWidget(ButtonCaract);
    TextCaract = Etiquette(Panel4, styleValeur, 20);
    milieu->addWidget(Panel5);
    milieu->addWidget(TextCaract);
    colonne(Panel3, TextVariableX, TextValeurX);
    bande->addWidget(Panel2, 1);
    bande->addWidget(Panel4, 1);
    bande->addWidget(Panel3, 1);
    racine->addWidget(Panel1);

    auto* centre = new QHBoxLayout;
    centre->setSpacing(0);
    PanelAscenseurY = Panneau(this);
    PanelAscenseurY->setFixedWidth(21);
    auto* ly = Serree<QVBoxLayout>(PanelAscenseurY);
    ZoomY = new QSlider(Qt::Vertical, PanelAscenseurY);
    ZoomY->setRange(0, NbZooms - 1);
    ZoomY->setTickPosition(QSlider::NoTicks);
    ZoomY->setInvertedAppearance(true);  // position 0 at the top
    ZoomY->setCursor(Qt::PointingHandCursor);
    ly->addWidget(ZoomY);
    PaintBox1 = new TPaintBox(this);
    PaintBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    centre->addWidget(PanelAscenseurY);
    centre->addWidget(PaintBox1, 1);
    racine->addLayout(centre, 1);

    PanelAscenseurX = Panneau(this);
    PanelAscenseurX->setFixedHeight(20);
    auto* lx = Serree<QHBoxLayout>(PanelAscenseurX);
    PanelBoutonAuto = Panneau(PanelAscenseurX);
    PanelBoutonAuto->setFixedWidth(21);
    auto* la = Serree<QHBoxLayout>(PanelBoutonAuto);
    ButtonAuto = new QToolButton(PanelBoutonAuto);
    ButtonAuto->setFixedSize(18, 18);
    ButtonAuto->setEnabled(false);  // it has no action
    la->addWidget(ButtonAuto);
    ZoomX = new QSlider(Qt::Horizontal, PanelAscenseurX);
    ZoomX->setRange(0, NbZooms - 1);
    ZoomX->setTickPosition(QSlider::NoTicks);
    ZoomX->setCursor(Qt::PointingHandCursor);
    lx->addWidget(PanelBoutonAuto);
    lx->addWidget(ZoomX, 1);
    racine->addWidget(PanelAscenseurX);

    PopupMenu1 = new QMenu(this);
    Suppressiondupoint1 = PopupMenu1->addAction(QString());
    Suppressiondetouslespoints1 = PopupMenu1->addAction(QString());
    PopupMenu1->addSeparator();
    Nouvelessai1 = PopupMenu1->addAction(QString());
    PopupMenu1->addSeparator();
    Modificationdelacarcateristique1 = PopupMenu1->addAction(QString());
    PopupMenu1->addSeparator();
    Copierlacaracteristique1 = PopupMenu1->addAction(QString());
    CopierlesvaleursSel = PopupMenu1->addAction(QString());
    PopupMenu1->addSeparator();
    AjusterPoints1 = PopupMenu1->addAction(QString());
    DroiteCharge1 = PopupMenu1->addAction(QString());
    Curseurs1 = PopupMenu1->addAction(QString());
    Curseurs1->setCheckable(true);
    MesuresReponse1 = PopupMenu1->addAction(QString());

    connect(ZoomX, &QSlider::valueChanged, this, [this] { ZoomXChange(); });
    connect(ZoomY, &QSlider::valueChanged, this, [this] { ZoomYChange(); });
    connect(ButtonCaract, &QPushButton::clicked, this, [this] { ButtonCaractClick(); });
    connect(Suppressiondupoint1, &QAction::triggered, this, [this] { Suppressiondupoint1Click(); });
    connect(Suppressiondetouslespoints1, &QAction::triggered, this,
            [this] { Suppressiondetouslespoints1Click(); });
    connect(Nouvelessai1, &QAction::triggered, this, [this] { Nouvelessai1Click(); });
    connect(Modificationdelacarcateristique1, &QAction::triggered, this,
            [this] { ButtonCaractClick(); });
    connect(Copierlacaracteristique1, &QAction::triggered, this,
            [this] { Copierlacaracteristique1Click(); });
    connect(CopierlesvaleursSel, &QAction::triggered, this, [this] { CopierlesvaleursSelClick(); });
    connect(AjusterPoints1, &QAction::triggered, this, [this] { AjusterPoints1Click(); });
    connect(DroiteCharge1, &QAction::triggered, this, [this] { DroiteCharge1Click(); });
    connect(Curseurs1, &QAction::triggered, this, [this] { Curseurs1Click(); });
    connect(MesuresReponse1, &QAction::triggered, this, [this] { MesuresReponse1Click(); });
    PaintBox1->setFocusPolicy(Qt::ClickFocus);

    setmenu();
    ButtonCaract->setText(TexteTable(117));
    ButtonCaract->setToolTip(TexteTable(118));
}

TCaractMachine::~TCaractMachine() = default;

// ---- operations ----

void TCaractMachine::setmenu() {
    Suppressiondupoint1->setText(TexteTable(102));
    Suppressiondetouslespoints1->setText(TexteTable(103));
    Nouvelessai1->setText(TexteTable(104));
    Modificationdelacarcateristique1->setText(TexteTable(105));
    Copierlacaracteristique1->setText(TexteTable(106));
    CopierlesvaleursSel->setText(TexteTable(107));
    AjusterPoints1->setText(TexteTable(TexteAjusterPoints));
    DroiteCharge1->setText(TexteTable(TexteDroiteCharge));
    Curseurs1->setText(TexteTable(TexteCurseurs));
    MesuresReponse1->setText(TexteTable(TexteMesuresReponse));
    ZoomX->setToolTip(TexteTable(108));
    ZoomY->setToolTip(TexteTable(109));
    ZoomX->setAccessibleName(TexteTable(108));
    ZoomY->setAccessibleName(TexteTable(109));
    ButtonAuto->setAccessibleName(TexteTable(TexteCoinEchelles));
    TextValeurX->setToolTip(TexteTable(110));
    TextValeurY->setToolTip(TexteTable(111));
    TextVariableX->DefinirBulle(TexteTable(112));
    TextVariableY->DefinirBulle(TexteTable(113));
}

void TCaractMachine::setCb(int k) {
    const VueBornee v = BornerVue(Slot(NumeroVue));
    ChargerCourbe(*courbe_, k, v.qX, v.qY);
}

void TCaractMachine::cfgaxe(TGraphe& g) {
    const VueGraphe& slot = Slot(NumeroVue);
    const VueBornee v = BornerVue(slot);
    {
        // Positioning the bars here is no user action: no second redraw.
        const QSignalBlocker bx(ZoomX), by(ZoomY);
        ZoomX->setValue(v.zX);
        ZoomY->setValue(ZoomY->maximum() - v.zY);
    }
    ConfigurerAxes(slot, g.ConfigX, g.ConfigY);
}

void TCaractMachine::tracegraphe() {
    const VueBornee v = BornerVue(Slot(NumeroVue));
    const DescGrandeur& dx = Etude.Grandeurs[v.qX];
    const DescGrandeur& dy = Etude.Grandeurs[v.qY];
    TextVariableY->DefinirNom(Q(DepuisCp1252(dy.Nom.Lire())));
    TextVariableX->DefinirNom(Q(DepuisCp1252(dx.Nom.Lire())));
    TextCaract->setText(
        Q(DepuisCp1252(dy.Symbole.Lire()) + "(" + DepuisCp1252(dx.Symbole.Lire()) + ")"));

    SurfaceEcran surface(*this);
    TGraphe& g = GrapheEcran;
    g.Gauche = 0;
    g.Haut = 0;
    g.Droite = PaintBox1->Tampon.width();
    g.Bas = PaintBox1->Tampon.height();
    AppliquerPalette(g, Borner(ConfigGenerale.Couleurs, NbPalettes) + 1);
    g.NomPolice = "arial";
    g.TaillePolice = 0;
    cfgaxe(g);
    initgraphe(g);
    if (!g.Pret) {
        // Too small to lay out: an empty picture rather than a stale one.
        g.Surface->fillRect(PaintBox1->Tampon.rect(), VersQColor(g.Fond));
    }
    traceaxes(g);
    tracecourbe();
    PointsVus = PointsDeFonctionnement(Slot(NumeroVue));
    tamponAJour_ = true;
}

void TCaractMachine::tracecourbe() {
    if (!Visible()) return;
    for (int k = 1; k <= NbCaractMax; ++k) {
        if (Caracts[k].Dernier() < 0) continue;
        setCb(k);
        tracecourbegraphe(GrapheEcran, *courbe_);
    }
    choixcurseur(GrapheEcran, AcquisitionEnCours != 0 ? 0 : 1,
                 std::clamp(CaractCourante, 0, NbCaractMax));
    TextValeurY->setText(TexteTable(62));
    TextValeurX->setText(TexteTable(62));
}

void TCaractMachine::tracecaract() {
    ButtonCaract->setText(TexteTable(117));
    ButtonCaract->setToolTip(TexteTable(118));
    tracegraphe();
}

void TCaractMachine::tracepoint(int k, int p) {
    if (!Visible() || k < 1 || k > NbCaractMax || p < 0 || p > DernierPointMax) return;
    SurfaceEcran surface(*this);
    masquecurseur(GrapheEcran);
    setCb(k);
    tracepointcourbe(GrapheEcran, p, *courbe_);
    retracecurseur(GrapheEcran);
}

void TCaractMachine::curseur() {
    if (!Visible()) return;
    SurfaceEcran surface(*this);
    if (ValeursCourantes[0] < 0) {
        eteintcurseur(GrapheEcran);
        TextValeurY->setText("--");
        TextValeurX->setText("--");
        return;
    }
    const VueBornee v = BornerVue(Slot(NumeroVue));
    const int32_t x = ValeursCourantes[static_cast<size_t>(v.qX)];
    const int32_t y = ValeursCourantes[static_cast<size_t>(v.qY)];
    curseurvaleur(GrapheEcran, x, y);
    TextValeurY->setText(Q(textevaleur(y, GrapheEcran.ConfigY)));
    TextValeurX->setText(Q(textevaleur(x, GrapheEcran.ConfigX)));
}

void TCaractMachine::Copiercaract() {
    cfgaxe(GrapheCopie);
    DessinerVue(GrapheCopie, *courbe_, NumeroVue);
}

void TCaractMachine::Imprimercaract() {
    cfgaxe(GrapheImpression);
    DessinerVue(GrapheImpression, *courbe_, NumeroVue);
}

void TCaractMachine::CopierValeurs() {
    QGuiApplication::clipboard()->setText(Q(TexteValeursVue(NumeroVue, CaractCourante)));
}

// ---- handlers ----

void TCaractMachine::ZoomXChange() {
    Slot(NumeroVue).ZoomX = ZoomX->value();
    EtudeEnregistree = 0;  // the zoom steps are saved with the study
    tracegraphe();
}

void TCaractMachine::ZoomYChange() {
    Slot(NumeroVue).ZoomY = ZoomY->maximum() - ZoomY->value();
    EtudeEnregistree = 0;
    tracegraphe();
}

void TCaractMachine::PaintBox1Paint() {
    tracegraphe();
    if (FenetreTrace)
        FenetreTrace->curseur();
    else
        curseur();
}

void TCaractMachine::PaintBox1MouseDown(Qt::MouseButtons boutons, int x, int y) {
    if (!(boutons & Qt::LeftButton)) return;
    if (CurseursActifs && VueTemporelle(Slot(NumeroVue))) {
        const double c0 = PixelX(GrapheEcran.X, std::llround(PositionCurseur[0]));
        const double c1 = PixelX(GrapheEcran.X, std::llround(PositionCurseur[1]));
        CurseurChoisi = std::fabs(x - c1) < std::fabs(x - c0) ? 1 : 0;
        PlacerCurseur(x);
        return;
    }
    setCb(std::clamp(CaractCourante, 0, NbCaractMax));
    SelectionnerPoint(pointproche(GrapheEcran, x, y, *courbe_));
    if (FenetreTrace)
        FenetreTrace->curseur();
    else
        curseur();
}

void TCaractMachine::PaintBox1MouseMove(Qt::MouseButtons boutons, int x, int y) {
    if (!(boutons & Qt::LeftButton)) return;
    if (CurseursActifs && VueTemporelle(Slot(NumeroVue))) {
        PlacerCurseur(x);
        return;
    }
    SelectionnerPoint(pointproche(GrapheEcran, x, y, *courbe_));
    if (FenetreTrace)
        FenetreTrace->curseur();
    else
        curseur();
}

void TCaractMachine::PopupMenu1Popup() {
    const bool courante = CaractCourante >= 1 && CaractCourante <= NbCaractMax &&
                          Caracts[CaractCourante].Dernier() >= 0;
    bool points = false;
    for (int k = 1; k <= NbCaractMax; ++k) points = points || Caracts[k].Dernier() >= 0;
    Suppressiondupoint1->setEnabled(ValeursCourantes[0] >= 0);
    Suppressiondetouslespoints1->setEnabled(courante);
    Nouvelessai1->setEnabled(courante);
    Modificationdelacarcateristique1->setEnabled(points);
    const VueGraphe& vue = Slot(NumeroVue);
    AjusterPoints1->setEnabled(points);
    DroiteCharge1->setEnabled(VueCoupleVitesse(vue));
    Curseurs1->setEnabled(VueTemporelle(vue));
    Curseurs1->setChecked(CurseursActifs && VueTemporelle(vue));
    MesuresReponse1->setEnabled(VueTemporelle(vue) && points);
}

void TCaractMachine::ButtonCaractClick() {
    if (!FenetreTrace) return;
    FenetreTrace->NouvelCaractVue(NumeroVue);
    FenetreTrace->Action();
}

void TCaractMachine::Suppressiondupoint1Click() {
    if (FenetreTrace) FenetreTrace->SupprimePoint();
}

void TCaractMachine::Suppressiondetouslespoints1Click() {
    if (FenetreTrace) FenetreTrace->SupprimeTousPoints();
}

void TCaractMachine::Nouvelessai1Click() {
    if (FenetreTrace) FenetreTrace->Nouvellecourbe1Click();
}

void TCaractMachine::Copierlacaracteristique1Click() {
    const int dpi = PaintBox1->logicalDpiX();
    const QSize taille = TailleCopie(dpi);
    const Dessin dessin = [&](QPainter& p) {
        const SurfaceGraphe surface(GrapheCopie, p);
        PreparerGrapheCopie(GrapheCopie, p, taille);
        Copiercaract();
    };
    auto* donnees = new QMimeData;
    donnees->setData("image/svg+xml", SvgDe(taille, dpi, dessin));
    donnees->setImageData(ImageDe(taille, dpi, dessin));
    QGuiApplication::clipboard()->setMimeData(donnees);
}

void TCaractMachine::CopierlesvaleursSelClick() { CopierValeurs(); }

// ---- over the view ----

namespace {

// Pixels of a value in counts, and back, without rounding.
double PixX(const TEchelleAxe& e, double v) {
    return static_cast<double>(e.PixOrigine) + (v - static_cast<double>(e.Origine)) *
                                                   static_cast<double>(e.PixPas) /
                                                   static_cast<double>(e.Pas);
}
double PixY(const TEchelleAxe& e, double v) {
    return static_cast<double>(e.PixOrigine) - (v - static_cast<double>(e.Origine)) *
                                                   static_cast<double>(e.PixPas) /
                                                   static_cast<double>(e.Pas);
}
double ValeurX(const TEchelleAxe& e, double px) {
    return static_cast<double>(e.Origine) + (px - static_cast<double>(e.PixOrigine)) *
                                                static_cast<double>(e.Pas) /
                                                static_cast<double>(std::max<int64_t>(e.PixPas, 1));
}
}  // namespace

void TCaractMachine::DessinerSurcouche(QPainter& p) {
    TextesSurcouche.clear();
    if (!GrapheEcran.Pret) return;
    p.save();
    p.setClipRect(
        QRect(QPoint(static_cast<int>(GrapheEcran.X.Debut), static_cast<int>(GrapheEcran.Y.Debut)),
              QPoint(static_cast<int>(GrapheEcran.X.Fin), static_cast<int>(GrapheEcran.Y.Fin))));
    p.setRenderHint(QPainter::Antialiasing);
    DessinerLoi(p);
    DessinerCurseurs(p);
    p.restore();
}

void TCaractMachine::DessinerLoi(QPainter& p) {
    const VueGraphe& vue = Slot(NumeroVue);
    const std::optional<LoiCharge> loi = VueCoupleVitesse(vue) ? LoiDeVue(vue) : std::nullopt;
    if (!loi) return;
    const TEchelleAxe& ex = GrapheEcran.X;
    const TEchelleAxe& ey = GrapheEcran.Y;
    const double kn = ValeurPhysique(1, Etude.Grandeurs[GVitesse].Exposant);  // tr/min per count
    const double kt = ValeurPhysique(1, Etude.Grandeurs[GCouple].Exposant);   // N·m per count
    // The law, dashed, sampled every two pixels; broken where it is not defined.
    QPen plume(VersQColor(GrapheEcran.Palette[0]), 2, Qt::DashLine);
    p.setPen(plume);
    QPolygonF trait;
    const auto finir = [&] {
        if (trait.size() > 1) p.drawPolyline(trait);
        trait.clear();
    };
    for (double px = static_cast<double>(ex.Debut); px <= static_cast<double>(ex.Fin); px += 2) {
        const double n = ValeurX(ex, px) * kn;
        const std::optional<double> t = CoupleLoi(*loi, n);
        const double py = t ? PixY(ey, *t / kt) : 0;
        if (!t || !std::isfinite(py) || std::fabs(py) > 1e6) {
            finir();
            continue;
        }
        trait << QPointF(px, py);
    }
    finir();

    // The operating points (found at the last whole drawing, not at every
    // paint of the cursor), each labelled beside its mark.
    const QFontMetrics fm(p.font());
    int ligne = 0;
    for (const PointVue& pv : PointsVus) {
        const QPointF ici(PixX(ex, pv.point.n / kn), PixY(ey, pv.point.T / kt));
        const QColor couleur = VersQColor(GrapheEcran.Palette[std::clamp(pv.essai, 1, 5)]);
        p.setPen(QPen(couleur, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(ici, 6, 6);
        p.drawLine(ici - QPointF(9, 0), ici + QPointF(9, 0));
        p.drawLine(ici - QPointF(0, 9), ici + QPointF(0, 9));
        QStringList lignes;
        for (const std::string& l : TextesPoint(pv)) lignes << Q(l);
        const QString texte = lignes.join(u'\n');
        TextesSurcouche << texte;
        int largeur = 0;
        for (const QString& l : lignes) largeur = std::max(largeur, fm.horizontalAdvance(l));
        QRectF cadre(ici + QPointF(12, 4 + ligne * 3),
                     QSizeF(largeur + 8, fm.height() * lignes.size() + 4));
        // Kept inside the plot: to the left of the mark when it would leave it.
        if (cadre.right() > static_cast<double>(ex.Fin)) cadre.moveRight(ici.x() - 12);
        if (cadre.bottom() > static_cast<double>(ey.Fin)) cadre.moveBottom(ici.y() - 4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawRect(cadre);
        p.setPen(couleur.darker(150));
        p.drawText(cadre.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, texte);
        ++ligne;
    }
    if (PointsVus.empty()) {
        const QString texte = TexteTable(TextePasDePoint);
        TextesSurcouche << texte;
        p.setPen(VersQColor(GrapheEcran.Palette[0]));
        p.drawText(
            QRectF(QPointF(static_cast<double>(ex.Debut) + 8, static_cast<double>(ey.Debut) + 4),
                   QSizeF(static_cast<double>(ex.Fin - ex.Debut) - 16, fm.height() + 4)),
            Qt::AlignRight | Qt::AlignTop, texte);
    }
}

void TCaractMachine::DessinerCurseurs(QPainter& p) {
    const VueGraphe& vue = Slot(NumeroVue);
    if (!CurseursActifs || !VueTemporelle(vue)) return;
    const VueBornee v = BornerVue(vue);
    const TEchelleAxe& ex = GrapheEcran.X;
    const TEchelleAxe& ey = GrapheEcran.Y;
    const QColor couleur = VersQColor(GrapheEcran.Palette[0]);
    for (int c = 0; c < 2; ++c) {
        const double px = PixX(ex, PositionCurseur[c]);
        p.setPen(
            QPen(couleur, c == CurseurChoisi ? 2 : 1, c == 0 ? Qt::SolidLine : Qt::DashDotLine));
        p.drawLine(QPointF(px, static_cast<double>(ey.Debut)),
                   QPointF(px, static_cast<double>(ey.Fin)));
        p.drawText(QPointF(px + 3, static_cast<double>(ey.Debut) + p.fontMetrics().height()),
                   QString::number(c + 1));
    }
    // The read-outs: t1, t2, Δt, then each trial's values and Δy.
    const TaxeC& cx = GrapheEcran.ConfigX;
    const TaxeC& cy = GrapheEcran.ConfigY;
    const auto tx = [&](double x) { return Q(textevaleur(VersInt32(std::llround(x)), cx)); };
    const auto ty = [&](double y) { return Q(textevaleur(VersInt32(std::llround(y)), cy)); };
    QStringList lignes;
    lignes << QStringLiteral("t1 = %1   t2 = %2   Δt = %3")
                  .arg(tx(PositionCurseur[0]), tx(PositionCurseur[1]),
                       tx(PositionCurseur[1] - PositionCurseur[0]));
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        if (Caracts[k].Dernier() < 0) continue;
        const std::optional<double> y1 = ValeurEn(k, v.qX, v.qY, PositionCurseur[0]);
        const std::optional<double> y2 = ValeurEn(k, v.qX, v.qY, PositionCurseur[1]);
        if (!y1 && !y2) continue;  // not under the cursors (no capture there)
        const QString sans = QStringLiteral("—");
        lignes << QStringLiteral("%1 %2 : %3   %4   Δ = %5")
                      .arg(Q(Textes.MotEssai))
                      .arg(k)
                      .arg(y1 ? ty(*y1) : sans, y2 ? ty(*y2) : sans,
                           y1 && y2 ? ty(*y2 - *y1) : sans);
    }
    TextesSurcouche << lignes;
    const QFontMetrics fm(p.font());
    int largeur = 0;
    for (const QString& l : lignes) largeur = std::max(largeur, fm.horizontalAdvance(l));
    QRectF cadre(
        QPointF(static_cast<double>(ex.Fin) - largeur - 14, static_cast<double>(ey.Debut) + 4),
        QSizeF(largeur + 10, fm.height() * lignes.size() + 6));
    if (cadre.left() < static_cast<double>(ex.Debut))
        cadre.moveLeft(static_cast<double>(ex.Debut) + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRect(cadre);
    p.setPen(Qt::black);
    p.drawText(cadre.adjusted(5, 3, -5, -3), Qt::AlignLeft | Qt::AlignTop, lignes.join(u'\n'));
}

void TCaractMachine::DeplacerCurseur(int pas) {
    const int c = std::clamp(CurseurChoisi, 0, 1);
    PlacerCurseur(static_cast<int>(std::lround(PixX(GrapheEcran.X, PositionCurseur[c]))) + pas);
}

void TCaractMachine::PlacerCurseur(int x) {
    if (!GrapheEcran.Pret) return;
    const TEchelleAxe& ex = GrapheEcran.X;
    const int borne = std::clamp(x, static_cast<int>(std::min(ex.Debut, ex.Fin)),
                                 static_cast<int>(std::max(ex.Debut, ex.Fin)));
    PositionCurseur[std::clamp(CurseurChoisi, 0, 1)] = ValeurX(ex, borne);
    PaintBox1->update();
}

void TCaractMachine::AjusterPoints1Click() {
    VueGraphe& vue = Slot(NumeroVue);
    const VueGraphe ajustee = VueAjusteeDe(vue);
    if (std::memcmp(&ajustee, &vue, sizeof vue) == 0) return;
    vue = ajustee;
    EtudeEnregistree = 0;  // the zoom steps and quadrant are saved with the study
    tracegraphe();
}

void TCaractMachine::DroiteCharge1Click() {
    if (!FenetreTrace) return;
    FenetreTrace->DroiteDeCharge(NumeroVue);
    tracegraphe();
    PaintBox1->update();
}

void TCaractMachine::Curseurs1Click() {
    CurseursActifs = Curseurs1->isChecked();
    if (CurseursActifs && GrapheEcran.Pret) {
        // At a third and two thirds of the axis.
        const double a = ValeurX(GrapheEcran.X, static_cast<double>(GrapheEcran.X.Debut));
        const double b = ValeurX(GrapheEcran.X, static_cast<double>(GrapheEcran.X.Fin));
        PositionCurseur[0] = a + (b - a) / 3;
        PositionCurseur[1] = a + 2 * (b - a) / 3;
        CurseurChoisi = 0;
        PaintBox1->setFocus();
    }
    PaintBox1->update();
}

void TCaractMachine::MesuresReponse1Click() {
    if (FenetreTrace) FenetreTrace->MesuresReponseVue(NumeroVue);
}

}  // namespace orvane
