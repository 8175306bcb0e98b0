// The tracing window driven through its controls: places of the views, the
// value boxes and keys, the menus' enabling rules, the language, the study
// editing commands with their questions.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "dialogs/FormCom.h"
#include "study/Cp1252.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

// View slots: Tu(n), Pm(n), I(n), Rd(n).
void VuesQuatre() {
    const int32_t y[4] = {GCouple, GPuissanceMeca, GCourant, GRendement};
    for (int k = 0; k < NbVues; ++k)
        Etude.Vues[k] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, y[k], 18, {0, 0}, 1};
}

// `essais` trials of an asynchronous machine, those in `vides` empty, the
// others ten points each.
void Essais(int essais, const QList<int>& vides = {}) {
    for (int k = 1; k <= essais; ++k) {
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = 3, ReglagesCourants[MotTypeCaract] = 1, NouvelleCaract();
        for (int p = 0; p < 10 && !vides.contains(k); ++p, AjouterPoint()) {
            const int n = 300 + 120 * p + 20 * k, t = 1800 - 150 * p - 40 * k;
            ValeursCourantes = {0, n, t, n * t / 100, 0, 9000 - 600 * p, 0, 0, 500 + 40 * p};
        }
    }
    ValeursCourantes[0] = -1;
}

// Every caption and hint the language sets, in a fixed order.
QStringList Textes_(TFormTraceCaract* f) {
    QStringList t{f->windowTitle()};
    for (QObject* o : f->findChildren<QObject*>())
        t << o->property("text").toString() << o->property("toolTip").toString();
    return t;
}

using L = QList<int>;
const int oui = int(ReponseQuestion::Oui), non = int(ReponseQuestion::Non);

}  // namespace

class TstTraceCaract : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormTraceCaract> fenetre;
    std::unique_ptr<essai::RapportEnregistre> rapport;

    TFormTraceCaract& F() { return *fenetre; }
    void Ouvrir(int essais, bool quatre = false, const QList<int>& vides = {}) {
        if (quatre) VuesQuatre();
        Essais(essais, vides), Montrer();
    }
    void Montrer() {
        F().showNormal(), F().resize(1280, 800);
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        QCoreApplication::processEvents(), F().Action();
    }

private slots:
    void init() {
        ChoixLangue(LangueFrancais), InitEtude(), ConfigGenerale = ConfigDefaut;
        AcquisitionEnCours = 0, rapport = std::make_unique<essai::RapportEnregistre>();
        fenetre = std::make_unique<TFormTraceCaract>();
    }
    void cleanup() { fenetre.reset(), rapport.reset(), TFormCom::DefinirChoixFichier({}); }

    // Places in a 801 x 533 area (odd: a pixel lost) for 0 to 4 views shown:
    // left, top, width, height of each.
    void viewPlaces_data() {
        QTest::addColumn<L>("montrees");
        QTest::addColumn<L>("attendu");
        QTest::newRow("none") << L{} << L{};
        QTest::newRow("one") << L{3} << L{7, 11, 801, 533};
        QTest::newRow("two") << L{1, 4} << L{7, 11, 400, 533, 407, 11, 400, 533};
        const L haut{7, 11, 400, 266, 7, 277, 400, 266};
        QTest::newRow("three") << L{1, 2, 4} << haut + L{407, 11, 400, 533};
        QTest::newRow("four") << L{1, 2, 3, 4} << haut + L{407, 11, 400, 266, 407, 277, 400, 266};
    }
    void viewPlaces() {
        QFETCH(L, montrees);
        QFETCH(L, attendu);
        Ouvrir(1, true);
        for (int k = 1; k <= 4; ++k)
            if (!montrees.contains(k)) QTest::mouseClick(F().ButtonCar[k - 1], Qt::LeftButton);
        QCOMPARE(F().NbPanelTrace(), int(montrees.size()));
        F().RectTrace.fill({-1, -1, -1, -1}), F().calculposition(7, 11, 801, 533);
        for (int j = 0; j < 4; ++j) {
            const RectangleTrace& r = F().RectTrace[j];
            QCOMPARE(L({r.Gauche, r.Haut, r.Largeur, r.Hauteur}),
                     4 * j < attendu.size() ? attendu.mid(4 * j, 4) : L({-1, -1, -1, -1}));
            QCOMPARE(F().CaractMachine[j]->isVisibleTo(&F()), montrees.contains(j + 1));
        }
    }

    // Escape outside an acquisition clears the value boxes.
    void escapeKey() {
        Ouvrir(1);
        ValeursCourantes = {3, 1500, 1234, 0, 2300, 4000, 0, 0, 0, 0, 0, 0}, F().curseur();
        QCOMPARE(F().TextCouple->text(), QStringLiteral("12,34 Nm"));
        F().EditTitre->setFocus(), QTest::keyClick(F().EditTitre, Qt::Key_Escape);
        QCOMPARE(ValeursCourantes[0], -1);
        for (QLabel* l : {F().TextVitesse, F().TextCouple, F().TextCourant, F().TextTemps})
            QCOMPARE(l->text(), QStringLiteral("----"));
    }

    // The boxes follow the trial clicked: the excitation current only for
    // machines 0, 1 and 4, the power factor for all but the DC ones; the
    // range caption "(20A)" or "(2A)" (another word leaves it).
    void boxesFollowTheTrial_data() {
        QTest::addColumn<int>("machine");
        for (int m : {0, 1, 3, 5}) QTest::addRow("%d", m) << m;
    }
    void boxesFollowTheTrial() {
        QFETCH(int, machine);
        Essais(2), Caracts[2].Entete[MotTypeMachine] = machine,
                   Caracts[2].Entete[MotCalibre] = L{0, 1, 7}[machine % 3];
        Montrer(), F().Buttoncourbe[0]->click();
        QCOMPARE(F().StaticTextCourant->text(), QStringLiteral("Courant:I (20A)"));
        F().StaticTextCourant->setText("avant"), F().Buttoncourbe[1]->click();
        QCOMPARE(F().StaticTextCourant->text(),
                 QStringList({"Courant:I (20A)", "Courant:I (2A)", "avant"})[machine % 3]);
        F().Action();
        QCOMPARE(L({F().Paneliexc->isVisible(), F().PanelFp->isVisible()}),
                 L({L({0, 1, 4}).contains(machine), !L({1, 2, 5}).contains(machine)}));
    }

    // Edit and File menus: trials, empty trials; new trial allowed, deletion
    // allowed, save/new work/print allowed.
    void editMenuEnabling_data() {
        QTest::addColumn<L>("c");
        QTest::addColumn<L>("vides");
        QTest::newRow("single trial") << L{1, 1, 0, 1} << L{};
        QTest::newRow("last trial empty") << L{2, 0, 1, 1} << L{2};
        QTest::newRow("no trial") << L{0, 0, 0, 0} << L{};
        QTest::newRow("record 1 empty") << L{2, 1, 1, 0} << L{1};
    }
    void editMenuEnabling() {
        QFETCH(L, c);
        QFETCH(L, vides);
        Ouvrir(c[0], false, vides);
        emit F().Edition1->aboutToShow();
        QCOMPARE(L({F().Nouvellecourbe1->isEnabled(),
                    F().Suppressioncourbe1->menuAction()->isEnabled()}),
                 c.mid(1, 2));
        for (int k = 0; k < 5; ++k) QCOMPARE(F().Ncb[k]->isVisible(), k < c[0]);
        emit F().Fichier1->aboutToShow();
        for (QAction* a : {F().Enregistrer1, F().Nouveautravail1, F().Imprimer1})
            QCOMPARE(a->isEnabled(), bool(c[3]));
        QVERIFY(F().Ouvrir->isEnabled() && F().Enregistrersous1->isEnabled());
    }

    // Four views and five trials at 1280 x 800 in each language (a picture
    // each); French again gives every French caption back.
    void languages_data() {
        QTest::addColumn<int>("langue");
        for (auto [n, l] :
             {std::pair{"fr", LangueFrancais}, {"en", LangueAnglais}, {"es", LangueEspagnol}})
            QTest::addRow("%s", n) << int(l);
    }
    void languages() {
        QFETCH(int, langue);
        Etude.Titre.Ecrire(VersCp1252("Machine asynchrone 1,5 kW : essais en charge"));
        F().ButtonTitre->click(), Ouvrir(5, true);
        const QStringList francais = Textes_(&F());
        QCOMPARE(F().StaticTextCourbes->text(), QStringLiteral("Essai"));
        ChoixLangue(langue), F().Langue();
        QCOMPARE(Textes_(&F()) != francais, langue != LangueFrancais);
        F().Buttoncourbe[1]->click(), SelectionnerPoint(4), F().curseur();
        F().Buttoncourbe[4]->click(), ChoixLangue(LangueFrancais), F().Langue();
        QCOMPARE(Textes_(&F()), francais);
    }

    // The current trial takes the choice when its points stay valid, else a
    // trial is appended (also beyond the count); with five the choice is
    // refused with a message. Trials, current, their law, machine, law
    // chosen; then count, current, law of trial 1.
    void choiceTaken_data() {
        QTest::addColumn<L>("c");
        QTest::newRow("same law, new settings") << L{1, 1, 6, 3, 6, 1, 1, 6};
        QTest::newRow("other law") << L{1, 1, 6, 3, 8, 2, 2, 6};
        QTest::newRow("beyond the count appends") << L{1, 2, 1, 4, 2, 2, 2, 1};
        QTest::newRow("five trials") << L{5, 5, 1, 6, 7, 5, 5, 1};
    }
    void choiceTaken() {
        QFETCH(L, c);
        const bool refus = c[0] == 5;
        Essais(c[0]);
        for (int k = 1; k <= c[0]; ++k) Caracts[k].Entete[MotTypeCaract] = c[2];
        Montrer(), CaractCourante = c[1], ReglagesCourants[MotTypeMachine] = c[3];
        ReglagesCourants[MotTypeCaract] = c[4], ReglagesCourants[MotInertie] = 77;
        QCOMPARE(F().Setcourbe(), !refus);
        QCOMPARE(L({Etude.NbCaract, CaractCourante, Caracts[1].Entete[MotTypeCaract]}), c.mid(5));
        const EnteteCaract& e = Caracts[CaractCourante].Entete;
        if (refus) {
            QCOMPARE(L({e[MotTypeCaract], ReglagesCourants[MotTypeCaract]}), L({c[2], c[2]}));
            QCOMPARE(rapport->messages,
                     std::vector<std::string>{
                         "Cinq essais au plus : supprimez un essai pour en commencer un autre"});
            return;
        }
        QCOMPARE(L({e[MotTypeMachine], e[MotTypeCaract], e[MotInertie]}), L({c[3], c[4], 77}));
        QVERIFY(F().Buttoncourbe[CaractCourante - 1]->isChecked());
    }

    // A window redrawn during a capture leaves its flags alone; without a
    // capture they follow the button, and Stop arms them again.
    void actionLeavesARunningCapture() {
        Ouvrir(1);
        F().ButtonChargeDynamique->setChecked(true), F().TimerOscillo->start(3600 * 1000);
        F().OscilloArme = F().OscilloDeclenche = true;
        QTest::mouseClick(F().ButtonTitre, Qt::LeftButton);
        F().resize(1100, 700), QCoreApplication::processEvents();
        QVERIFY(F().OscilloArme && F().OscilloDeclenche);
        F().TimerOscillo->stop(), F().Action();
        QVERIFY(!F().OscilloArme && !F().OscilloDeclenche);
        F().ButtonStopManuClick();
        QVERIFY(F().OscilloArme && F().OscilloDeclenche && F().PanelANALYSE->isVisible());
    }

    // States the program sets (texts read, a view hidden, the smoothing)
    // never mark the study; each change of the user does and is kept.
    void userChangesMarkTheStudy() {
        VuesQuatre(), Essais(2), Etude.Titre.Ecrire("Titre lu");
        Etude.Vues[1].Affichee = 0, Etude.Lissage = 3;
        F().ButtonTitre->click(), EtudeEnregistree = 1, Montrer();
        QCOMPARE(F().EditTitre->text(), QStringLiteral("Titre lu"));
        QVERIFY(!F().ButtonCar[1]->isChecked() && F().ButtonCar[0]->isChecked() &&
                EtudeEnregistree);
        F().EditTitre->clear(), QTest::keyClicks(F().EditTitre, QString(120, 'x'));  // cut to 100
        QVERIFY(EtudeEnregistree == 0 && Etude.Titre.Lire() == std::string(100, 'x'));
        EtudeEnregistree = 1, F().ButtonCar[1]->click();
        QVERIFY(EtudeEnregistree == 0 && Etude.Vues[1].Affichee == 1);
        for (const int item : {0, 5}) {  // "Sans interpolation" stores -1
            EtudeEnregistree = 1, F().interpolation[item]->trigger();
            QVERIFY(EtudeEnregistree == 0 && Etude.Lissage == (item ? item : -1));
        }
    }

    // Trials, current, deleted, answer, count after, current after.
    void trialDeletionKeepsARealTrial_data() {
        QTest::addColumn<L>("c");
        QTest::newRow("before the current") << L{3, 3, 1, oui, 2, 2};
        QTest::newRow("No keeps it") << L{3, 3, 3, non, 3, 3};
        QTest::newRow("the only one, from its pop-up") << L{1, 1, 1, oui, 0, 1};
    }
    void trialDeletionKeepsARealTrial() {
        QFETCH(L, c);
        Ouvrir(c[0]);
        F().Buttoncourbe[c[1] - 1]->click(), rapport->reponses = {ReponseQuestion(c[3])};
        emit F().Edition1->aboutToShow();
        (c[4] ? F().Ncb[c[2] - 1] : F().MenuItem[0][1])->trigger();
        QCOMPARE(L({Etude.NbCaract, CaractCourante}), c.mid(4));
        QVERIFY(c[4] || (!F().PanelAcquisitionCarMachine->isVisible() &&
                         !F().Buttoncourbe[0]->isVisible()));  // no trial, no acquisition group
        if (c[4] == 0) return;
        QCOMPARE(rapport->questions,
                 std::vector<std::string>{"Voulez-vous supprimer l'essai " + std::to_string(c[2])});
        QVERIFY(F().Buttoncourbe[c[5] - 1]->isChecked());
    }

    // All the points of a trial from its pop-up (an empty trial asks
    // nothing); one point from a frame, only a stored point, not a live
    // reading. Source (0 pop-up, 2 frame), trial, live, asked, its last
    // point (point 4 deleted), study saved.
    void pointsDeletion_data() {
        QTest::addColumn<L>("c");
        QTest::newRow("pop-up, Yes") << L{0, 2, 0, 1, -1, 0};
        QTest::newRow("one stored point") << L{2, 1, 0, 0, 8, 0};
        QTest::newRow("a live reading") << L{2, 1, 1, 0, 9, 1};
    }
    void pointsDeletion() {
        QFETCH(L, c);
        Ouvrir(3, true, {3});
        if (c[0] > 0) QTest::mouseClick(F().Buttoncourbe[c[1] - 1], Qt::LeftButton);
        EtudeEnregistree = 1, rapport->reponses = {ReponseQuestion::Oui};
        TCaractMachine* cadre = F().CaractMachine[0];
        if (c[0] == 0) F().MenuItem[c[1] - 1][0]->trigger();
        if (c[0] == 2) {
            SelectionnerPoint(4), AcquisitionEnCours = c[2];
            if (c[2]) ValeursCourantes[0] = 9;  // a live reading
            cadre->PopupMenu1Popup();
            emit cadre->PopupMenu1->aboutToShow();
            QCOMPARE(cadre->Suppressiondupoint1->isEnabled(), c[4] == 8);
            cadre->Suppressiondupoint1->trigger();
        }
        QCOMPARE(rapport->questions, std::vector<std::string>(
                                         c[3], "Voulez-vous supprimer tous les points de l'essai " +
                                                   std::to_string(c[1])));
        QCOMPARE(L({Caracts[c[1]].Dernier(), EtudeEnregistree}), c.mid(4));
    }

    // The values copied when only trials 2 and 4 hold points, then of the
    // selected trial alone.
    void valuesCopiedFromTheMenu() {
        Ouvrir(4, false, {1, 3});
        F().Copierlesvaleurs1->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Essai 2\t\r\n")));
        F().Buttoncourbe[3]->click(), F().Copierlesvaleurs2->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("N°\tn\tTu")));
    }

    // A study of four views and five full trials opened through the window
    // shows them, and saving it from the window writes the same bytes; a save
    // that fails keeps the study (new work does not go on).
    void savedFromTheWindowReadsBackTheSame() {
        essai::DossierTemporaire dossier;
        TFormCom com;
        QStringList reponses;
        TFormCom::DefinirChoixFichier([&](bool, QString& nom) {
            return !reponses.isEmpty() && (nom = reponses.takeFirst(), true);
        });
        const auto acquiert = [&] {
            F().ButtonManu->setChecked(true), F().TimerManu->start(3600 * 1000),
                AcquisitionEnCours = 1;
        };
        const auto arretee = [&] {
            return !AcquisitionEnCours && !F().TimerManu->isActive() &&
                   !F().ButtonManu->isChecked();
        };
        VuesQuatre(), Essais(5);
        for (int k = 1; k <= 5; ++k)
            for (int p = 10; p < NbPointsMax; ++p, AjouterPoint())
                CaractCourante = k, ValeursCourantes[GVitesse] = p % 1500,
                ValeursCourantes[GCouple] = 2000 - p;
        Etude.Titre.Ecrire("Etude sauvee");
        const std::string premier = dossier / "premier.OVX2", second = dossier / "second.OVX2";
        QVERIFY(EnregistrerEtude(premier));
        InitEtude(), Montrer(), reponses = {QString::fromStdString(premier)};
        acquiert(), F().Ouvrir->trigger();  // opening a study stops an acquisition first
        QVERIFY(arretee() && Etude.NbCaract == 5);
        QCOMPARE(F().EditTitre->text(), QStringLiteral("Etude sauvee"));
        QVERIFY(F().Buttoncourbe[4]->isVisible() && F().ButtonCar[3]->isVisible());
        reponses = {QString::fromStdString(second)}, F().Enregistrersous1->trigger();
        QVERIFY(EtudeEnregistree == 1 && !essai::Contenu(premier).empty());
        QVERIFY(essai::Contenu(premier) == essai::Contenu(second));
        reponses = {QStringLiteral("/nonexistent-folder/etude.OVX2")};
        EtudeEnregistree = 0, rapport->reponses = {ReponseQuestion::Oui};
        F().Nouveautravail1->trigger();
        QVERIFY(Etude.NbCaract == 5 && EtudeEnregistree == 0 && !rapport->messages.empty());
        bool ouvert = false;
        acquiert();  // so does the settings window, before it opens
        QTimer::singleShot(0, &com, [&] { ouvert = com.isVisible(), com.reject(); });
        F().Configurationmatrielle1->trigger();
        QVERIFY(ouvert && arretee());
    }
};

QTEST_MAIN(TstTraceCaract)
#include "tst_tracecaract.moc"
