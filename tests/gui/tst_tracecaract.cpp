// The tracing window driven through its controls: the places of the views,
// the captions of the current range and of the trials, the value boxes and
// the keys, the menus' enabling rules, the language, and the study editing
// commands with their questions.
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
#include <memory>

#include "Captures.h"
#include "OutilsEssai.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Aide.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/FormCom.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/TrierPoints.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

Q_DECLARE_METATYPE(orvane::RectangleTrace)

namespace {

// View slots: Tu(n), Pm(n), I(n), Rd(n).
void VuesQuatre() {
    const int32_t y[4] = {GCouple, GPuissanceMeca, GCourant, GRendement};
    for (int k = 0; k < NbVues; ++k)
        Etude.Vues[k] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, y[k], 18, {0, 0}, 1};
}

// A study of `essais` trials of machine type `machine`, the trials listed in
// `vides` holding no point, the others ten points each.
void Essais(int essais, int machine = 3, const QList<int>& vides = {}) {
    for (int k = 1; k <= essais; ++k) {
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = machine;
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

RectangleTrace R(int l, int t, int w, int h) { return {l, t, w, h}; }

QStringList Textes_(TFormTraceCaract* f) {
    // Every caption and hint the language sets, in a fixed order.
    QStringList t;
    t << f->windowTitle();
    for (QMenu* m : f->menuBar()->findChildren<QMenu*>()) {
        t << m->title();
        for (QAction* a : m->actions()) t << a->text();
    }
    for (QAbstractButton* b : f->findChildren<QAbstractButton*>()) t << b->text() << b->toolTip();
    for (QLabel* l : f->findChildren<QLabel*>()) t << l->text() << l->toolTip();
    for (QLineEdit* e : f->findChildren<QLineEdit*>()) t << e->toolTip();
    for (QWidget* w : f->findChildren<QWidget*>()) t << w->toolTip();
    return t;
}

}  // namespace

class TstTraceCaract : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormTraceCaract> fenetre;
    std::unique_ptr<essai::RapportEnregistre> rapport;

    TFormTraceCaract& F() { return *fenetre; }
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
        VuesQuatre();
        Essais(1);
        Montrer();
        for (int k = 1; k <= 4; ++k)
            if (!montrees.contains(k)) QTest::mouseClick(F().ButtonCar[k - 1], Qt::LeftButton);
        QCOMPARE(F().NbPanelTrace(), int(montrees.size()));
        const RectangleTrace temoin = R(-1, -1, -1, -1);
        F().RectTrace.fill(temoin);
        F().calculposition(7, 11, 801, 533);
        for (int j = 0; j < 4; ++j)
            QCOMPARE(F().RectTrace[j], j < attendu.size() ? attendu[j] : temoin);
        // The frames take the places of the area over the picture, in order.
        QCoreApplication::processEvents();
        const QRect zone = F().ImageFond->geometry();
        PlacesTrace places{};
        calculposition(places, int(montrees.size()), 0, zone.y(), zone.width(), zone.height());
        int j = 0;
        for (int k = 1; k <= 4; ++k) {
            TCaractMachine* c = F().CaractMachine[k - 1];
            QCOMPARE(c->isVisibleTo(&F()), montrees.contains(k));
            if (!montrees.contains(k)) continue;
            const RectangleTrace& r = places[j++];
            QCOMPARE(c->geometry(), QRect(r.Gauche, r.Haut, r.Largeur, r.Hauteur));
        }
        QVERIFY(zone.width() > 0 && zone.height() > 0);
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

    void trialCaptions() {
        Essais(3);
        Montrer();
        QCOMPARE(F().StaticTextCourbes->text(), QStringLiteral("Essai"));
        QCOMPARE(F().Buttoncourbe[2]->text(), QStringLiteral("Essai 3"));
        QVERIFY(F().Buttoncourbe[2]->isVisible() && !F().Buttoncourbe[3]->isVisible());
        QVERIFY(F().Editcourbe[2]->isVisible() && !F().Editcourbe[3]->isVisible());
        QCOMPARE(F().Editcourbe[0]->toolTip(), QStringLiteral("Commentaire de l'essai1"));
        QCOMPARE(F().windowTitle(),
                 QStringLiteral("Tracé des caractéristiques d'une machine :  Machine asynchrone "
                                "triphasée Charge mécanique : T = K"));
    }

    // -- value boxes and keys --

    void escapeClearsValueBoxes() {
        Essais(1);
        Montrer();
        ValeursCourantes = {3, 1500, 1234, 0, 2300, 4000, 0, 0, 0, 0, 0, 0};
        F().curseur();
        QCOMPARE(F().TextVitesse->text(), QStringLiteral("1500 tr/min"));
        QCOMPARE(F().TextCouple->text(), QStringLiteral("12,34 Nm"));
        F().EditTitre->setFocus();
        const QString titre = F().EditTitre->text();
        QTest::keyClick(F().EditTitre, Qt::Key_Escape);
        QCOMPARE(ValeursCourantes[0], -1);
        for (QLabel* l : {F().TextVitesse, F().TextCouple, F().TextCourant, F().TextTemps})
            QCOMPARE(l->text(), QStringLiteral("----"));
        // Outside an acquisition a space is a character of the title.
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
        Essais(2, 3);
        Caracts[2].Entete[MotTypeMachine] = machine;
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
        F().Action();
        QCOMPARE(F().Paneliexc->isVisible(), iexc);
        QCOMPARE(F().PanelFp->isVisible(), fp);
        QVERIFY(F().PanelVitesse->isVisible() && !F().PanelTemps->isVisible());
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
        Essais(essais, 3, vides);
        Montrer();
        emit F().Edition1->aboutToShow();
        QCOMPARE(F().Nouvellecourbe1->isEnabled(), nouvel);
        QCOMPARE(F().Suppressioncourbe1->menuAction()->isEnabled(), suppression);
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(F().Ncb[k]->isVisible(), k < essais);
            QCOMPARE(F().Ncb[k]->text(), QStringLiteral("Essai %1").arg(k + 1));
        }
        for (int k = 0; k < 4; ++k) QCOMPARE(F().MCar[k]->isVisible(), k != 2);
        QCOMPARE(F().MCar[1]->text(), QStringLiteral("Pm(n)"));
        QCOMPARE(F().SCar[3]->text(), QStringLiteral("Rd(n)"));
        emit F().Fichier1->aboutToShow();
        for (QAction* a : {F().Enregistrer1, F().Nouveautravail1, F().Imprimer1})
            QCOMPARE(a->isEnabled(), fichier);
        QVERIFY(F().Ouvrir->isEnabled() && F().Enregistrersous1->isEnabled());
    }

    void smoothingModes_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("mode");
        QTest::newRow("Sans interpolation") << 0 << -1;
        QTest::newRow("linear") << 1 << 1;
        QTest::newRow("cubic") << 2 << 2;
        QTest::newRow("filter 7") << 5 << 5;
    }
    void smoothingModes() {
        QFETCH(int, item);
        QFETCH(int, mode);
        Essais(1);
        Etude.Lissage = 3;
        EtudeEnregistree = 1;
        Montrer();
        F().interpolation[item]->trigger();
        QCOMPARE(Etude.Lissage, mode);
        QCOMPARE(int(EtudeEnregistree), 0);
        emit F().Configuration1->aboutToShow();
        QVERIFY(F().interpolation[item]->isChecked());
    }

    // -- language --

    void englishThenFrenchRestoresEveryCaption() {
        VuesQuatre();
        Essais(5);
        Montrer();
        const QStringList francais = Textes_(&F());
        ChoixLangue(LangueAnglais);
        F().Langue();
        const QStringList anglais = Textes_(&F());
        QCOMPARE(F().StaticTextCourbes->text(), QStringLiteral("Test"));
        QCOMPARE(F().Fichier1->title(), QStringLiteral("File"));
        QCOMPARE(F().StaticTextVitesse->text().isEmpty(), false);
        QVERIFY(anglais != francais);
        ChoixLangue(LangueFrancais);
        F().Langue();
        QCOMPARE(Textes_(&F()), francais);
        QCOMPARE(F().StaticTextCourbes->text(), QStringLiteral("Essai"));
        QCOMPARE(F().StaticTextVitesse->text(), QStringLiteral("Vitesse de rotation : n"));
        QCOMPARE(F().StaticTextCouple->text(), QStringLiteral("Couple utile : Tu"));
        QCOMPARE(F().interpolation[0]->text(), QStringLiteral("Sans interpolation"));
        // Names are cut to 20 letters, never inside a letter.
        ChoixLangue(LangueEspagnol);
        F().Langue();
        QCOMPARE(F().StaticTextVitesse->text(), QStringLiteral("Velocidad de rotació : n"));
        ChoixLangue(LangueFrancais);
        F().Langue();
        QCOMPARE(F().ButtonCar[1]->toolTip(), QStringLiteral("Affichage de la caractéristique 2"));
        QCOMPARE(F().MenuItem[2][0]->text(),
                 QStringLiteral("Suppression de tous les points de l'essai 3"));
        QCOMPARE(F().MenuItem[2][1]->text(), QStringLiteral("Suppression de l'essai 3"));
    }

    void screenshots_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("nom");
        QTest::newRow("fr") << int(LangueFrancais) << "trace-fr";
        QTest::newRow("en") << int(LangueAnglais) << "trace-en";
        QTest::newRow("es") << int(LangueEspagnol) << "trace-es";
    }
    void screenshots() {
        QFETCH(int, langue);
        QFETCH(QString, nom);
        ChoixLangue(langue);
        InitEtude();
        VuesQuatre();
        Etude.Titre.Ecrire(VersCp1252("Machine asynchrone 1,5 kW : essais en charge"));
        Essais(5);
        for (int k = 1; k <= 5; ++k)
            Caracts[k].Entete.Commentaire.Ecrire(
                VersCp1252(QStringLiteral("U = %1 V").arg(380 - 10 * k).toStdString()));
        QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[1], Qt::LeftButton);
        SelectionnerPoint(4);
        F().curseur();
        QCOMPARE(F().size(), QSize(1280, 800));
        // Every text of the bars fits its control.
        for (QAbstractButton* b : F().findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->text().isEmpty())
                QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= b->width(),
                         qPrintable(b->text()));
        essai::Capturer(&F(), nom);
    }

    void smallestWindowKeepsTextsWhole_data() {
        QTest::addColumn<int>("langue");
        QTest::newRow("fr") << int(LangueFrancais);
        QTest::newRow("en") << int(LangueAnglais);
        QTest::newRow("es") << int(LangueEspagnol);
    }
    void smallestWindowKeepsTextsWhole() {
        QFETCH(int, langue);
        ChoixLangue(langue);
        InitEtude();
        VuesQuatre();
        Essais(5);
        Montrer();
        F().resize(800, 600);
        QCoreApplication::processEvents();
        F().Action();
        for (QAbstractButton* b : F().findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->text().isEmpty())
                QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) <= b->width(),
                         qPrintable(b->text()));
        for (QLabel* l : {F().StaticTextCourbes, F().StaticTextCommentaire})
            QVERIFY(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width());
        // The fifth trial and its comment stay inside the window.
        QVERIFY(F().Buttoncourbe[4]->geometry().right() < F().ToolBar1->width());
        QVERIFY(F().Editcourbe[4]->geometry().right() < F().ToolBar2->width());
        essai::Capturer(&F(), QStringLiteral("trace-800-%1").arg(langue));
    }

    // -- mends --

    void setcourbeBeyondTheCountAppends() {
        Essais(1);
        Montrer();
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
        Essais(5);
        Montrer();
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
        Essais(1);
        Montrer();
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

    void programSetStatesAreNoUserChange() {
        VuesQuatre();
        Etude.Vues[1].Affichee = 0;
        Essais(2);
        Etude.Titre.Ecrire("Titre lu");
        Caracts[1].Entete.Commentaire.Ecrire("lu du fichier");
        EtudeEnregistree = 1;
        Montrer();
        QCOMPARE(F().EditTitre->text(), QStringLiteral("Titre lu"));
        QCOMPARE(F().Editcourbe[0]->text(), QStringLiteral("lu du fichier"));
        QVERIFY(!F().ButtonCar[1]->isChecked() && F().ButtonCar[0]->isChecked());
        QCOMPARE(int(EtudeEnregistree), 1);
        QCOMPARE(int(Etude.Vues[1].Affichee), 0);
        // The user's own changes are kept in the work file.
        QTest::mouseClick(F().ButtonCar[1], Qt::LeftButton);
        QCOMPARE(int(Etude.Vues[1].Affichee), 1);
        QCOMPARE(int(EtudeEnregistree), 0);
    }

    void userEditsMarkTheStudy_data() {
        QTest::addColumn<int>("boite");  // 0 the title, k the comment of trial k
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("garde");
        QTest::newRow("title") << 0 << "Essai en charge"
                               << "Essai en charge";
        QTest::newRow("title cut to 100") << 0 << QString(120, 'x') << QString(100, 'x');
        QTest::newRow("comment of trial 2") << 2 << "U = 230 V"
                                            << "U = 230 V";
        QTest::newRow("comment cut to 20") << 2 << "abcdefghijklmnopqrstuvwxyz"
                                           << "abcdefghijklmnopqrst";
    }
    void userEditsMarkTheStudy() {
        QFETCH(int, boite);
        QFETCH(QString, tape);
        QFETCH(QString, garde);
        Essais(2);
        QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        Montrer();
        if (boite > 0) QTest::mouseClick(F().Buttoncourbe[boite - 1], Qt::LeftButton);
        QVERIFY(!F().Editcourbe[0]->isEnabled() || boite != 2);
        EtudeEnregistree = 1;
        QLineEdit* e = boite == 0 ? F().EditTitre : F().Editcourbe[boite - 1];
        e->clear();
        QCOMPARE(int(EtudeEnregistree), 1);
        QTest::keyClicks(e, tape);
        QCOMPARE(int(EtudeEnregistree), 0);
        const std::string lu =
            boite == 0 ? Etude.Titre.Lire() : Caracts[boite].Entete.Commentaire.Lire();
        QCOMPARE(QString::fromStdString(DepuisCp1252(lu)), garde);
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
        VuesQuatre();
        Essais(1);
        Montrer();
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
    }
    void trialDeletionKeepsARealTrial() {
        QFETCH(int, essais);
        QFETCH(int, courante);
        QFETCH(int, supprime);
        QFETCH(int, reponse);
        QFETCH(int, nombre);
        QFETCH(int, ensuite);
        Essais(essais);
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[courante - 1], Qt::LeftButton);
        rapport->reponses = {ReponseQuestion(reponse)};
        emit F().Edition1->aboutToShow();
        F().Ncb[supprime - 1]->trigger();
        QCOMPARE(rapport->questions, std::vector<std::string>{"Voulez-vous supprimer l'essai " +
                                                              std::to_string(supprime)});
        QCOMPARE(Etude.NbCaract, nombre);
        QCOMPARE(CaractCourante, ensuite);
        QVERIFY(F().Buttoncourbe[ensuite - 1]->isChecked());
    }

    void lastTrialFromItsPopup() {
        Essais(1);
        Montrer();
        rapport->reponses = {ReponseQuestion::Oui};
        F().MenuItem[0][1]->trigger();
        QCOMPARE(Etude.NbCaract, 0);
        QCOMPARE(CaractCourante, 1);
        // No trial, no acquisition group.
        QVERIFY(!F().PanelAcquisitionCarMachine->isVisible());
        QVERIFY(!F().Buttoncourbe[0]->isVisible());
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
        QTest::newRow("frames, Yes") << false << 2 << int(ReponseQuestion::Oui) << 1 << -1;
    }
    void pointsDeletion() {
        QFETCH(bool, popup);
        QFETCH(int, essai);
        QFETCH(int, reponse);
        QFETCH(int, questions);
        QFETCH(int, dernier);
        Essais(3, 3, {3});
        Montrer();
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

    void viewDeletionAsks_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<int>("vues");
        QTest::newRow("Yes") << int(ReponseQuestion::Oui) << 3;
        QTest::newRow("No") << int(ReponseQuestion::Non) << 4;
    }
    void viewDeletionAsks() {
        QFETCH(int, reponse);
        QFETCH(int, vues);
        VuesQuatre();
        Essais(1);
        Montrer();
        rapport->reponses = {ReponseQuestion(reponse)};
        emit F().Edition1->aboutToShow();
        F().SCar[1]->trigger();
        QCOMPARE(rapport->questions,
                 std::vector<std::string>{"Voulez-vous supprimer la caractéristique :"});
        QCOMPARE(NbVuesGraphe(), vues);
        QCOMPARE(F().ButtonCar[3]->isVisible(), vues == 4);
        QCOMPARE(F().Nouvellecaracteristique1->isEnabled(), vues < 4);
    }

    void newViewThroughTheDialog() {
        TNouvelCaract dialogue;
        Essais(1);
        Montrer();
        QCOMPARE(NbVuesGraphe(), 0);
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
        QVERIFY(F().ButtonCar[0]->isVisible());
        QVERIFY(F().CaractMachine[0]->isVisible());
        QVERIFY(F().Modificationdunecaracteristique1->menuAction()->isEnabled());
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
        VuesQuatre();
        Essais(1);
        Montrer();
        F().CouleurGraphe[7]->trigger();
        QCOMPARE(int(ConfigGenerale.Couleurs), 7);
        F().CouleurGraphe[0]->trigger();
        QCOMPARE(int(ConfigGenerale.Couleurs), 0);
    }

    // The file menu's exports and the picture copy reach their drawings: a
    // PDF of the report, the values for a spreadsheet, the views as SVG.
    void exportsFromTheMenu() {
        essai::DossierTemporaire dossier;
        Essais(4, 3, {1, 3});
        Montrer();
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
    }

    void copyValues_data() {
        QTest::addColumn<bool>("selection");  // "de l'essai sélectionné"
        QTest::newRow("all trials") << false;
        QTest::newRow("selected trial") << true;
    }
    void copyValues() {
        QFETCH(bool, selection);
        Essais(4, 3, {1, 3});
        Montrer();
        QTest::mouseClick(F().Buttoncourbe[3], Qt::LeftButton);
        (selection ? F().Copierlesvaleurs2 : F().Copierlesvaleurs1)->trigger();
        const QString texte = QGuiApplication::clipboard()->text();
        // Unicode on the clipboard: "N°" pastes as "N°".
        QVERIFY(texte.contains(QStringLiteral("N°\tn\tTu")));
        QCOMPARE(texte.startsWith(QStringLiteral("Essai 2\t")), !selection);
        QCOMPARE(texte.contains(QStringLiteral("\r\nEssai 4\t")), !selection);
        QVERIFY(!texte.contains(QStringLiteral("Essai 1")) && !texte.contains("Essai 3"));
        QCOMPARE(int(texte.count(QStringLiteral("\r\n"))), selection ? 12 : 26);
    }

    void sortItemFollowsTheType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("avant");
        QTest::addColumn<bool>("apres");
        QTest::newRow("0") << 0 << false << true;
        QTest::newRow("5") << 5 << false << true;
        QTest::newRow("8") << 8 << false << true;
        QTest::newRow("15") << 15 << false << true;
        QTest::newRow("9 time capture") << 9 << true << false;
        QTest::newRow("14") << 14 << true << false;
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

    void escapeDuringAnAcquisitionStopsIt() {
        Essais(1);
        Montrer();
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        AcquisitionEnCours = 1;
        F().resetMenu();
        QVERIFY(F().PanelAcquiManu->isVisible() && !F().PanelANALYSE->isVisible());
        QVERIFY(!F().Fichier1->menuAction()->isEnabled());
        QTest::keyClick(F().ScrollBarK, Qt::Key_Escape);
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().ButtonManu->isChecked() && !F().PanelAcquiManu->isVisible());
        QVERIFY(F().PanelANALYSE->isVisible() && F().Fichier1->menuAction()->isEnabled());
    }

    void acquisitionGroups_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("groupe");  // 1 machine, 2 static, 3 dynamic
        QTest::addColumn<bool>("auto_");
        QTest::addColumn<QString>("titre");
        QTest::newRow("T = K") << 1 << 1 << true
                               << "Tracé des caractéristiques d'une machine :  Machine "
                                  "asynchrone triphasée Charge mécanique : T = K";
        QTest::newRow("n = K has no sweep") << 3 << 1 << false << "";
        QTest::newRow("coupling has no sweep") << 5 << 1 << false << "";
        QTest::newRow("static") << 7 << 2 << false
                                << "Comportement sur application industrielle :  Machine "
                                   "asynchrone triphasée Charge mécanique : T = a.n + b";
        QTest::newRow("dynamic") << 14 << 3 << false << "";
    }
    void acquisitionGroups() {
        QFETCH(int, type);
        QFETCH(int, groupe);
        QFETCH(bool, auto_);
        QFETCH(QString, titre);
        Essais(1);
        Caracts[1].Entete[MotTypeCaract] = type;
        Montrer();
        QCOMPARE(F().PanelAcquisitionCarMachine->isVisible(), groupe == 1);
        QCOMPARE(F().PanelAcqusitionChargeStatique->isVisible(), groupe == 2);
        QCOMPARE(F().PanelAcqusitionChargeDynamique->isVisible(), groupe == 3);
        if (groupe == 1) QCOMPARE(F().ButtonAuto->isVisible(), auto_);
        if (!titre.isEmpty()) QCOMPARE(F().windowTitle(), titre);
        QCOMPARE(F().PanelTemps->isVisible(), type == 14);
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
        for (QLabel* l :
             {F().TextModechargeManu, F().TextModeChargestatiqueAuto, F().TextModeChargeDynamique})
            if (l->isVisible()) QCOMPARE(l->text(), F().windowTitle());
        essai::Capturer(&F(), QStringLiteral("trace-acquisition-%1").arg(groupe));
        QTest::mouseClick(bouton, Qt::LeftButton);
        QVERIFY(!panneau->isVisible() && F().PanelANALYSE->isVisible());
    }

    void currentRangeDialogFromItsCaption() {
        TFormCalibreCourant dialogue;
        Essais(1);
        Montrer();
        EtudeEnregistree = 1;
        QTimer::singleShot(0, &dialogue, [&] {
            dialogue.ButtonCalibre2A->click();
            dialogue.BitBtn1->click();
        });
        QTest::mouseClick(F().StaticTextCourant, Qt::LeftButton);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 1);
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Courant:I (2A)"));
        QCOMPARE(int(EtudeEnregistree), 0);
    }

    void modifyViewThroughTheDialog() {
        TNouvelCaract dialogue;
        VuesQuatre();
        Essais(1);
        Montrer();
        QTimer::singleShot(0, &dialogue, [&] {
            QCOMPARE(dialogue.Mode, 1);
            QCOMPARE(dialogue.NumeroVue, 3);
            dialogue.BitBtn2->click();
        });
        emit F().Edition1->aboutToShow();
        F().MCar[2]->trigger();
        QCOMPARE(NbVuesGraphe(), 4);
        // The frame's own button asks the window for the same dialog.
        QTimer::singleShot(0, &dialogue, [&] {
            QCOMPARE(dialogue.NumeroVue, 2);
            dialogue.BitBtn2->click();
        });
        QTest::mouseClick(F().CaractMachine[1]->ButtonCaract, Qt::LeftButton);
    }

    void newTrialFromTheMenuAndTheFrames() {
        VuesQuatre();
        Essais(1);
        Montrer();
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
            QCOMPARE(Caracts[k].Entete[MotDernierPoint], NbPointsMax - 1);
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
        Essais(2);
        Montrer();
        EtudeEnregistree = 0;
        rapport->reponses = {ReponseQuestion::Oui};
        F().Nouveautravail1->trigger();
        QCOMPARE(Etude.NbCaract, 2);
        QCOMPARE(int(EtudeEnregistree), 0);
        QVERIFY(!rapport->messages.empty());
        TFormCom::DefinirChoixFichier({});
    }

    void replacingTheStudyStopsTheAcquisition_data() {
        QTest::addColumn<int>("commande");  // 0 new work, 1 open, 2 trial deletion
        QTest::newRow("new work") << 0;
        QTest::newRow("open") << 1;
        QTest::newRow("trial deletion") << 2;
    }
    void replacingTheStudyStopsTheAcquisition() {
        QFETCH(int, commande);
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
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().TimerManu->isActive() && !F().ButtonChargeManu->isChecked());
    }

    void dialogsFromTheMenu_data() {
        QTest::addColumn<int>("dialogue");  // 0 about box, 1 settings window
        QTest::newRow("about") << 0;
        QTest::newRow("settings") << 1;
    }
    void dialogsFromTheMenu() {
        QFETCH(int, dialogue);
        TAboutBox apropos;
        TFormCom com;
        Essais(1);
        Montrer();
        QDialog* d = dialogue == 0 ? static_cast<QDialog*>(&apropos) : &com;
        bool ouvert = false;
        QTimer::singleShot(0, d, [&] {
            ouvert = d->isVisible();
            d->reject();
        });
        (dialogue == 0 ? F().Apropos1 : F().Configurationmatrielle1)->trigger();
        QVERIFY(ouvert);
    }

    void languageRefreshesRunTimeTexts() {
        Essais(1);
        Montrer();
        QCOMPARE(F().TextVitesse->text(), QStringLiteral("----"));
        ChoixLangue(LangueAnglais);
        F().Langue();
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Current:I (20A)"));
        QVERIFY(F().windowTitle().endsWith(QString::fromUtf8(TexteAnglais.TitreCharge[1])));
    }

    void closingShowsTheMainMenu() {
        QWidget menu;
        FormMachine2 = &menu;
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
