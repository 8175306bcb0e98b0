// Main menu, choice, live display, K moved, values moving, and back: on the
// bench in process, and on `orvanectl bench --pty` over the serial link; the
// live display and the applications as they meet the tracing window.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "load/Affichage.h"
#include "load/ChoixCaract.h"
#include "load/Visualisation.h"
#include "sim/LiaisonSimulee.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

class TstParcours : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    std::optional<essai::RapportEnregistre> rapport;
    TFormMachine2* menu = nullptr;

    QString valeur(int k) const {
        return FormVisualisation->Affichage[k - 1]->TextAffichage->text();
    }
    // Asynchronous machine, "T = K", K from 0 to 60 %, then back to the menu.
    void parcours() {
        menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu->ButtonTraceCarct, Qt::LeftButton);
        TFormChoixCaract* choix = FormChoixCaract;
        QTRY_VERIFY(choix->isVisible() && !menu->isVisible() &&
                    !choix->ButtonVISUALISATION->isEnabled());
        QTest::mouseClick(choix->ButtonMASTri, Qt::LeftButton);
        QTest::mouseClick(choix->ButtonTcstC, Qt::LeftButton);
        QVERIFY(ReglagesCourants[MotTypeMachine] == MasTriphasee &&
                ReglagesCourants[MotTypeCaract] == 1);
        QTest::mouseClick(choix->ButtonVISUALISATION, Qt::LeftButton);

        TFormVisualisation* v = FormVisualisation;
        QTRY_VERIFY(v->isVisible() && !choix->isVisible());
        // At K = 0 the machine runs near its synchronous speed, unloaded.
        QTRY_VERIFY(v->ValeursValides() && ValeursCourantes[GVitesse] > 1400);
        const int32_t coupleVide = ValeursCourantes[GCouple];
        const QString texteVide = valeur(2);

        v->ScrollBarK->setSliderPosition(60);
        QCOMPARE(v->TextK->text(), QStringLiteral("K = 60%"));
        // Loaded, it slips and draws more electrical than mechanical power.
        QTRY_VERIFY_WITH_TIMEOUT(
            ValeursCourantes[GCouple] > coupleVide + 300 && valeur(2) != texteVide &&
                valeur(2).endsWith(" Nm") && ValeursCourantes[GVitesse] < 1500 &&
                ValeursCourantes[GPuissanceElec] > ValeursCourantes[GPuissanceMeca],
            5000);
        QVERIFY(v->TextEtatLiaison->text().isEmpty());

        // Back: the live display stops, the choice window, then the menu return.
        QTest::mouseClick(v->ButtonClose, Qt::LeftButton);
        QTRY_VERIFY(!v->isVisible() && !v->TimerA->isActive() && choix->isVisible());
        QTest::mouseClick(choix->ButtonFermer1, Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible() && rapport->messages.empty());
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir::setCurrent(QString::fromStdString(dossier.racine.string())));
        rapport.emplace();
        sim::InstallerBancSimule(1, false);
        // The default settings, as a cancelled first start leaves them.
        QVERIFY(EcrireFichierEntier(NomFichierConfig, &ConfigDefaut, sizeof ConfigDefaut));
        CreerFenetres();
        QVERIFY(rapport->messages.empty());
        menu = static_cast<TFormMachine2*>(FormMachine2);
        menu->FinProgramme = [] {};
    }
    void cleanupTestCase() { DetruireFenetres(), rapport.reset(); }
    void init() { rapport->messages.clear(), ChoixLangue(LangueFrancais), InitEtude(); }

    void inProcessBench() {
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        parcours();
        QVERIFY(FormCom->LiaisonOuverte());
    }

    void benchServedOnAPseudoTerminal() {
        QProcess banc;
        banc.start(QStringLiteral(ORVANECTL_CHEMIN),
                   {"bench", "--pty", "--machine", "3", "--rating", "1500"});
        QVERIFY(banc.waitForStarted(5000));
        QString pty;
        for (int i = 0; i < 100 && pty.isEmpty(); ++i) {
            banc.waitForReadyRead(50);
            pty = QString::fromUtf8(banc.readAllStandardOutput()).trimmed();
        }
        QVERIFY2(pty.startsWith(QStringLiteral("pts/")), qPrintable(pty));

        FormCom->Ferme(), ConfigGenerale.TypeLiaison = LiaisonSerie;
        ConfigGenerale.PortSerie.Ecrire(pty.toStdString());
        parcours();  // the live display opens the link it finds closed
        FormCom->Ferme(), banc.terminate();
        QVERIFY(banc.waitForFinished(5000));
    }

    // One drive, one commander: "Charge" in the tracing window, then
    // "VISUALISATION": while the live display drives K, a click on "Manuel"
    // through the window system does not reach the tracing window. The
    // applications shown from the choice window close with it.
    void oneCommanderPerDrive() {
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        ReglagesCourants = EnteteCaractDefaut, ReglagesCourants[MotTypeMachine] = MccIndependante;
        ReglagesCourants[MotTypeCaract] = 1, NouvelleCaract();
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        auto* trace = dynamic_cast<TFormTraceCaract*>(FormTraceCaract);
        TFormChoixCaract* choix = FormChoixCaract;
        TFormVisualisation* v = FormVisualisation;
        trace->Montrer();
        QVERIFY(QTest::qWaitForWindowExposed(trace));
        QTest::mouseClick(trace->ButtonModifCharge, Qt::LeftButton);
        QTRY_VERIFY(choix->isVisible() && choix->ButtonVISUALISATION->isEnabled());
        QTest::mouseClick(choix->ButtonVISUALISATION, Qt::LeftButton);
        QTRY_VERIFY(v->isVisible() && !choix->isVisible() && v->TimerA->isActive());
        QTest::mouseClick(trace->windowHandle(), Qt::LeftButton, {},
                          trace->ButtonManu->mapTo(trace, trace->ButtonManu->rect().center()));
        QVERIFY(!trace->ButtonManu->isChecked() && AcquisitionEnCours == 0);
        QTest::mouseClick(v->ButtonClose, Qt::LeftButton);
        QTRY_VERIFY(!v->isVisible() && choix->isVisible());
        QTest::mouseClick(choix->ButtonFermer1, Qt::LeftButton);
        QTRY_VERIFY(!choix->isVisible() && trace->isVisible());
        trace->close();

        // Static loads from the menu: "APPLICATIONS", then "ETUDE".
        auto* applications = dynamic_cast<QWidget*>(FormVisuApp);
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu->ButtonChargeStatique, Qt::LeftButton);
        QTRY_VERIFY(choix->isVisible());
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 choix->ButtonMASTri, choix->Buttontan2bS, choix->ButtonAPPstat})
            QTest::mouseClick(b, Qt::LeftButton);
        QTRY_VERIFY(applications->isVisible());
        QTest::mouseClick(choix->ButtonEtudeStatique, Qt::LeftButton);
        QTRY_VERIFY(trace->isVisible() && !choix->isVisible());
        QVERIFY(!applications->isVisible());
        trace->close();
        QVERIFY(rapport->messages.empty());
    }
};

QTEST_MAIN(TstParcours)
#include "tst_parcours.moc"
