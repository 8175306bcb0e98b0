// An oscilloscope capture end to end over the real serial path: the
// simulated drive served on a pseudo-terminal, reached as a real drive is
// (link type 1), the window driven through its controls in real time.
#include <QComboBox>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "OutilsEssai.h"
#include "dialogs/FormCom.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

class TstOscilloSerie : public QObject {
    Q_OBJECT

private slots:
    void captureWithoutSynchronisation() {
        essai::RapportEnregistre rapport;
        essai::ServeurEnFond serveur;
        const std::string pty = serveur.Pty();
        QVERIFY(!pty.empty());
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSerie;
        ConfigGenerale.PortSerie.Ecrire(pty);
        InitEtude();
        Etude.Vues[0] = {1, 1, {0, 0}, GTemps, 18, {0, 0}, GVitesse, 18, {0, 0}, 1};
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 12;  // "T = a.n²+b", dynamic
        ReglagesCourants[MotInertie] = 200;
        ReglagesCourants[MotDureeOscillo] = 0;  // 5 s
        NouvelleCaract();
        TFormCom com;
        TFormTraceCaract f;
        f.show();
        f.Action();
        // The mode opens the link it finds closed.
        QVERIFY(!com.LiaisonOuverte());
        QTest::mouseClick(f.ButtonChargeDynamique, Qt::LeftButton);
        QVERIFY(f.ButtonChargeDynamique->isChecked());
        QVERIFY(com.LiaisonOuverte());
        QTest::mouseClick(f.ButtonSynchro, Qt::LeftButton);
        QVERIFY(!f.ButtonSynchro->isChecked());
        QTest::mouseClick(f.SpeedButtonOscillo, Qt::LeftButton);
        for (int i = 0; i < 300 && f.TimerOscillo->isActive(); ++i) QTest::qWait(50);
        QVERIFY(!f.TimerOscillo->isActive());
        QVERIFY(!f.ButtonChargeDynamique->isChecked());
        const Caracteristique& c = Caracts[1];
        QVERIFY2(c.Dernier() > 40, qPrintable(QString::number(c.Dernier())));
        QVERIFY(c.Point(GTemps, 0) <= 20);
        QVERIFY(c.Point(GTemps, c.Dernier()) > 500);
        QVERIFY(c.Point(GTemps, c.Dernier() - 1) <= 500);
        for (int p = 1; p <= c.Dernier(); ++p) QVERIFY(c.Point(GTemps, p) > c.Point(GTemps, p - 1));
        // The machine turned under the load.
        QVERIFY(c.Point(GVitesse, c.Dernier()) > 100);
        QVERIFY(rapport.messages.empty());
        com.Ferme();
    }
};

QTEST_MAIN(TstOscilloSerie)
#include "tst_oscilloserie.moc"
