#include "dialogs/NouvelCaract.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <string_view>

#include "dialogs/Habillage.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

TNouvelCaract* NouvelCaract = nullptr;

int PositionAxes(int m, int q) {
    // Quantity 0 is never listed: entry 0 and the unused trailing entries of
    // a row hold 0 only to fill it.
    if (m < 0 || m >= NbTypesMachine || q <= 0 || q >= NbGrandeurs) return 0;
    for (int p = 1; p < NbGrandeurs; ++p)
        if (ChoixAxes[m][p] == q) return p;
    return 0;
}

namespace {

constexpr int NbQuadrants = 9;
constexpr int CoteIcone = 40;
constexpr int CoteBouton = 48;

// Texts numbered in the text table.
constexpr int TexteNouvelle = 35;
constexpr int TexteModification = 36;
constexpr int TexteOrdonnee = 63;
constexpr int TexteAbscisse = 64;
constexpr int TexteQuadrants = 65;
constexpr int TexteCalibre = 66;
constexpr int TexteAnnulerBouton = 2;

QString NomGrandeur(int q) { return VersQString(DepuisCp1252(Etude.Grandeurs[q].Nom.Lire())); }

bool TypeDynamique(int32_t type) { return (type >= 10 && type <= 14) || type == 16 || type == 18; }

// Quadrants shown by each quadrant choice: bit k - 1 stands for quadrant k
// (1 = x > 0, y > 0; 2 = x < 0, y > 0; 3 = x < 0, y < 0; 4 = x > 0, y < 0).
constexpr unsigned QuadrantsVus[NbQuadrants] = {
    0b1111,  // 0: all four
    0b0001,  // 1
    0b1001,  // 2: 1 and 4
    0b1000,  // 3: 4
    0b1100,  // 4: 3 and 4
    0b0100,  // 5: 3
    0b0110,  // 6: 2 and 3
    0b0010,  // 7: 2
    0b0011,  // 8: 1 and 2
};

// Hints of the quadrant buttons, by quadrant choice.
const char* const BullesQuadrants[NbQuadrants] = {
    "Etude dans les quatre quadrants", "Etude dans le quadrant 1",
    "Etude dans les quadrants 1 et 4", "Etude dans le quadrant 4",
    "Etude dans les quadrants 3 et 4", "Etude dans le quadrant 3",
    "Etude dans les quadrants 2 et 3", "Etude dans le quadrant 2",
    "Etude dans les quadrants 1 et 2",
};

// Grid places (row, column) by quadrant choice: the button sits where its
// quadrants are.
constexpr int Rangee[NbQuadrants] = {1, 0, 1, 2, 2, 2, 1, 0, 0};
constexpr int Colonne[NbQuadrants] = {1, 2, 2, 2, 1, 0, 0, 0, 1};

// The plane with its axes cross, the shown quadrants shaded.
QIcon IconeQuadrant(int valeur) {
    QPixmap image(CoteIcone, CoteIcone);
    image.fill(Qt::white);
    QPainter p(&image);
    const int c = CoteIcone / 2;
    const QRect quarts[4] = {
        QRect(c, 0, c, c),  // 1
        QRect(0, 0, c, c),  // 2
        QRect(0, c, c, c),  // 3
        QRect(c, c, c, c),  // 4
    };
    for (int k = 0; k < 4; ++k)
        if (QuadrantsVus[valeur] & (1u << k)) p.fillRect(quarts[k], QColor(120, 170, 230));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, CoteIcone - 1, CoteIcone - 1);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(3, c, CoteIcone - 4, c);
    p.drawLine(c, 3, c, CoteIcone - 4);
    // arrow heads on the positive ends
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(CoteIcone - 4, c, CoteIcone - 8, c - 3);
    p.drawLine(CoteIcone - 4, c, CoteIcone - 8, c + 3);
    p.drawLine(c, 3, c - 3, 7);
    p.drawLine(c, 3, c + 3, 7);
    p.end();
    return QIcon(image);
}

}  // namespace

TNouvelCaract::TNouvelCaract(QWidget* parent) : QDialog(parent) {
    NouvelCaract = this;
    setFixedSize(632, 406);

    RadioGroupY = new QGroupBox(this);
    RadioGroupY->setToolTip(QStringLiteral("Sélection de la grandeur à afficher en ordonnée"));
    RadioGroupX = new QGroupBox(this);
    RadioGroupX->setToolTip(QStringLiteral("Sélection de la grandeur à afficher en abscisse"));
    GroupeY = new QButtonGroup(this);
    GroupeX = new QButtonGroup(this);
    for (QGroupBox* liste : {RadioGroupY, RadioGroupX}) {
        auto* colonne = new QVBoxLayout(liste);
        colonne->addStretch(1);
    }

    GroupBoxQuadrant = new QGroupBox(this);
    GroupeQuadrants = new QButtonGroup(this);
    auto* grille = new QGridLayout(GroupBoxQuadrant);
    grille->setSpacing(4);
    QToolButton** quadrants[NbQuadrants] = {&Q0, &Q1, &Q2, &Q3, &Q4, &Q5, &Q6, &Q7, &Q8};
    for (int v = 0; v < NbQuadrants; ++v) {
        auto* b = new QToolButton(GroupBoxQuadrant);
        b->setObjectName(QStringLiteral("Q%1").arg(v));
        b->setCheckable(true);
        b->setIcon(IconeQuadrant(v));
        b->setIconSize(QSize(CoteIcone, CoteIcone));
        b->setFixedSize(CoteBouton, CoteBouton);
        b->setToolTip(QString::fromUtf8(BullesQuadrants[v]));
        b->setAccessibleName(b->toolTip());  // the nine buttons show only pictures
        b->installEventFilter(this);
        GroupeQuadrants->addButton(b, v);
        grille->addWidget(b, Rangee[v], Colonne[v]);
        *quadrants[v] = b;
    }

    GroupBoxCourant = new QGroupBox(this);
    GroupeCalibre = new QButtonGroup(this);
    auto* calibres = new QHBoxLayout(GroupBoxCourant);
    ButtonCalibre2A = new QToolButton(GroupBoxCourant);
    ButtonCalibre2A->setText(QStringLiteral("2 A"));
    ButtonCalibre2A->setToolTip(QStringLiteral("Sélection du calibre courant de 2 A"));
    ButtonCalibre20A = new QToolButton(GroupBoxCourant);
    ButtonCalibre20A->setText(QStringLiteral("20 A"));
    ButtonCalibre20A->setToolTip(QStringLiteral("Sélection du calibre courant de 20 A"));
    for (QToolButton* b : {ButtonCalibre2A, ButtonCalibre20A}) {
        b->setCheckable(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        GroupeCalibre->addButton(b);
        calibres->addWidget(b);
    }

    BtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                            this);
    BtnOK->setToolTip(QStringLiteral("Validation"));
    BtnOK->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Annuler"), this);
    BitBtn2->setToolTip(QStringLiteral("Annulation"));

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(BtnOK);
    boutons->addWidget(BitBtn2);
    auto* droite = new QVBoxLayout;
    droite->addWidget(GroupBoxQuadrant);
    droite->addWidget(GroupBoxCourant);
    droite->addStretch(1);
    droite->addLayout(boutons);
    auto* fenetre = new QHBoxLayout(this);
    fenetre->addWidget(RadioGroupY, 1);
    fenetre->addWidget(RadioGroupX, 1);
    fenetre->addLayout(droite);

    connect(GroupeX, &QButtonGroup::idToggled, this, [this](int, bool coche) {
        if (coche) action();
    });
    connect(BtnOK, &QPushButton::clicked, this, &TNouvelCaract::BtnOKClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonCalibre2A, &QToolButton::clicked, this, &TNouvelCaract::ButtonCalibre2AClick);
    connect(ButtonCalibre20A, &QToolButton::clicked, this, &TNouvelCaract::ButtonCalibre20AClick);
}

TNouvelCaract::~TNouvelCaract() {
    if (NouvelCaract == this) NouvelCaract = nullptr;
}

int TNouvelCaract::Machine() const {
    return Borner(ReglagesCourants[MotTypeMachine], NbTypesMachine);
}

int TNouvelCaract::Slot() const { return Borner(NumeroVue - 1, NbVues); }

int TNouvelCaract::PositionY() const { return GroupeY->checkedId(); }
int TNouvelCaract::PositionX() const { return GroupeX->checkedId(); }
int TNouvelCaract::QuadrantChoisi() const { return GroupeQuadrants->checkedId(); }

void TNouvelCaract::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

bool TNouvelCaract::eventFilter(QObject* objet, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        auto* bouton = qobject_cast<QToolButton*>(objet);
        if (bouton && bouton->isEnabled() && GroupeQuadrants->id(bouton) >= 0 &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            bouton->setChecked(true);
            BtnOKClick();
            return true;
        }
    }
    return QDialog::eventFilter(objet, event);
}

void TNouvelCaract::RemplirListe(QGroupBox* boite, QButtonGroup* groupe,
                                 QList<QRadioButton*>& items, bool avecTemps) {
    QSignalBlocker bloque(groupe);
    qDeleteAll(items);
    items.clear();
    auto* colonne = static_cast<QVBoxLayout*>(boite->layout());
    auto ajouter = [&](int q) {
        auto* item = new QRadioButton(NomGrandeur(q), boite);
        groupe->addButton(item, static_cast<int>(items.size()));
        colonne->insertWidget(colonne->count() - 1, item);  // before the closing stretch
        item->show();  // the list is filled while the dialog is being shown
        items.append(item);
    };
    const int m = Machine();
    for (int q = GVitesse; q < NbGrandeurs; ++q)
        if (DisponibiliteGrandeurs[m][q]) ajouter(q);
    if (avecTemps) ajouter(GTemps);
}

void TNouvelCaract::Selectionner(QList<QRadioButton*>& items, int position) {
    if (position < 0 || position >= items.size()) return;
    QSignalBlocker bloque(items[position]->group());
    items[position]->setChecked(true);
}

void TNouvelCaract::AbaisserQuadrant(int valeur) {
    QSignalBlocker bloque(GroupeQuadrants);
    GroupeQuadrants->button(valeur)->setChecked(true);
}

void TNouvelCaract::FormShow() {
    RadioGroupY->setTitle(TexteNumero(TexteOrdonnee));
    RadioGroupX->setTitle(TexteNumero(TexteAbscisse));
    GroupBoxQuadrant->setTitle(TexteNumero(TexteQuadrants));
    GroupBoxCourant->setTitle(TexteNumero(TexteCalibre));
    // The cancel button in the current language, as in the other dialogs.
    BitBtn2->setText(TexteNumero(TexteAnnulerBouton));

    const bool dynamique = TypeDynamique(ReglagesCourants[MotTypeCaract]);
    RemplirListe(RadioGroupY, GroupeY, ItemsY, false);
    RemplirListe(RadioGroupX, GroupeX, ItemsX, dynamique);
    DernierItem = static_cast<int>(ItemsX.size()) - 1;

    if (Mode == 0) {
        setWindowTitle(TexteNumero(TexteNouvelle));
        Selectionner(ItemsY, 1);
        Selectionner(ItemsX, dynamique ? DernierItem : 0);
        // A new view starts from the default quadrants, not from the last
        // view edited: no button down, `action` chooses.
        QSignalBlocker bloque(GroupeQuadrants);
        GroupeQuadrants->setExclusive(false);
        for (QAbstractButton* b : GroupeQuadrants->buttons()) b->setChecked(false);
        GroupeQuadrants->setExclusive(true);
    } else {
        setWindowTitle(TexteNumero(TexteModification));
        const VueGraphe& vue = Etude.Vues[Slot()];
        const int m = Machine();
        Selectionner(ItemsY, PositionAxes(m, vue.GrandeurY) - 1);
        Selectionner(ItemsX, PositionAxes(m, vue.GrandeurX) - 1);
        AbaisserQuadrant(Borner(vue.Quadrant, NbQuadrants));
    }

    {
        // Any value but 1 measures on the 20 A range.
        QSignalBlocker bloque(GroupeCalibre);
        if (ReglagesCourants[MotCalibre] == 1)
            ButtonCalibre2A->setChecked(true);
        else
            ButtonCalibre20A->setChecked(true);
    }

    action();
}

void TNouvelCaract::action() {
    const int p = PositionX();
    const bool temps = p >= 0 && p + 1 < NbGrandeurs && ChoixAxes[Machine()][p + 1] == GTemps;
    if (!temps) {
        for (QAbstractButton* b : GroupeQuadrants->buttons()) b->setEnabled(true);
        if (Mode == 0) AbaisserQuadrant(0);
        return;
    }
    for (QAbstractButton* b : GroupeQuadrants->buttons()) {
        const int v = GroupeQuadrants->id(b);
        b->setEnabled(v >= 1 && v <= 3);
    }
    if (!Q1->isChecked() && !Q2->isChecked() && !Q3->isChecked()) AbaisserQuadrant(2);
}

void TNouvelCaract::BtnOKClick() {
    VueGraphe& vue = Etude.Vues[Slot()];
    const int m = Machine();
    vue.Presente = 1;
    vue.Affichee = 1;
    // A list with nothing selected leaves the slot's quantity as it was.
    const int px = PositionX();
    if (px >= 0 && px + 1 < NbGrandeurs) vue.GrandeurX = ChoixAxes[m][px + 1];
    const int py = PositionY();
    if (py >= 0 && py + 1 < NbGrandeurs) vue.GrandeurY = ChoixAxes[m][py + 1];
    if (Mode == 0) {
        const int gamme = Borner(ConfigGenerale.GammePuissance, 4);
        vue.ZoomX = ZoomDefaut[gamme][Borner(vue.GrandeurX, NbGrandeurs)];
        vue.ZoomY = ZoomDefaut[gamme][Borner(vue.GrandeurY, NbGrandeurs)];
    }
    const int quadrant = QuadrantChoisi();
    if (quadrant >= 0) vue.Quadrant = quadrant;
    EtudeEnregistree = 0;
    accept();
}

void TNouvelCaract::ButtonCalibre2AClick() { DefinirCalibre(1); }

void TNouvelCaract::ButtonCalibre20AClick() { DefinirCalibre(0); }

void TNouvelCaract::DefinirCalibre(int32_t calibre) {
    ReglagesCourants[MotCalibre] = calibre;
    if (Mode != 1 || CaractCourante < 1 || CaractCourante > NbCaractMax) return;
    // The trial's range is kept in the work file: a change must be saved.
    int32_t& mot = Caracts[CaractCourante].Entete[MotCalibre];
    if (mot != calibre) EtudeEnregistree = 0;
    mot = calibre;
}

}  // namespace orvane
