// The tracing window driven through its controls: the places of the views,
// the current range's caption, the value boxes and the keys, the menus'
// enabling rules, the language, and the study editing commands with their
// questions.
#include <QAction>
#include <QActionGroup>
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

Q_DECLARE_METATYPE(orvane::RectangleTrace)
// A gesture on the window, or a check of what it left.
using Geste = std::function<void(orvane::TFormTraceCaract&)>;
Q_DECLARE_METATYPE(Geste)

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
        if (vides.contains(k)) continue;
        for (int p = 0; p < 10; ++p) {
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
    BancEnLigne() : pause(DefinirPause([](int) {})) {
        sim::InstallerBancSimule(1, false);
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        com.emplace();
        com->Initialise();
    }
    ~BancEnLigne() {
        com.reset();
        DefinirPause(pause);
    }
    FonctionPause pause;
    std::optional<TFormCom> com;
};

RectangleTrace R(int l, int t, int w, int h) { return {l, t, w, h}; }

QStringList Textes_(TFormTraceCaract* f) {
    // Every caption and hint the language sets, in a fixed order.
    QStringList t;
    t << f->windowTitle();
    for (QMenu* m : f->menuBar()->findChildren<QMenu*>()) {
        t << m->title();
        for (QAction* a : m->actions()) t << a->text();
    }
    for (QAbstractButton* b : f->findChildren<QAbstractButton*>()) t << b->text();
    for (QLabel* l : f->findChildren<QLabel*>()) t << l->text();
    for (QWidget* w : f->findChildren<QWidget*>()) t << w->toolTip();
    return t;
}

}  // namespace

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
    }

    // -- places of the views --

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

    // -- captions --

    void currentRangeCaption_data() {
        QTest::addColumn<int>("mot");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("20 A") << 0 << "Courant:I (20A)";
        QTest::newRow("2 A") << 1 << "Courant:I (2A)";
        QTest::newRow("another word leaves it") << 7 << "avant";
    }
    void currentRangeCaption() {
        QFETCH(int, mot);
        QFETCH(QString, attendu);
        Essais(2);
        Caracts[2].Entete[MotCalibre] = mot;
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[0], Qt::LeftButton);
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Courant:I (20A)"));
        F().StaticTextCourant->setText(QStringLiteral("avant"));
        QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
        QCOMPARE(CaractCourante, 2);
        QCOMPARE(F().StaticTextCourant->text(), attendu);
    }

    // -- value boxes and keys --

    // Escape outside an acquisition clears the value boxes; during one it
    // stops it and gives the menus back.
    void escapeKey_data() {
        QTest::addColumn<bool>("acquisition");
        QTest::newRow("outside an acquisition") << false;
        QTest::newRow("during an acquisition") << true;
    }
    void escapeKey() {
        QFETCH(bool, acquisition);
        Ouvrir(1);
        ValeursCourantes = {3, 1500, 1234, 0, 2300, 4000, 0, 0, 0, 0, 0, 0};
        F().curseur();
        QCOMPARE(F().TextCouple->text(), QStringLiteral("12,34 Nm"));
        if (acquisition) {
            QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
            AcquisitionEnCours = 1;
            F().resetMenu();
            QVERIFY(!F().Fichier1->menuAction()->isEnabled());
        }
        QWidget* focus = acquisition ? static_cast<QWidget*>(F().ScrollBarK) : F().EditTitre;
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        QCOMPARE(AcquisitionEnCours, 0);
        if (acquisition) {
            QVERIFY(!F().ButtonManu->isChecked() && !F().PanelAcquiManu->isVisible());
            QVERIFY(F().PanelANALYSE->isVisible() && F().Fichier1->menuAction()->isEnabled());
            return;
        }
        QCOMPARE(ValeursCourantes[0], -1);
        for (QLabel* l : {F().TextVitesse, F().TextCouple, F().TextCourant, F().TextTemps})
            QCOMPARE(l->text(), QStringLiteral("----"));
        // Outside an acquisition a space is a character of the title.
        const QString titre = F().EditTitre->text();
        QTest::keyClick(F().EditTitre, Qt::Key_Space);
        QCOMPARE(F().EditTitre->text(), titre + QLatin1Char(' '));
    }

    void boxesFollowTheMachine_data() {
        QTest::addColumn<int>("machine");
        QTest::addColumn<bool>("iexc");
        QTest::addColumn<bool>("fp");
        QTest::newRow("0") << 0 << true << true;
        QTest::newRow("1 DC independent") << 1 << true << false;
        QTest::newRow("2 DC series") << 2 << false << false;
        QTest::newRow("3 asynchronous") << 3 << false << true;
        QTest::newRow("4 synchronous") << 4 << true << true;
        QTest::newRow("5 drive DC") << 5 << false << false;
        QTest::newRow("6 drive 3-phase") << 6 << false << true;
        QTest::newRow("7 drive 1-phase") << 7 << false << true;
    }
    void boxesFollowTheMachine() {
        QFETCH(int, machine);
        QFETCH(bool, iexc);
        QFETCH(bool, fp);
        Essais(2);
        Caracts[2].Entete[MotTypeMachine] = machine;
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
        F().Action();
        QCOMPARE(F().Paneliexc->isVisible(), iexc);
        QCOMPARE(F().PanelFp->isVisible(), fp);
        // "Affich." up hides the whole column.
        QTest::mouseClick(F().ButtonAffichage, Qt::LeftButton);
        QVERIFY(!F().PanelAffichageValeur->isVisible());
    }

    // -- menu enabling --

    void editMenuEnabling_data() {
        QTest::addColumn<int>("essais");
        QTest::addColumn<QList<int>>("vides");
        QTest::addColumn<bool>("nouvel");
        QTest::addColumn<bool>("suppression");
        QTest::addColumn<bool>("fichier");  // save, new work, print
        QTest::newRow("single trial") << 1 << QList<int>{} << true << false << true;
        QTest::newRow("last trial empty") << 2 << QList<int>{2} << false << true << true;
        QTest::newRow("no trial") << 0 << QList<int>{} << false << false << false;
        QTest::newRow("five trials") << 5 << QList<int>{} << false << true << true;
        QTest::newRow("record 1 empty") << 2 << QList<int>{1} << true << true << false;
    }
    void editMenuEnabling() {
        QFETCH(int, essais);
        QFETCH(QList<int>, vides);
        QFETCH(bool, nouvel);
        QFETCH(bool, suppression);
        QFETCH(bool, fichier);
        VuesQuatre();
        Etude.Vues[2].Presente = 0;
        Ouvrir(essais, false, vides);
        emit F().Edition1->aboutToShow();
        QCOMPARE(F().Nouvellecourbe1->isEnabled(), nouvel);
        QCOMPARE(F().Suppressioncourbe1->menuAction()->isEnabled(), suppression);
        for (int k = 0; k < 5; ++k) QCOMPARE(F().Ncb[k]->isVisible(), k < essais);
        for (int k = 0; k < 4; ++k) QCOMPARE(F().MCar[k]->isVisible(), k != 2);
        emit F().Fichier1->aboutToShow();
        for (QAction* a : {F().Enregistrer1, F().Nouveautravail1, F().Imprimer1})
            QCOMPARE(a->isEnabled(), fichier);
        QVERIFY(F().Ouvrir->isEnabled() && F().Enregistrersous1->isEnabled());
    }

    // -- language --

    // English then French gives every French caption back; the run-time
    // texts follow; names are cut to 20 letters, never inside a letter.
    void englishThenFrenchRestoresEveryCaption() {
        Ouvrir(5, true);
        const QStringList francais = Textes_(&F());
        ChoixLangue(LangueAnglais);
        F().Langue();
        QVERIFY(Textes_(&F()) != francais);
        QCOMPARE(F().StaticTextCourbes->text(), QStringLiteral("Test"));
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Current:I (20A)"));
        QVERIFY(F().windowTitle().endsWith(QString::fromUtf8(TexteAnglais.TitreCharge[1])));
        ChoixLangue(LangueEspagnol);
        F().Langue();
        QCOMPARE(F().StaticTextVitesse->text(), QStringLiteral("Velocidad de rotació : n"));
        ChoixLangue(LangueFrancais);
        F().Langue();
        QCOMPARE(Textes_(&F()), francais);
        QCOMPARE(F().StaticTextCourbes->text(), QStringLiteral("Essai"));
    }

    // At 1280 x 800 (the screenshots) and at the smallest size, in each
    // language, every text of the bars fits its control.
    void textsWholeAndScreenshots_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<bool>("petite");
        QTest::addColumn<QString>("nom");
        QTest::newRow("fr") << int(LangueFrancais) << false << "trace-fr";
        QTest::newRow("en") << int(LangueAnglais) << false << "trace-en";
        QTest::newRow("es") << int(LangueEspagnol) << false << "trace-es";
        for (int l : {LangueFrancais, LangueAnglais, LangueEspagnol})
            QTest::addRow("800 x 600, %d", l) << l << true << QStringLiteral("trace-800-%1").arg(l);
    }
    void textsWholeAndScreenshots() {
        QFETCH(int, langue);
        QFETCH(bool, petite);
        QFETCH(QString, nom);
        ChoixLangue(langue);
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
        essai::Capturer(&F(), nom);
    }

    // -- mends --

    void setcourbeBeyondTheCountAppends() {
        Ouvrir(1);
        CaractCourante = 2;  // beyond the count, as after the last trial was deleted
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = 4;
        ReglagesCourants[MotTypeCaract] = 2;
        F().Setcourbe();
        QCOMPARE(Etude.NbCaract, 2);
        QCOMPARE(CaractCourante, 2);
        QCOMPARE(Caracts[2].Entete[MotTypeMachine], 4);
        QVERIFY(F().Buttoncourbe[1]->isVisible() && F().Buttoncourbe[1]->isChecked());
        // Inside the count a compatible trial takes the settings.
        ReglagesCourants[MotTypeCaract] = 3;
        F().Setcourbe();
        QCOMPARE(Etude.NbCaract, 2);
        QCOMPARE(Caracts[2].Entete[MotTypeCaract], 3);
    }

    void setcourbeWithFiveTrialsSaysSo() {
        Ouvrir(5);
        ReglagesCourants[MotTypeMachine] = 6;
        ReglagesCourants[MotTypeCaract] = 7;  // its points would not fit
        F().Setcourbe();
        QCOMPARE(Etude.NbCaract, 5);
        QCOMPARE(Caracts[5].Entete[MotTypeCaract], 1);
        QCOMPARE(ReglagesCourants[MotTypeCaract], 1);
        QCOMPARE(rapport->messages,
                 std::vector<std::string>{
                     "Cinq essais au plus : supprimez un essai pour en commencer un autre"});
    }

    void actionLeavesARunningCapture() {
        Ouvrir(1);
        F().ButtonChargeDynamique->setChecked(true);
        F().TimerOscillo->start(3600 * 1000);
        F().OscilloArme = true;
        F().OscilloDeclenche = true;
        QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        F().resize(1100, 700);
        QCoreApplication::processEvents();
        QVERIFY(F().OscilloArme && F().OscilloDeclenche);
        // Without a running capture the flags follow the button.
        F().TimerOscillo->stop();
        F().Action();
        QVERIFY(!F().OscilloArme && !F().OscilloDeclenche);
        F().ButtonStopManuClick();
        QVERIFY(F().OscilloArme && F().OscilloDeclenche && F().PanelANALYSE->isVisible());
    }

    // The states the program sets (title and comment read, a view hidden,
    // the smoothing) never mark the study; each change of the user does and
    // is kept.
    void userChangesMarkTheStudy_data() {
        QTest::addColumn<Geste>("geste");
        QTest::addColumn<Geste>("verifier");
        const auto taper = [](int boite, const QString& tape, const QString& garde) {
            return QList<Geste>{
                [=](TFormTraceCaract& f) {
                    if (boite > 0) QTest::mouseClick(f.Buttoncourbe[boite - 1], Qt::LeftButton);
                    EtudeEnregistree = 1;
                    QLineEdit* e = boite == 0 ? f.EditTitre : f.Editcourbe[boite - 1];
                    e->clear();
                    QCOMPARE(int(EtudeEnregistree), 1);
                    QTest::keyClicks(e, tape);
                },
                [=](TFormTraceCaract&) {
                    const std::string lu =
                        boite == 0 ? Etude.Titre.Lire() : Caracts[boite].Entete.Commentaire.Lire();
                    QCOMPARE(QString::fromStdString(DepuisCp1252(lu)), garde);
                }};
        };
        const auto ligne = [](const char* nom, const QList<Geste>& g) {
            QTest::newRow(nom) << g[0] << g[1];
        };
        ligne("title", taper(0, "Essai en charge", "Essai en charge"));
        ligne("title cut to 100", taper(0, QString(120, 'x'), QString(100, 'x')));
        ligne("comment of trial 2", taper(2, "U = 230 V", "U = 230 V"));
        ligne("comment cut to 20", taper(2, "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"));
        ligne("view shown",
              {[](TFormTraceCaract& f) { QTest::mouseClick(f.ButtonCar[1], Qt::LeftButton); },
               [](TFormTraceCaract&) { QCOMPARE(int(Etude.Vues[1].Affichee), 1); }});
        // "Sans interpolation" stores -1, the other items their number.
        for (const int item : {0, 2, 5}) {
            const int mode = item == 0 ? -1 : item;
            QTest::addRow("smoothing item %d", item)
                << Geste([item](TFormTraceCaract& f) { f.interpolation[item]->trigger(); })
                << Geste([=](TFormTraceCaract& f) {
                       QCOMPARE(Etude.Lissage, mode);
                       emit f.Configuration1->aboutToShow();
                       QVERIFY(f.interpolation[item]->isChecked());
                   });
        }
        ligne("current range from its caption",
              {[](TFormTraceCaract& f) {
                   TFormCalibreCourant dialogue;
                   QTimer::singleShot(0, &dialogue, [&] {
                       dialogue.ButtonCalibre2A->click();
                       dialogue.BitBtn1->click();
                   });
                   QTest::mouseClick(f.StaticTextCourant, Qt::LeftButton);
               },
               [](TFormTraceCaract& f) {
                   QCOMPARE(Caracts[CaractCourante].Entete[MotCalibre], 1);
                   QCOMPARE(f.StaticTextCourant->text(), QStringLiteral("Courant:I (2A)"));
               }});
    }
    void userChangesMarkTheStudy() {
        QFETCH(Geste, geste);
        QFETCH(Geste, verifier);
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
        geste(F());
        QCOMPARE(int(EtudeEnregistree), 0);
        verifier(F());
    }

    void pointDeletionOnlyForAStoredPoint_data() {
        QTest::addColumn<int>("point");
        QTest::addColumn<bool>("acquisition");
        QTest::addColumn<bool>("supprimable");
        QTest::newRow("stored point") << 4 << false << true;
        QTest::newRow("no selection") << -1 << false << false;
        QTest::newRow("live reading") << 4 << true << false;
    }
    void pointDeletionOnlyForAStoredPoint() {
        QFETCH(int, point);
        QFETCH(bool, acquisition);
        QFETCH(bool, supprimable);
        Ouvrir(1, true);
        SelectionnerPoint(point);
        AcquisitionEnCours = acquisition ? 1 : 0;
        if (acquisition) ValeursCourantes[0] = 9;  // a live reading
        TCaractMachine* c = F().CaractMachine[0];
        c->PopupMenu1Popup();
        emit c->PopupMenu1->aboutToShow();
        QCOMPARE(c->Suppressiondupoint1->isEnabled(), supprimable);
        c->Suppressiondupoint1->trigger();
        QCOMPARE(Caracts[1].Dernier(), supprimable ? 8 : 9);
    }

    void trialDeletionKeepsARealTrial_data() {
        QTest::addColumn<int>("essais");
        QTest::addColumn<int>("courante");
        QTest::addColumn<int>("supprime");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<int>("nombre");
        QTest::addColumn<int>("ensuite");
        QTest::newRow("the last, current") << 3 << 3 << 3 << int(ReponseQuestion::Oui) << 2 << 2;
        QTest::newRow("before the current") << 3 << 3 << 1 << int(ReponseQuestion::Oui) << 2 << 2;
        QTest::newRow("after the current") << 3 << 1 << 2 << int(ReponseQuestion::Oui) << 2 << 1;
        QTest::newRow("No keeps it") << 3 << 3 << 3 << int(ReponseQuestion::Non) << 3 << 3;
        QTest::newRow("the only one, from its pop-up")
            << 1 << 1 << 1 << int(ReponseQuestion::Oui) << 0 << 1;
    }
    void trialDeletionKeepsARealTrial() {
        QFETCH(int, essais);
        QFETCH(int, courante);
        QFETCH(int, supprime);
        QFETCH(int, reponse);
        QFETCH(int, nombre);
        QFETCH(int, ensuite);
        Ouvrir(essais);
        QTest::mouseClick(F().Buttoncourbe[courante - 1], Qt::LeftButton);
        rapport->reponses = {ReponseQuestion(reponse)};
        emit F().Edition1->aboutToShow();
        (nombre ? F().Ncb[supprime - 1] : F().MenuItem[0][1])->trigger();
        QCOMPARE(Etude.NbCaract, nombre);
        QCOMPARE(CaractCourante, ensuite);
        if (nombre == 0) {
            // No trial, no acquisition group.
            QVERIFY(!F().PanelAcquisitionCarMachine->isVisible());
            QVERIFY(!F().Buttoncourbe[0]->isVisible());
            return;
        }
        QCOMPARE(rapport->questions, std::vector<std::string>{"Voulez-vous supprimer l'essai " +
                                                              std::to_string(supprime)});
        QVERIFY(F().Buttoncourbe[ensuite - 1]->isChecked());
    }

    void pointsDeletion_data() {
        QTest::addColumn<bool>("popup");  // the trial's pop-up, else the frames' command
        QTest::addColumn<int>("essai");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("dernier");
        QTest::newRow("popup, Yes") << true << 2 << int(ReponseQuestion::Oui) << 1 << -1;
        QTest::newRow("popup, No") << true << 2 << int(ReponseQuestion::Non) << 1 << 9;
        QTest::newRow("popup, empty trial asks nothing")
            << true << 3 << int(ReponseQuestion::Oui) << 0 << -1;
        QTest::newRow("frames, empty trial still asks")
            << false << 3 << int(ReponseQuestion::Oui) << 1 << -1;
    }
    void pointsDeletion() {
        QFETCH(bool, popup);
        QFETCH(int, essai);
        QFETCH(int, reponse);
        QFETCH(int, questions);
        QFETCH(int, dernier);
        Ouvrir(3, false, {3});
        EtudeEnregistree = 1;
        rapport->reponses = {ReponseQuestion(reponse)};
        if (popup) {
            F().MenuItem[essai - 1][0]->trigger();
        } else {
            QTest::mouseClick(F().Buttoncourbe[essai - 1], Qt::LeftButton);
            F().CaractMachine[0]->Suppressiondetouslespoints1->trigger();
        }
        QCOMPARE(int(rapport->questions.size()), questions);
        if (questions)
            QCOMPARE(rapport->questions[0],
                     "Voulez-vous supprimer tous les points de l'essai " + std::to_string(essai));
        QCOMPARE(Caracts[essai].Dernier(), dernier);
        QCOMPARE(int(EtudeEnregistree), int(dernier == 9 || questions == 0));
    }

    // A new view through the dialog, its modification from the menu and from
    // the frame's button, its deletion asked (No keeps it).
    void viewsThroughTheDialog() {
        TNouvelCaract dialogue;
        Ouvrir(1);
        QVERIFY(!F().Modificationdunecaracteristique1->menuAction()->isEnabled());
        QTimer::singleShot(0, &dialogue, [&] {
            QCOMPARE(dialogue.Mode, 0);
            QCOMPARE(dialogue.NumeroVue, 1);
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
            QTimer::singleShot(0, &dialogue, [&] {
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
        QTimer::singleShot(0, &dialogue, [&] {
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
        // Descending efficiency.
        QVERIFY(Caracts[1].Point(GRendement, 0) > Caracts[1].Point(GRendement, 9));
    }

    void graphColours() {
        Ouvrir(1, true);
        F().CouleurGraphe[7]->trigger();
        QCOMPARE(int(ConfigGenerale.Couleurs), 7);
        F().CouleurGraphe[0]->trigger();
        QCOMPARE(int(ConfigGenerale.Couleurs), 0);
    }

    // The file menu's exports and the picture copy reach their drawings: a
    // PDF of the report, the values for a spreadsheet, the views as SVG.
    void exportsFromTheMenu() {
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
    }

    void sortItemFollowsTheType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("avant");
        QTest::addColumn<bool>("apres");
        QTest::newRow("8") << 8 << false << true;
        QTest::newRow("9 time capture") << 9 << true << false;
        QTest::newRow("15") << 15 << false << true;
        QTest::newRow("16") << 16 << true << false;
        QTest::newRow("17 unchanged") << 17 << true << true;
        QTest::newRow("18 unchanged") << 18 << false << false;
    }
    void sortItemFollowsTheType() {
        QFETCH(int, type);
        QFETCH(bool, avant);
        QFETCH(bool, apres);
        Essais(1);
        Caracts[1].Entete[MotTypeCaract] = type;
        Montrer();
        F().delacourbeselectionne1->setEnabled(avant);
        emit F().Configuration1->aboutToShow();
        QCOMPARE(F().delacourbeselectionne1->isEnabled(), apres);
    }

    void acquisitionGroups_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("groupe");  // 1 machine, 2 static, 3 dynamic
        QTest::addColumn<bool>("auto_");
        QTest::newRow("T = K") << 1 << 1 << true;
        QTest::newRow("n = K has no sweep") << 3 << 1 << false;
        QTest::newRow("coupling has no sweep") << 5 << 1 << false;
        QTest::newRow("static") << 7 << 2 << false;
        QTest::newRow("dynamic") << 14 << 3 << false;
    }
    void acquisitionGroups() {
        QFETCH(int, type);
        QFETCH(int, groupe);
        QFETCH(bool, auto_);
        // Acquisitions start only on an open link: the simulated bench.
        std::optional<BancEnLigne> banc;
        banc.emplace();
        Essais(1);
        Caracts[1].Entete[MotTypeCaract] = type;
        Montrer();
        QCOMPARE(F().PanelAcquisitionCarMachine->isVisible(), groupe == 1);
        QCOMPARE(F().PanelAcqusitionChargeStatique->isVisible(), groupe == 2);
        QCOMPARE(F().PanelAcqusitionChargeDynamique->isVisible(), groupe == 3);
        if (groupe == 1) QCOMPARE(F().ButtonAuto->isVisible(), auto_);
        // Its acquisition panel replaces the trials while its button is down.
        QToolButton* bouton = groupe == 1   ? F().ButtonManu
                              : groupe == 2 ? F().ButtonChargeAuto
                                            : F().ButtonChargeDynamique;
        QFrame* panneau = groupe == 1   ? F().PanelAcquiManu
                          : groupe == 2 ? F().PanelChargeStatiqueAuto
                                        : F().PanelChargeDynamique;
        QTest::mouseClick(bouton, Qt::LeftButton);
        QVERIFY(panneau->isVisible() && !F().PanelANALYSE->isVisible());
        QCOMPARE(F().ButtonModifCharge->isEnabled(), groupe == 2);
        essai::Capturer(&F(), QStringLiteral("trace-acquisition-%1").arg(groupe));
        QTest::mouseClick(bouton, Qt::LeftButton);
        QVERIFY(!panneau->isVisible() && F().PanelANALYSE->isVisible());
        F().ArreterAcquisition();
    }

    void newTrialFromTheMenuAndTheFrames() {
        Ouvrir(1, true);
        emit F().Edition1->aboutToShow();
        F().Nouvellecourbe1->trigger();
        QCOMPARE(Etude.NbCaract, 2);
        QVERIFY(F().Buttoncourbe[1]->isVisible() && F().Buttoncourbe[1]->isChecked());
        F().CaractMachine[0]->Nouvelessai1->trigger();
        QCOMPARE(Etude.NbCaract, 3);
        QCOMPARE(CaractCourante, 3);
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
        TFormCom::DefinirChoixFichier({});
    }

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
        TFormCom::DefinirChoixFichier({});
    }

    // Whatever replaces the study or may change the link stops a running
    // acquisition first; the settings window opens after it.
    void replacingTheStudyStopsTheAcquisition_data() {
        QTest::addColumn<int>("commande");  // 0 new work, 1 open, 2 trial deletion, 3 settings
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
        if (commande == 0) F().Nouveautravail1->trigger();
        if (commande == 1) F().Ouvrir->trigger();
        if (commande == 2) F().Ncb[0]->trigger();
        bool ouvert = false;
        if (commande == 3) {
            QTimer::singleShot(0, &*com, [&] {
                ouvert = com->isVisible();
                com->reject();
            });
            F().Configurationmatrielle1->trigger();
        }
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().TimerManu->isActive() && !F().ButtonChargeManu->isChecked());
        QCOMPARE(ouvert, commande == 3);
    }

    void aboutBoxFromTheMenu() {
        TAboutBox apropos;
        Ouvrir(1);
        bool ouvert = false;
        QTimer::singleShot(0, &apropos, [&] {
            ouvert = apropos.isVisible();
            apropos.reject();
        });
        F().Apropos1->trigger();
        QVERIFY(ouvert);
    }

    void closingShowsTheMainMenu() {
        QWidget menu;
        FormMachine2 = &menu;
        BancEnLigne banc;
        Essais(1);
        F().Montrer();
        QVERIFY(F().windowState() & Qt::WindowMaximized);
        F().ButtonManu->click();
        QVERIFY(F().PanelAcquiManu->isVisible() && !F().PanelANALYSE->isVisible());
        QTest::mouseClick(F().ButtonClose, Qt::LeftButton);
        QVERIFY(!F().isVisible());
        QVERIFY(menu.isVisible());
        QVERIFY(!F().ButtonManu->isChecked());
        FormMachine2 = nullptr;
    }
};

QTEST_MAIN(TstTraceCaract)
#include "tst_tracecaract.moc"
