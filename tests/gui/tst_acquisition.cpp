// Points taken on the machine under study, on the simulated bench: the
// words the drive receives at each start and stop, the manual
// characteristic with the button and the space bar, the automatic sweep and
// its phases, the checked start and stop writes, a full trial, and the link
// lost in the middle of an acquisition. In process (link type 3, the clock
// moved by the test), and once over a pseudo-terminal served by the
// simulated drive.
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <optional>

#include "BancEspion.h"
#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "dialogs/FormCom.h"
#include "sim/LiaisonSimulee.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

using essai::LienEspionne;

QString Texte(int n) {
    const std::string_view s = Textes.Texte(n);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const QString Zero = QStringLiteral("W19.20=0,0,0,0,0,0");

}  // namespace

class TstAcquisition : public QObject {
    Q_OBJECT

    std::unique_ptr<essai::BancEspion> banc;
    TFormCom* com = nullptr;
    std::unique_ptr<TFormTraceCaract> fenetre;
    std::optional<essai::RapportEnregistre> rapport;

    TFormTraceCaract& F() { return *fenetre; }
    int Points() const { return Caracts[CaractCourante].Dernier() + 1; }
    // A study of one empty trial of this machine and law, window shown.
    void Ouvrir(int machine, int type) {
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = type;
        NouvelleCaract();
        F().show();
        F().resize(1280, 800);
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        F().Action();
        banc->lien->journal.clear();
    }
    void TicksManu(int n) {
        for (int i = 0; i < n && F().TimerManu->isActive(); ++i) {
            banc->maintenant += 100;
            F().TimerManuTimer();
        }
    }

private slots:
    void initTestCase() {
        banc = std::make_unique<essai::BancEspion>();
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        com = new TFormCom;
        com->Transport(LiaisonSimulation);
        QVERIFY(banc->lien);
    }
    void cleanupTestCase() {
        delete com;
        banc.reset();
    }
    void init() {
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        InitEtude();
        AcquisitionEnCours = 0;
        rapport.emplace();
        com->Initialise();
        banc->lien->echecs = 0;
        banc->lien->passer = 0;
        banc->lien->vitesse.reset();
        fenetre = std::make_unique<TFormTraceCaract>();
    }
    void cleanup() {
        fenetre.reset();
        rapport.reset();
        AcquisitionEnCours = 0;
    }

    // -- words sent at the start and at the stop --

    void manualStartAndStopWords_data() {
        QTest::addColumn<int>("machine");
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("depart");
        QTest::newRow("DC machine, T = K: K = 0, zero block, mode 2 run")
            << 1 << 1 << QStringList{"W19.20=0", Zero, "W20.29=517"};
        QTest::newRow("coupling aid: K = 50 %, zero block, K again, mode 10 run")
            << 5 << 5 << QStringList{"W19.20=500", Zero, "W19.20=500", "W20.29=2565"};
    }
    void manualStartAndStopWords() {
        QFETCH(int, machine);
        QFETCH(int, type);
        QFETCH(QStringList, depart);
        Ouvrir(machine, type);
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        QCOMPARE(banc->lien->Ecritures(), depart);
        QVERIFY(F().ButtonManu->isChecked());
        QVERIFY(F().TimerManu->isActive());
        QCOMPARE(AcquisitionEnCours, 1);
        QVERIFY(!F().ButtonAuto->isEnabled());
        QCOMPARE(F().TextK->text(), QStringLiteral("K = %1%").arg(type == 5 ? 50 : 0));
        QCOMPARE(F().TextModechargeManu->text(), F().windowTitle());
        TicksManu(5);
        QVERIFY(F().MesureFraiche);

        // Stop: rest word, zero block, then K = 0, even where K stood at 0.
        banc->lien->journal.clear();
        QTest::mouseClick(F().ButtonStopManu, Qt::LeftButton);
        QCOMPARE(banc->lien->Ecritures(), (QStringList{"W20.29=1", Zero, "W19.20=0"}));
        QVERIFY(!F().ButtonManu->isChecked());
        QVERIFY(!F().TimerManu->isActive());
        QCOMPARE(AcquisitionEnCours, 0);
        QCOMPARE(F().TextK->text(), QStringLiteral("K = 0%"));
        QVERIFY(F().ButtonAuto->isEnabled());
        QVERIFY(rapport->messages.empty());
    }

    // -- the manual characteristic --

    void manualCharacteristicWithButtonAndSpace() {
        Ouvrir(MccIndependante, 1);
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        // No reading yet: neither the button nor the space bar stores a point.
        QTest::mouseClick(F().ButtonAcquiPointCaract, Qt::LeftButton);
        QTest::keyClick(fenetre.get(), Qt::Key_Space);
        QCOMPARE(Points(), 0);
        QVERIFY(!F().ButtonManu->focusPolicy());
        int32_t couplePrecedent = -1;
        for (int k = 0; k <= 100; k += 20) {
            F().ScrollBarK->setValue(k);
            QCOMPARE(F().TextK->text(), QStringLiteral("K = %1%").arg(k));
            TicksManu(30);
            QVERIFY(F().ButtonManu->isChecked());
            if (k % 40 == 0)
                QTest::mouseClick(F().ButtonAcquiPointCaract, Qt::LeftButton);
            else
                QTest::keyClick(fenetre.get(), Qt::Key_Space);
            const int32_t couple = Caracts[CaractCourante].Point(GCouple, Points() - 1);
            QVERIFY2(couple > couplePrecedent, qPrintable(QString::number(couple)));
            couplePrecedent = couple;
        }
        QCOMPARE(Points(), 6);
        QCOMPARE(Caracts[CaractCourante].Point(GTemps, 3), 0);
        // A space typed into a comment is text, not a point; the acquisition
        // goes on.
        F().EditTitre->show();
        F().Editcourbe[0]->setFocus();
        QTest::keyClick(F().Editcourbe[0], Qt::Key_Space);
        QCOMPARE(Points(), 6);
        QVERIFY(F().ButtonManu->isChecked());
        // Escape stops it, keeping the points.
        QTest::keyClick(fenetre.get(), Qt::Key_Escape);
        QCOMPARE(AcquisitionEnCours, 0);
        QCOMPARE(Points(), 6);
    }

    void aSelectedPointIsNeverStoredAgain() {
        Ouvrir(MccIndependante, 1);
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        F().ScrollBarK->setValue(60);
        TicksManu(30);
        F().ButtonAcquiPointCaractClick();
        F().ScrollBarK->setValue(10);
        TicksManu(30);
        const ValeursPoint vives = ValeursCourantes;
        SelectionnerPoint(0);
        QCOMPARE(ValeursCourantes[GCouple], vives[GCouple]);
        F().ButtonAcquiPointCaractClick();
        QCOMPARE(Points(), 2);
        QVERIFY(Caracts[CaractCourante].Point(GCouple, 1) !=
                Caracts[CaractCourante].Point(GCouple, 0));
    }

    void aFullTrialEndsTheAcquisitionKeepingItsPoints() {
        Ouvrir(MccIndependante, 1);
        for (int p = 0; p < 2000; ++p) QVERIFY(AjouterPoint());
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        TicksManu(2);
        F().ButtonAcquiPointCaractClick();
        QCOMPARE(Points(), 2001);
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().ButtonManu->isChecked());
        QVERIFY(!F().TimerManu->isActive());
    }

    // -- the automatic sweep --

    // Rising sweep of the asynchronous machine: the words of the direction,
    // points only in the first phase while the drive sweeps, each far
    // enough from the previous one, and the end when the drive stops
    // sweeping. A failed first tick keeps the sweep going (the status it
    // would read is the one from before the start).
    void automaticRisingSweepEndsByItself() {
        Ouvrir(MasTriphasee, 1);
        QTest::mouseClick(F().ButtonAuto, Qt::LeftButton);
        QCOMPARE(banc->lien->Ecritures(), QStringList{Zero});
        QVERIFY(F().TimerManu->isActive());
        QVERIFY(F().ButtonAutoCroissant->isEnabled() && F().ButtonAutoDecroissant->isEnabled());
        QVERIFY(!F().ButtonManu->isEnabled());
        QCOMPARE(F().TextT->text(), QStringLiteral("T = 5 s"));
        F().ScrollBarT->setValue(6);
        QCOMPARE(F().TextT->text(), QStringLiteral("T = 6 s"));
        TicksManu(20);
        // No point button here: the space bar takes no point.
        QVERIFY(F().MesureFraiche);
        QTest::keyClick(fenetre.get(), Qt::Key_Space);
        QCOMPARE(Points(), 0);
        banc->lien->journal.clear();
        QTest::mouseClick(F().ButtonAutoCroissant, Qt::LeftButton);
        QCOMPARE(banc->lien->Ecritures(),
                 (QStringList{Zero, QStringLiteral("W20.29=%1").arg(2 << 8 | 0x4001),
                              "W19.20=1000,0,60,10,0,0",
                              QStringLiteral("W20.29=%1").arg(2 << 8 | 0x4005)}));
        QCOMPARE(F().PhaseAuto, 1);
        QVERIFY(!F().TimerManu->isActive() && F().TimerAuto->isActive());
        QVERIFY(!F().ButtonAutoCroissant->isEnabled());

        banc->lien->echecs = 1;
        int ticks = 0;
        int64_t n0 = 0, t0 = 0;
        const int64_t w = TFormTraceCaract::PoidsCoupleAuto(ConfigGenerale.GammePuissance);
        for (; ticks < 600 && F().TimerAuto->isActive(); ++ticks) {
            const int avant = Points();
            banc->maintenant += 50;
            F().TimerAutoTimer();
            if (ticks == 0) QVERIFY(F().TimerAuto->isActive());
            if (Points() > avant) {
                const int32_t s = com->StatusCopie();
                QVERIFY2((s & 0x0104) == 0x0104, qPrintable(QString::number(s, 16)));
                const int64_t n = Caracts[CaractCourante].Point(GVitesse, Points() - 1);
                const int64_t t = Caracts[CaractCourante].Point(GCouple, Points() - 1);
                QVERIFY((n - n0) * (n - n0) + w * (t - t0) * (t - t0) > 2000);
                n0 = n;
                t0 = t;
            }
        }
        QVERIFY2(ticks < 600, "the sweep never ended");
        QVERIFY2(Points() > 10, qPrintable(QString::number(Points())));
        QCOMPARE(AcquisitionEnCours, 0);
        QVERIFY(!F().ButtonAuto->isChecked());
        QVERIFY(F().ButtonManu->isEnabled());
        QCOMPARE(DernierPointN, n0);
    }

    // Under a speed-imposing law with the shaft turning (51 tr/min or more),
    // the rising command takes its points in the second phase, the falling
    // one in the first.
    void speedImposingLawsSwapThePhases_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("vitesse");
        QTest::addColumn<int>("sens");
        QTest::addColumn<int>("phase");
        QTest::newRow("type 2 at 51, rising") << 2 << 51 << 1 << 3;
        QTest::newRow("type 2 at -60, rising") << 2 << -60 << 1 << 3;
        QTest::newRow("type 2 at 60, falling") << 2 << 60 << 3 << 1;
        QTest::newRow("type 2 at 50: not swapped") << 2 << 50 << 1 << 1;
        QTest::newRow("type 3 at 200, rising") << 3 << 200 << 1 << 3;
        QTest::newRow("type 1 at 1400: not a speed law") << 1 << 1400 << 1 << 1;
        QTest::newRow("type 2, two-way unchanged") << 2 << 200 << 2 << 2;
    }
    void speedImposingLawsSwapThePhases() {
        QFETCH(int, type);
        QFETCH(int, vitesse);
        QFETCH(int, sens);
        QFETCH(int, phase);
        Ouvrir(MasTriphasee, type);
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        TicksManu(2);
        banc->lien->vitesse = vitesse;
        QCOMPARE(F().setmode(sens), phase);
    }

    // Type 2 with the shaft turning: the rising button samples phase 0x0200.
    void risingSweepAtSpeedTakesTheSecondPhase() {
        Ouvrir(MasTriphasee, 2);
        QTest::mouseClick(F().ButtonAuto, Qt::LeftButton);
        TicksManu(3);
        banc->lien->vitesse = 300;
        QTest::mouseClick(F().ButtonAutoCroissant, Qt::LeftButton);
        banc->lien->vitesse.reset();
        QCOMPARE(F().PhaseAuto, 3);
        int ticks = 0;
        for (; ticks < 600 && F().TimerAuto->isActive(); ++ticks) {
            const int avant = Points();
            banc->maintenant += 50;
            F().TimerAutoTimer();
            if (Points() > avant) QVERIFY(com->StatusCopie() & 0x0200);
        }
        QVERIFY(ticks < 600);
        QVERIFY(Points() > 3);
    }

    // Type 3 has no automatic button; its sweep is commanded with type 2's
    // mode code, with the parameter block of each direction.
    void automaticWordsAndBlocks_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("sens");
        QTest::addColumn<QStringList>("ecritures");
        const auto mots = [](int code, int bas1, int bas5, const QString& bloc) {
            return QStringList{Zero, QStringLiteral("W20.29=%1").arg(code << 8 | bas1), bloc,
                               QStringLiteral("W20.29=%1").arg(code << 8 | bas5)};
        };
        QTest::newRow("type 3 rising: code 1")
            << 3 << 1 << mots(1, 0x4001, 0x4005, "W19.20=1000,0,50,10,0,0");
        QTest::newRow("type 3 two-way")
            << 3 << 2 << mots(1, 0x8001, 0x8005, "W19.20=1000,0,50,50,0,0");
        QTest::newRow("type 3 falling")
            << 3 << 3 << mots(1, 0x8001, 0x8005, "W19.20=1000,0,5,50,0,0");
        QTest::newRow("type 2 falling")
            << 2 << 3 << mots(1, 0x8001, 0x8005, "W19.20=1000,0,5,50,0,0");
        QTest::newRow("type 4 rising: its own code 3")
            << 4 << 1 << mots(3, 0x4001, 0x4005, "W19.20=1000,0,50,10,0,0");
        QTest::newRow("no direction: the zero block only") << 3 << 0 << QStringList{Zero};
    }
    void automaticWordsAndBlocks() {
        QFETCH(int, type);
        QFETCH(int, sens);
        QFETCH(QStringList, ecritures);
        Ouvrir(MasTriphasee, type);
        AcquisitionEnCours = 1;
        F().SensAuto = sens;
        QVERIFY(F().setAcquisitionAuto());
        QCOMPARE(banc->lien->Ecritures(), ecritures);
        QVERIFY(F().TimerAuto->isActive());
        F().ButtonStopManuClick();
    }

    // -- failures --

    void oneFailedExchangeGoesOnTwoStop() {
        Ouvrir(MccIndependante, 1);
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        TicksManu(3);
        F().ButtonAcquiPointCaractClick();
        banc->lien->echecs = 1;
        TicksManu(1);
        QVERIFY(F().TimerManu->isActive());
        // The failed tick's values are not a fresh reading.
        F().ButtonAcquiPointCaractClick();
        QCOMPARE(Points(), 1);
        TicksManu(1);
        F().ButtonAcquiPointCaractClick();
        QCOMPARE(Points(), 2);

        // The link lost: stopped within two ticks, the points kept, "----".
        banc->lien->echecs = 1000;
        TicksManu(2);
        QVERIFY(!F().TimerManu->isActive());
        QCOMPARE(AcquisitionEnCours, 0);
        QCOMPARE(Points(), 2);
        QCOMPARE(F().TextVitesse->text(), Texte(62));
        // The rest word failed twice: said once.
        QCOMPARE(rapport->messages, std::vector<std::string>{std::string(Textes.Texte(168))});
        // Back: a new acquisition works.
        banc->lien->echecs = 0;
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        TicksManu(2);
        F().ButtonAcquiPointCaractClick();
        QCOMPARE(Points(), 3);
        QVERIFY(F().TimerManu->isActive());
    }

    void aFailedStartWriteReturnsToRest_data() {
        QTest::addColumn<int>("mode");     // 0 manual, 1 automatic rising
        QTest::addColumn<int>("passees");  // start exchanges that go through first
        QTest::newRow("manual, zero block") << 0 << 1;
        QTest::newRow("manual, control word") << 0 << 2;
        QTest::newRow("automatic, zero block of the direction") << 1 << 0;
        QTest::newRow("automatic, select word") << 1 << 1;
        QTest::newRow("automatic, parameter block") << 1 << 2;
        QTest::newRow("automatic, run word") << 1 << 3;
    }
    void aFailedStartWriteReturnsToRest() {
        QFETCH(int, mode);
        QFETCH(int, passees);
        Ouvrir(MasTriphasee, 1);
        QToolButton* bouton = mode == 0 ? F().ButtonManu : F().ButtonAuto;
        if (mode == 1) {
            QTest::mouseClick(bouton, Qt::LeftButton);
            QVERIFY(F().TimerManu->isActive());
            banc->lien->journal.clear();
        }
        banc->lien->passer = passees;
        banc->lien->echecs = 1;
        QTest::mouseClick(mode == 0 ? bouton : F().ButtonAutoCroissant, Qt::LeftButton);
        const QStringList e = banc->lien->Ecritures();
        QVERIFY2(e.size() > passees + 1 && e[passees + 1] == QStringLiteral("W20.29=1"),
                 qPrintable(e.join(' ')));
        QVERIFY(!bouton->isChecked());
        QVERIFY(!F().TimerManu->isActive() && !F().TimerAuto->isActive());
        QCOMPARE(AcquisitionEnCours, 0);
        QCOMPARE(rapport->messages, std::vector<std::string>{std::string(Textes.Texte(168))});
    }

    void aFailedRestWordIsSentAgainThenReported_data() {
        QTest::addColumn<int>("echecs");
        QTest::addColumn<int>("messages");
        QTest::newRow("first fails: sent again, silent") << 1 << 0;
        QTest::newRow("both fail: reported") << 2 << 1;
    }
    void aFailedRestWordIsSentAgainThenReported() {
        QFETCH(int, echecs);
        QFETCH(int, messages);
        Ouvrir(MccIndependante, 1);
        QTest::mouseClick(F().ButtonManu, Qt::LeftButton);
        banc->lien->journal.clear();
        banc->lien->echecs = echecs;
        QTest::mouseClick(F().ButtonStopManu, Qt::LeftButton);
        QCOMPARE(banc->lien->Ecritures().mid(0, 2), (QStringList{"W20.29=1", "W20.29=1"}));
        QCOMPARE(static_cast<int>(rapport->messages.size()), messages);
    }
};

QTEST_MAIN(TstAcquisition)
#include "tst_acquisition.moc"
