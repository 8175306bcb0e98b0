// The tracing window driven through its controls: the places of the views,
// the current range's caption, the value boxes and the keys, the menus'
// enabling rules, the language, and the study editing commands with their
// questions.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

#include "Captures.h"
#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "dialogs/AboutBox.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/FormCom.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/TrierPoints.h"
#include "sim/LiaisonSimulee.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

// View slots: Tu(n), Pm(n), I(n), Rd(n).
void VuesQuatre() {
    const int32_t y[4] = {GCouple, GPuissanceMeca, GCourant, GRendement};
    for (int k = 0; k < NbVues; ++k)
        Etude.Vues[k] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, y[k], 18, {0, 0}, 1};
}

// A study of `essais` trials of an asynchronous machine, the trials listed
// in `vides` holding no point, the others ten points each.
void Essais(int essais, const QList<int>& vides = {}) {
    for (int k = 1; k <= essais; ++k) {
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < 10 && !vides.contains(k); ++p) {
            ValeursCourantes[GVitesse] = 300 + 120 * p + 20 * k;
            ValeursCourantes[GCouple] = 1800 - 150 * p - 40 * k;
            ValeursCourantes[GPuissanceMeca] = ValeursCourantes[1] * ValeursCourantes[2] / 100;
            ValeursCourantes[GCourant] = 9000 - 600 * p;
            ValeursCourantes[GRendement] = 500 + 40 * p;
            AjouterPoint();
        }
    }
    ValeursCourantes[0] = -1;
}

// The simulated bench as an open link while it lives, its pauses skipped: a
// machine-study acquisition starts only on an open link.
struct BancEnLigne {
    FonctionPause pause = DefinirPause([](int) {});
    std::optional<TFormCom> com;
    BancEnLigne() {
        sim::InstallerBancSimule(1, false);
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        com.emplace().Initialise();
    }
    ~BancEnLigne() {
        com.reset();
        DefinirPause(pause);
    }
};

RectangleTrace R(int l, int t, int w, int h) { return {l, t, w, h}; }

// Every caption and hint the language sets, in a fixed order.
QStringList Textes_(TFormTraceCaract* f) {
    QStringList t{f->windowTitle()};
    for (QMenu* m : f->menuBar()->findChildren<QMenu*>()) {
        t << m->title();
        for (QAction* a : m->actions()) t << a->text();
    }
    for (QAbstractButton* b : f->findChildren<QAbstractButton*>()) t << b->text();
    for (QLabel* l : f->findChildren<QLabel*>()) t << l->text();
    for (QWidget* w : f->findChildren<QWidget*>()) t << w->toolTip();
    return t;
}

// Rows of the tests below.
struct Menus {
    int essais;
    QList<int> vides;
    bool nouvel, suppression, fichier;  // fichier: save, new work, print
};
// Trials, the current one, their law, the machine and law chosen; then the
// count, the current trial, the law of trial 1; refus: refused with a message.
struct Choix {
    int essais, courante, avant, machine, type, nombre, courante2, type1;
    bool refus = false;
};
// Points deleted from: 0 a trial's pop-up, 1 the frames' command, 2 a frame's
// point deletion (the point selected, a live reading or not).
struct Points {
    int source, essai, reponse, point = 4;
    bool acquisition = false, question = true;
    int dernier = -1, enregistree = 0;  // the trial's last point, the study saved
};
struct Suppression {
    int essais, courante, supprime, reponse, nombre, ensuite;
};

}  // namespace

Q_DECLARE_METATYPE(orvane::RectangleTrace)
Q_DECLARE_METATYPE(Menus)
Q_DECLARE_METATYPE(Choix)
Q_DECLARE_METATYPE(Suppression)
Q_DECLARE_METATYPE(Points)

class TstTraceCaract : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormTraceCaract> fenetre;
    std::unique_ptr<essai::RapportEnregistre> rapport;

    TFormTraceCaract& F() { return *fenetre; }
    // Shows the window on a study of `essais` trials (see Essais), four views
    // if asked.
    void Ouvrir(int essais, bool quatre = false, const QList<int>& vides = {}) {
        if (quatre) VuesQuatre();
        Essais(essais, vides);
        Montrer();
    }
    void Montrer() {
        F().showNormal();
        F().resize(1280, 800);
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        QCoreApplication::processEvents();
        F().Action();
    }
    // Runs `dans` once the modal dialog `d` is up, as its user would.
    static void Pendant(QDialog& d, std::function<void()> dans) {
        QTimer::singleShot(0, &d, std::move(dans));
    }

private slots:
    void init() {
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        InitEtude();
        AcquisitionEnCours = 0;
        rapport = std::make_unique<essai::RapportEnregistre>();
        fenetre = std::make_unique<TFormTraceCaract>();
    }
    void cleanup() {
        fenetre.reset();
        rapport.reset();
        AcquisitionEnCours = 0;
        ChoixLangue(LangueFrancais);
        TFormCom::DefinirChoixFichier({});
    }

    // ---- places, captions, value boxes, keys ----

    void viewPlaces_data() {
        QTest::addColumn<QList<int>>("montrees");  // views left down
        QTest::addColumn<QList<RectangleTrace>>("attendu");
        QTest::newRow("none") << QList<int>{} << QList<RectangleTrace>{};
        QTest::newRow("one: all") << QList<int>{3} << QList<RectangleTrace>{R(7, 11, 801, 533)};
        QTest::newRow("two side by side, odd width loses a pixel")
            << QList<int>{1, 4} << QList<RectangleTrace>{R(7, 11, 400, 533), R(407, 11, 400, 533)};
        QTest::newRow("three: left column, full right")
            << QList<int>{1, 2, 4}
            << QList<RectangleTrace>{R(7, 11, 400, 266), R(7, 277, 400, 266), R(407, 11, 400, 533)};
        QTest::newRow("four: grid by columns")
            << QList<int>{1, 2, 3, 4}
            << QList<RectangleTrace>{R(7, 11, 400, 266), R(7, 277, 400, 266), R(407, 11, 400, 266),
                                     R(407, 277, 400, 266)};
    }
    void viewPlaces() {
        QFETCH(QList<int>, montrees);
        QFETCH(QList<RectangleTrace>, attendu);
        Ouvrir(1, true);
        for (int k = 1; k <= 4; ++k)
            if (!montrees.contains(k)) QTest::mouseClick(F().ButtonCar[k - 1], Qt::LeftButton);
        QCOMPARE(F().NbPanelTrace(), int(montrees.size()));
        const RectangleTrace temoin = R(-1, -1, -1, -1);
        F().RectTrace.fill(temoin);
        F().calculposition(7, 11, 801, 533);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(F().RectTrace[j], j < attendu.size() ? attendu[j] : temoin);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(F().CaractMachine[k - 1]->isVisibleTo(&F()), montrees.contains(k));
    }

    // Escape outside an acquisition clears the value boxes (a space is then
    // a character of the title); during one it stops it and gives the menus
    // back.
    void escapeKey() {
        Ouvrir(1);
        ValeursCourantes = {3, 1500, 1234, 0, 2300, 4000, 0, 0, 0, 0, 0, 0};
        F().curseur();
        QCOMPARE(F().TextCouple->text(), QStringLiteral("12,34 Nm"));
        F().EditTitre->setFocus();
        QTest::keyClick(F().EditTitre, Qt::Key_Escape);
        QCOMPARE(ValeursCourantes[0], -1);
        for (QLabel* l : {F().TextVitesse, F().TextCouple, F().TextCourant, F().TextTemps})
            QCOMPARE(l->text(), QStringLiteral("----"));
        const QString titre = F().EditTitre->text();
        QTest::keyClick(F().EditTitre, Qt::Key_Space);
        QCOMPARE(F().EditTitre->text(), titre + QLatin1Char(' '));
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        AcquisitionEnCours = 1;
        F().resetMenu();
        QVERIFY(!F().Fichier1->menuAction()->isEnabled());
        F().ScrollBarK->setFocus();
        QTest::keyClick(F().ScrollBarK, Qt::Key_Escape);
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().ButtonManu->isChecked() && !F().PanelAcquiManu->isVisible());
        QVERIFY(F().PanelANALYSE->isVisible() && F().Fichier1->menuAction()->isEnabled());
    }

    // The boxes follow the trial clicked: the excitation current only for
    // machines 0, 1 and 4, the power factor for all but the DC ones, the
    // current range's caption "(20A)" or "(2A)" (another word leaves it).
    // "Affich." up hides the whole column.
    void boxesFollowTheTrial_data() {
        QTest::addColumn<int>("machine");
        for (int m = 0; m < 8; ++m) QTest::addRow("%d", m) << m;
    }
    void boxesFollowTheTrial() {
        QFETCH(int, machine);
        const int mot = QList<int>{0, 1, 7}[machine % 3];
        Essais(2);
        Caracts[2].Entete[MotTypeMachine] = machine;
        Caracts[2].Entete[MotCalibre] = mot;
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[0], Qt::LeftButton);
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Courant:I (20A)"));
        F().StaticTextCourant->setText(QStringLiteral("avant"));
        QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
        QCOMPARE(CaractCourante, 2);
        QCOMPARE(F().StaticTextCourant->text(),
                 QStringList({"Courant:I (20A)", "Courant:I (2A)", "avant"})[machine % 3]);
        F().Action();
        QCOMPARE(F().Paneliexc->isVisible(), QList<int>({0, 1, 4}).contains(machine));
        QCOMPARE(F().PanelFp->isVisible(), !QList<int>({1, 2, 5}).contains(machine));
        QTest::mouseClick(F().ButtonAffichage, Qt::LeftButton);
        QVERIFY(!F().PanelAffichageValeur->isVisible());
    }

    // ---- menus, language ----

    void editMenuEnabling_data() {
        QTest::addColumn<Menus>("c");
        QTest::newRow("single trial") << Menus{1, {}, true, false, true};
        QTest::newRow("last trial empty") << Menus{2, {2}, false, true, true};
        QTest::newRow("no trial") << Menus{0, {}, false, false, false};
        QTest::newRow("five trials") << Menus{5, {}, false, true, true};
        QTest::newRow("record 1 empty") << Menus{2, {1}, true, true, false};
    }
    void editMenuEnabling() {
        QFETCH(Menus, c);
        VuesQuatre();
        Etude.Vues[2].Presente = 0;
        Ouvrir(c.essais, false, c.vides);
        emit F().Edition1->aboutToShow();
        QCOMPARE(F().Nouvellecourbe1->isEnabled(), c.nouvel);
        QCOMPARE(F().Suppressioncourbe1->menuAction()->isEnabled(), c.suppression);
        for (int k = 0; k < 5; ++k) QCOMPARE(F().Ncb[k]->isVisible(), k < c.essais);
        for (int k = 0; k < 4; ++k) QCOMPARE(F().MCar[k]->isVisible(), k != 2);
        emit F().Fichier1->aboutToShow();
        for (QAction* a : {F().Enregistrer1, F().Nouveautravail1, F().Imprimer1})
            QCOMPARE(a->isEnabled(), c.fichier);
        QVERIFY(F().Ouvrir->isEnabled() && F().Enregistrersous1->isEnabled());
        if (!c.nouvel || !c.vides.isEmpty()) return;
        // A new trial from the menu, then from a frame's pop-up.
        F().Nouvellecourbe1->trigger();
        QCOMPARE(Etude.NbCaract, c.essais + 1);
        QVERIFY(F().Buttoncourbe[c.essais]->isVisible() && F().Buttoncourbe[c.essais]->isChecked());
        F().CaractMachine[0]->Nouvelessai1->trigger();
        QCOMPARE(Etude.NbCaract, c.essais + 2);
        QCOMPARE(CaractCourante, c.essais + 2);
    }

    // In each language, at 1280 x 800 (the screenshots: four views, five
    // trials) and at the smallest size, every text of the bars fits its
    // control and the run-time texts follow; French again gives every French
    // caption back.
    void languages_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<bool>("petite");
        QTest::addColumn<QStringList>("textes");  // trials, current range, speed
        const std::tuple<int, const char*, QStringList> langues[] = {
            {LangueFrancais, "fr", {"Essai", "Courant:I (20A)", "Vitesse de rotation : n"}},
            {LangueAnglais, "en", {"Test", "Current:I (20A)", "Rotational speed : n"}},
            {LangueEspagnol, "es", {"Prueba", "Corriente:I (20A)", "Velocidad de rotació : n"}}};
        for (const auto& [langue, code, textes] : langues) {
            QTest::addRow("%s", code) << langue << false << textes;
            QTest::addRow("800-%s", code) << langue << true << textes;
        }
    }
    void languages() {
        QFETCH(int, langue);
        QFETCH(bool, petite);
        QFETCH(QStringList, textes);
        VuesQuatre();
        Essais(5);
        if (!petite) {
            Etude.Titre.Ecrire(VersCp1252("Machine asynchrone 1,5 kW : essais en charge"));
            for (int k = 1; k <= 5; ++k)
                Caracts[k].Entete.Commentaire.Ecrire(
                    VersCp1252(QStringLiteral("U = %1 V").arg(380 - 10 * k).toStdString()));
            QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        }
        Montrer();
        const QStringList francais = Textes_(&F());
        ChoixLangue(langue);
        F().Langue();
        QCOMPARE(Textes_(&F()) != francais, langue != LangueFrancais);
        QCOMPARE(QStringList({F().StaticTextCourbes->text(), F().StaticTextCourant->text(),
                              F().StaticTextVitesse->text()}),
                 textes);
        QVERIFY(F().windowTitle().endsWith(QString::fromUtf8(Textes.TitreCharge[1])));
        if (petite) {
            F().resize(800, 600);
            QCoreApplication::processEvents();
            F().Action();
        } else {
            QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
            SelectionnerPoint(4);
            F().curseur();
        }
        for (QAbstractButton* b : F().findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->text().isEmpty())
                QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= b->width(),
                         qPrintable(b->text()));
        for (QLabel* l : {F().StaticTextCourbes, F().StaticTextCommentaire})
            QVERIFY(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width());
        // The fifth trial and its comment stay inside the window.
        QVERIFY(F().Buttoncourbe[4]->geometry().right() < F().ToolBar1->width());
        QVERIFY(F().Editcourbe[4]->geometry().right() < F().ToolBar2->width());
        essai::Capturer(&F(), QStringLiteral("trace-") + QTest::currentDataTag());
        if (petite) F().resize(1280, 800);
        QTest::mouseClick(F().Buttoncourbe[4], Qt::LeftButton);
        ChoixLangue(LangueFrancais);
        F().Langue();
        QCOMPARE(Textes_(&F()), francais);
    }

    // ---- the choice taken, the study's changes ----

    // The current trial takes the choice when its points stay valid, else a
    // trial is appended (also when the current number is beyond the count);
    // with five trials the choice is refused and the user told so.
    void choiceTaken_data() {
        QTest::addColumn<Choix>("c");
        QTest::newRow("same law, new settings") << Choix{1, 1, 6, 3, 6, 1, 1, 6};
        QTest::newRow("other law") << Choix{1, 1, 6, 3, 8, 2, 2, 6};
        QTest::newRow("no current trial") << Choix{1, 0, 6, 3, 6, 2, 2, 6};
        QTest::newRow("machine study to machine study") << Choix{2, 2, 1, 3, 3, 2, 2, 1};
        QTest::newRow("beyond the count appends") << Choix{1, 2, 1, 4, 2, 2, 2, 1};
        QTest::newRow("five trials") << Choix{5, 5, 1, 6, 7, 5, 5, 1, true};
    }
    void choiceTaken() {
        QFETCH(Choix, c);
        Essais(c.essais);
        for (int k = 1; k <= c.essais; ++k) Caracts[k].Entete[MotTypeCaract] = c.avant;
        Montrer();
        CaractCourante = c.courante;
        ReglagesCourants[MotTypeMachine] = c.machine;
        ReglagesCourants[MotTypeCaract] = c.type;
        ReglagesCourants[MotInertie] = 77;
        QCOMPARE(F().Setcourbe(), !c.refus);
        QCOMPARE(Etude.NbCaract, c.nombre);
        QCOMPARE(CaractCourante, c.courante2);
        QCOMPARE(Caracts[1].Entete[MotTypeCaract], c.type1);
        const EnteteCaract& e = Caracts[CaractCourante].Entete;
        if (c.refus) {
            QCOMPARE(e[MotTypeCaract], c.avant);
            QCOMPARE(ReglagesCourants[MotTypeCaract], c.avant);
            QCOMPARE(rapport->messages,
                     std::vector<std::string>{
                         "Cinq essais au plus : supprimez un essai pour en commencer un autre"});
            return;
        }
        QCOMPARE(QList<int>({e[MotTypeMachine], e[MotTypeCaract], e[MotInertie]}),
                 QList<int>({c.machine, c.type, 77}));
        QVERIFY(F().Buttoncourbe[CaractCourante - 1]->isVisible());
        QVERIFY(F().Buttoncourbe[CaractCourante - 1]->isChecked());
    }

    // A window redrawn during a capture leaves its flags alone; without a
    // capture they follow the button, and Stop arms them again.
    void actionLeavesARunningCapture() {
        Ouvrir(1);
        F().ButtonChargeDynamique->setChecked(true);
        F().TimerOscillo->start(3600 * 1000);
        F().OscilloArme = F().OscilloDeclenche = true;
        QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        F().resize(1100, 700);
        QCoreApplication::processEvents();
        QVERIFY(F().OscilloArme && F().OscilloDeclenche);
        F().TimerOscillo->stop();
        F().Action();
        QVERIFY(!F().OscilloArme && !F().OscilloDeclenche);
        F().ButtonStopManuClick();
        QVERIFY(F().OscilloArme && F().OscilloDeclenche && F().PanelANALYSE->isVisible());
    }

    // The states the program sets (title and comment read, a view hidden,
    // the smoothing) never mark the study; each change of the user does and
    // is kept.
    void userChangesMarkTheStudy() {
        VuesQuatre();
        Etude.Vues[1].Affichee = 0;
        Essais(2);
        Etude.Titre.Ecrire("Titre lu");
        Caracts[1].Entete.Commentaire.Ecrire("lu du fichier");
        Etude.Lissage = 3;
        QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        EtudeEnregistree = 1;
        Montrer();
        QCOMPARE(F().EditTitre->text(), QStringLiteral("Titre lu"));
        QCOMPARE(F().Editcourbe[0]->text(), QStringLiteral("lu du fichier"));
        QVERIFY(!F().ButtonCar[1]->isChecked() && F().ButtonCar[0]->isChecked());
        QCOMPARE(int(EtudeEnregistree), 1);
        const auto marque = [&](const char* quoi, const std::function<void()>& geste) {
            EtudeEnregistree = 1;
            geste();
            QVERIFY2(EtudeEnregistree == 0, quoi);
        };
        // Typed texts are cut to 100 (title) and 20 (comment) letters.
        QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
        for (QLineEdit* e : {F().EditTitre, F().Editcourbe[1]})
            marque("typed", [&] {
                e->clear();
                QCOMPARE(int(EtudeEnregistree), 1);
                QTest::keyClicks(
                    e, e == F().EditTitre ? QString(120, 'x') : "abcdefghijklmnopqrstuvwxyz");
            });
        QCOMPARE(Etude.Titre.Lire(), std::string(100, 'x'));
        QCOMPARE(Caracts[2].Entete.Commentaire.Lire(), std::string("abcdefghijklmnopqrst"));
        marque("view", [&] { QTest::mouseClick(F().ButtonCar[1], Qt::LeftButton); });
        QCOMPARE(int(Etude.Vues[1].Affichee), 1);
        // "Sans interpolation" stores -1, the other items their number.
        for (const int item : {0, 2, 5}) {
            marque("smoothing", [&] { F().interpolation[item]->trigger(); });
            QCOMPARE(Etude.Lissage, item == 0 ? -1 : item);
            emit F().Configuration1->aboutToShow();
            QVERIFY(F().interpolation[item]->isChecked());
        }
        TFormCalibreCourant dialogue;
        Pendant(dialogue, [&] {
            dialogue.ButtonCalibre2A->click();
            dialogue.BitBtn1->click();
        });
        marque("range", [&] { QTest::mouseClick(F().StaticTextCourant, Qt::LeftButton); });
        QCOMPARE(Caracts[2].Entete[MotCalibre], 1);
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Courant:I (2A)"));
    }

    // ---- deletions ----

    void trialDeletionKeepsARealTrial_data() {
        QTest::addColumn<Suppression>("c");
        const int oui = int(ReponseQuestion::Oui);
        QTest::newRow("the last, current") << Suppression{3, 3, 3, oui, 2, 2};
        QTest::newRow("before the current") << Suppression{3, 3, 1, oui, 2, 2};
        QTest::newRow("after the current") << Suppression{3, 1, 2, oui, 2, 1};
        QTest::newRow("No keeps it") << Suppression{3, 3, 3, int(ReponseQuestion::Non), 3, 3};
        QTest::newRow("the only one, from its pop-up") << Suppression{1, 1, 1, oui, 0, 1};
    }
    void trialDeletionKeepsARealTrial() {
        QFETCH(Suppression, c);
        Ouvrir(c.essais);
        QTest::mouseClick(F().Buttoncourbe[c.courante - 1], Qt::LeftButton);
        rapport->reponses = {ReponseQuestion(c.reponse)};
        emit F().Edition1->aboutToShow();
        (c.nombre ? F().Ncb[c.supprime - 1] : F().MenuItem[0][1])->trigger();
        QCOMPARE(Etude.NbCaract, c.nombre);
        QCOMPARE(CaractCourante, c.ensuite);
        if (c.nombre == 0) {  // no trial, no acquisition group
            QVERIFY(!F().PanelAcquisitionCarMachine->isVisible());
            QVERIFY(!F().Buttoncourbe[0]->isVisible());
            return;
        }
        QCOMPARE(rapport->questions, std::vector<std::string>{"Voulez-vous supprimer l'essai " +
                                                              std::to_string(c.supprime)});
        QVERIFY(F().Buttoncourbe[c.ensuite - 1]->isChecked());
    }

    // All the points of a trial from its pop-up (an empty trial asks
    // nothing) or from the frames' command (always asks); one point from a
    // frame, only a stored point (not a live reading).
    void pointsDeletion_data() {
        QTest::addColumn<Points>("c");
        const int oui = int(ReponseQuestion::Oui), non = int(ReponseQuestion::Non);
        QTest::newRow("pop-up, Yes") << Points{0, 2, oui};
        QTest::newRow("pop-up, No") << Points{0, 2, non, 4, false, true, 9, 1};
        QTest::newRow("pop-up, empty trial") << Points{0, 3, oui, 4, false, false, -1, 1};
        QTest::newRow("frames, empty trial") << Points{1, 3, oui};
        QTest::newRow("one stored point") << Points{2, 1, oui, 4, false, false, 8, 0};
        QTest::newRow("no point selected") << Points{2, 1, oui, -1, false, false, 9, 1};
        QTest::newRow("a live reading") << Points{2, 1, oui, 4, true, false, 9, 1};
    }
    void pointsDeletion() {
        QFETCH(Points, c);
        Ouvrir(3, true, {3});
        if (c.source > 0) QTest::mouseClick(F().Buttoncourbe[c.essai - 1], Qt::LeftButton);
        EtudeEnregistree = 1;
        rapport->reponses = {ReponseQuestion(c.reponse)};
        TCaractMachine* cadre = F().CaractMachine[0];
        if (c.source == 0) F().MenuItem[c.essai - 1][0]->trigger();
        if (c.source == 1) cadre->Suppressiondetouslespoints1->trigger();
        if (c.source == 2) {
            SelectionnerPoint(c.point);
            AcquisitionEnCours = c.acquisition ? 1 : 0;
            if (c.acquisition) ValeursCourantes[0] = 9;  // a live reading
            cadre->PopupMenu1Popup();
            emit cadre->PopupMenu1->aboutToShow();
            QCOMPARE(cadre->Suppressiondupoint1->isEnabled(), c.dernier == 8);
            cadre->Suppressiondupoint1->trigger();
        }
        const std::string question =
            "Voulez-vous supprimer tous les points de l'essai " + std::to_string(c.essai);
        QCOMPARE(rapport->questions, std::vector<std::string>(c.question ? 1 : 0, question));
        QCOMPARE(Caracts[c.essai].Dernier(), c.dernier);
        QCOMPARE(int(EtudeEnregistree), c.enregistree);
    }

    // A new view through the dialog, its modification from the menu and from
    // the frame's button, its deletion asked (No keeps it).
    void viewsThroughTheDialog() {
        TNouvelCaract dialogue;
        Ouvrir(1);
        QVERIFY(!F().Modificationdunecaracteristique1->menuAction()->isEnabled());
        Pendant(dialogue, [&] {
            QVERIFY(dialogue.Mode == 0 && dialogue.NumeroVue == 1);
            dialogue.ItemsY[1]->click();
            dialogue.ItemsX[0]->click();
            dialogue.BtnOK->click();
        });
        F().Nouvellecaracteristique1->trigger();
        QCOMPARE(NbVuesGraphe(), 1);
        QVERIFY(F().ButtonCar[0]->isVisible() && F().CaractMachine[0]->isVisible());
        QVERIFY(F().Modificationdunecaracteristique1->menuAction()->isEnabled());
        int ouvertures = 0;
        const auto modifier = [&] {
            Pendant(dialogue, [&] {
                ouvertures += dialogue.Mode == 1 && dialogue.NumeroVue == 1;
                dialogue.BitBtn2->click();
            });
        };
        modifier();
        emit F().Edition1->aboutToShow();
        F().MCar[0]->trigger();
        modifier();
        QTest::mouseClick(F().CaractMachine[0]->ButtonCaract, Qt::LeftButton);
        QCOMPARE(ouvertures, 2);
        QCOMPARE(NbVuesGraphe(), 1);
        for (ReponseQuestion r : {ReponseQuestion::Non, ReponseQuestion::Oui}) {
            rapport->reponses = {r};
            emit F().Edition1->aboutToShow();
            F().SCar[0]->trigger();
        }
        QCOMPARE(rapport->questions,
                 std::vector<std::string>(2, "Voulez-vous supprimer la caractéristique :"));
        QCOMPARE(NbVuesGraphe(), 0);
        QVERIFY(!F().ButtonCar[0]->isVisible() && F().Nouvellecaracteristique1->isEnabled());
    }

    // ---- sorting ----

    void sortingFromTheMenu_data() {
        QTest::addColumn<bool>("tous");
        QTest::addColumn<int>("type2");  // type of trial 2
        QTest::addColumn<int>("mot15");  // word 15 of trial 2 afterwards
        QTest::newRow("selected trial") << false << 1 << 0;
        QTest::newRow("all trials") << true << 1 << int(GRendement);
        QTest::newRow("all skips a time capture") << true << 10 << 0;
    }
    void sortingFromTheMenu() {
        QFETCH(bool, tous);
        QFETCH(int, type2);
        QFETCH(int, mot15);
        TFormTrierPoints dialogue;
        Essais(2);
        Caracts[2].Entete[MotTypeCaract] = type2;
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[0], Qt::LeftButton);
        Pendant(dialogue, [&] {
            // Efficiency comes after the excitation current, which an
            // asynchronous machine lacks: item and quantity differ.
            const int item = int(dialogue.GrandeursListees.indexOf(GRendement));
            QVERIFY(item >= 0 && item != GRendement);
            dialogue.ItemsSelect[item]->click();
            dialogue.ItemsOrdre[1]->click();
            dialogue.BitBtnOK->click();
        });
        (tous ? F().detouteslescourbes1 : F().delacourbeselectionne1)->trigger();
        QCOMPARE(Caracts[1].Entete[MotGrandeurTri], int(GRendement));
        QCOMPARE(Caracts[1].Entete[MotOrdreTri], 1);
        QCOMPARE(Caracts[2].Entete[MotGrandeurTri], mot15);
        QVERIFY(Caracts[1].Point(GRendement, 0) > Caracts[1].Point(GRendement, 9));
    }

    // Opening the menu enables the sort item for the types up to 8 and 15,
    // disables it for the time captures (9 to 14, 16), leaves it otherwise.
    void sortItemFollowsTheType() {
        Ouvrir(1);
        const std::tuple<int, bool, bool> cas[] = {{8, false, true},  {9, true, false},
                                                   {15, false, true}, {16, true, false},
                                                   {17, true, true},  {18, false, false}};
        for (const auto& [type, avant, apres] : cas) {
            Caracts[1].Entete[MotTypeCaract] = type;
            F().Action();
            F().delacourbeselectionne1->setEnabled(avant);
            emit F().Configuration1->aboutToShow();
            QVERIFY2(F().delacourbeselectionne1->isEnabled() == apres,
                     qPrintable(QString::number(type)));
        }
    }

    // ---- the file menu, the other commands ----

    // The exports and the picture copy reach their drawings: a PDF of the
    // report, the values for a spreadsheet, the views as SVG; the colours,
    // the about box.
    void fileMenuAndOtherCommands() {
        essai::DossierTemporaire dossier;
        Ouvrir(4, false, {1, 3});
        QStringList demandes;
        const ChoixExport avant =
            DefinirChoixExport([&](const QString&, const QString& ext, QString& nom) {
                demandes << ext;
                nom = QString::fromStdString(dossier / ("essai." + ext.toStdString()));
                return true;
            });
        F().ExporterPdf1->trigger();
        F().ExporterValeurs1->trigger();
        DefinirChoixExport(avant);
        QCOMPARE(demandes, (QStringList{"pdf", "csv"}));
        QVERIFY(essai::Contenu(dossier / "essai.pdf").rfind("%PDF", 0) == 0);
        QVERIFY(essai::Contenu(dossier / "essai.csv").find("Essai") != std::string::npos);
        F().Copierlescaractristiques1->trigger();
        const QMimeData* m = QGuiApplication::clipboard()->mimeData();
        QVERIFY(m != nullptr && m->hasFormat(QStringLiteral("image/svg+xml")) && m->hasImage());
        QVERIFY(rapport->messages.empty());
        // Values of all trials (only 2 and 4 hold points, "N°" as Unicode),
        // then of the selected trial 4 alone.
        F().Copierlesvaleurs1->trigger();
        QString texte = QGuiApplication::clipboard()->text();
        QVERIFY(texte.startsWith(QStringLiteral("Essai 2\t\r\nN°\tn\tTu")) &&
                texte.contains("\r\nEssai 4\t") && !texte.contains("Essai 3"));
        QTest::mouseClick(F().Buttoncourbe[3], Qt::LeftButton);
        F().Copierlesvaleurs2->trigger();
        texte = QGuiApplication::clipboard()->text();
        QVERIFY(texte.startsWith(QStringLiteral("N°\tn\tTu")) && !texte.contains("Essai"));
        for (int couleurs : {7, 0}) {
            F().CouleurGraphe[couleurs]->trigger();
            QCOMPARE(int(ConfigGenerale.Couleurs), couleurs);
        }
        TAboutBox apropos;
        bool ouvert = false;
        Pendant(apropos, [&] {
            ouvert = apropos.isVisible();
            apropos.reject();
        });
        F().Apropos1->trigger();
        QVERIFY(ouvert);
    }

    // Sample studies opened through the window show their views and trials,
    // and saving them from the window writes the same bytes: the empty study,
    // one view of one trial, four views of three trials, and four views of
    // five full trials (2001 points each).
    void savedFromTheWindowReadsBackTheSame_data() {
        QTest::addColumn<int>("vues");
        QTest::addColumn<int>("essais");
        QTest::addColumn<bool>("pleins");
        QTest::newRow("empty study") << 0 << 0 << false;
        QTest::newRow("one view, one trial") << 1 << 1 << false;
        QTest::newRow("four views, three trials") << 4 << 3 << false;
        QTest::newRow("four views, five full trials") << 4 << 5 << true;
    }
    void savedFromTheWindowReadsBackTheSame() {
        QFETCH(int, vues);
        QFETCH(int, essais);
        QFETCH(bool, pleins);
        essai::DossierTemporaire dossier;
        TFormCom com;
        QStringList reponses;
        TFormCom::DefinirChoixFichier([&](bool, QString& nom) {
            if (reponses.isEmpty()) return false;
            nom = reponses.takeFirst();
            return true;
        });
        if (vues == 4) VuesQuatre();
        if (vues == 1) Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        Essais(essais);
        for (int k = 1; pleins && k <= essais; ++k) {
            CaractCourante = k;
            for (int p = Caracts[k].Entete[MotDernierPoint] + 1; p < NbPointsMax; ++p) {
                ValeursCourantes[GVitesse] = p % 1500;
                ValeursCourantes[GCouple] = 2000 - p;
                AjouterPoint();
            }
        }
        Etude.Titre.Ecrire("Etude sauvee");
        const QString premier = QString::fromStdString(dossier / "premier.OVX2");
        const QString second = QString::fromStdString(dossier / "second.OVX2");
        QVERIFY(EnregistrerEtude(premier.toStdString()));
        InitEtude();
        Montrer();
        reponses = {premier};
        F().Ouvrir->trigger();
        QCOMPARE(Etude.NbCaract, essais);
        QCOMPARE(F().EditTitre->text(), QStringLiteral("Etude sauvee"));
        for (int k = 0; k < 5; ++k) QCOMPARE(F().Buttoncourbe[k]->isVisible(), k < essais);
        for (int k = 0; k < 4; ++k) QCOMPARE(F().ButtonCar[k]->isVisible(), k < vues);
        reponses = {second};
        F().Enregistrersous1->trigger();
        QCOMPARE(int(EtudeEnregistree), 1);
        const std::string a = essai::Contenu(premier.toStdString());
        QVERIFY(!a.empty());
        QVERIFY(a == essai::Contenu(second.toStdString()));
    }

    // A save that fails keeps the study on screen: new work does not go on.
    void failedSaveKeepsTheStudy() {
        TFormCom com;
        TFormCom::DefinirChoixFichier([](bool, QString& nom) {
            nom = QStringLiteral("/nonexistent-folder/etude.OVX2");
            return true;
        });
        Ouvrir(2);
        EtudeEnregistree = 0;
        rapport->reponses = {ReponseQuestion::Oui};
        F().Nouveautravail1->trigger();
        QCOMPARE(Etude.NbCaract, 2);
        QCOMPARE(int(EtudeEnregistree), 0);
        QVERIFY(!rapport->messages.empty());
    }

    // ---- acquisitions ----

    // Each law shows its acquisition group; the group's panel replaces the
    // trials while its button is down; closing the window ends it and shows
    // the main menu.
    void acquisitionGroups_data() {
        QTest::addColumn<QList<int>>("c");  // type, group (1 machine, 2 static, 3 dynamic), sweep
        QTest::newRow("T = K") << QList<int>{1, 1, 1};
        QTest::newRow("n = K has no sweep") << QList<int>{3, 1, 0};
        QTest::newRow("coupling has no sweep") << QList<int>{5, 1, 0};
        QTest::newRow("static") << QList<int>{7, 2, 0};
        QTest::newRow("dynamic") << QList<int>{14, 3, 0};
    }
    void acquisitionGroups() {
        QFETCH(QList<int>, c);
        const int groupe = c[1];
        QWidget menu;
        FormMachine2 = &menu;
        BancEnLigne banc;
        Essais(1);
        Caracts[1].Entete[MotTypeCaract] = c[0];
        Montrer();
        QCOMPARE(F().PanelAcquisitionCarMachine->isVisible(), groupe == 1);
        QCOMPARE(F().PanelAcqusitionChargeStatique->isVisible(), groupe == 2);
        QCOMPARE(F().PanelAcqusitionChargeDynamique->isVisible(), groupe == 3);
        if (groupe == 1) QCOMPARE(F().ButtonAuto->isVisible(), bool(c[2]));
        QToolButton* bouton = QList<QToolButton*>{F().ButtonManu, F().ButtonChargeAuto,
                                                  F().ButtonChargeDynamique}[groupe - 1];
        QFrame* panneau = QList<QFrame*>{F().PanelAcquiManu, F().PanelChargeStatiqueAuto,
                                         F().PanelChargeDynamique}[groupe - 1];
        QTest::mouseClick(bouton, Qt::LeftButton);
        QVERIFY(panneau->isVisible() && !F().PanelANALYSE->isVisible());
        QCOMPARE(F().ButtonModifCharge->isEnabled(), groupe == 2);
        essai::Capturer(&F(), QStringLiteral("trace-acquisition-%1").arg(groupe));
        QTest::mouseClick(bouton, Qt::LeftButton);
        QVERIFY(!panneau->isVisible() && F().PanelANALYSE->isVisible());
        QTest::mouseClick(bouton, Qt::LeftButton);
        QTest::mouseClick(F().ButtonClose, Qt::LeftButton);
        QVERIFY(!F().isVisible() && menu.isVisible() && !bouton->isChecked());
        FormMachine2 = nullptr;
    }

    // Whatever replaces the study or may change the link stops a running
    // acquisition first; the settings window opens after it.
    void replacingTheStudyStopsTheAcquisition_data() {
        QTest::addColumn<int>("commande");
        QTest::newRow("new work") << 0;
        QTest::newRow("open") << 1;
        QTest::newRow("trial deletion") << 2;
        QTest::newRow("settings") << 3;
    }
    void replacingTheStudyStopsTheAcquisition() {
        QFETCH(int, commande);
        std::optional<TFormCom> com;  // the settings window, only where it is asked for
        if (commande == 3) com.emplace();
        Essais(2);
        Caracts[2].Entete[MotTypeCaract] = 7;
        Montrer();
        QTest::mouseClick(F().ButtonChargeManu, Qt::LeftButton);
        AcquisitionEnCours = 1;
        F().TimerManu->start(3600 * 1000);
        EtudeEnregistree = 1;
        rapport->reponses = {ReponseQuestion::Oui};
        bool ouvert = false;
        if (commande == 3)
            Pendant(*com, [&] {
                ouvert = com->isVisible();
                com->reject();
            });
        QList<QAction*>{F().Nouveautravail1, F().Ouvrir, F().Ncb[0],
                        F().Configurationmatrielle1}[commande]
            ->trigger();
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().TimerManu->isActive() && !F().ButtonChargeManu->isChecked());
        QCOMPARE(ouvert, commande == 3);
    }
};

QTEST_MAIN(TstTraceCaract)
#include "tst_tracecaract.moc"
