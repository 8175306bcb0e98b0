// The choice window driven through its buttons and pages.
#include <QtTest>
#include <QtWidgets>

#include "dialogs/NouvelCaract.h"
#include "load/ChoixCaract.h"
#include "load/PanelCaract.h"
#include "study/Study.h"

using namespace orvane;

namespace {
using L = QList<int>;

struct TraceFactice : IFenetreTrace {
    bool Setcourbe() override { return ++setcourbe, accepte; }
    void Montrer() override {
        ++montrer, visible = true, choixVisible = FormChoixCaract && FormChoixCaract->isVisible();
    }
    bool EstVisible() const override { return visible; }
    void Langue() override {}
    bool Avertissement() override { return true; }
    int setcourbe = 0, montrer = 0;
    bool accepte = true, visible = false, choixVisible = false;
};

}  // namespace

class TstChoixCaract : public QObject {
    Q_OBJECT

    TraceFactice trace;
    QWidget menu;
    std::unique_ptr<TFormChoixCaract> f;
    std::unique_ptr<TNouvelCaract> nouvel;
    QList<int> avertis;  // types the warning was shown for
    bool reponse = false;

    static void clic(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void page(int p) {
        QTabBar* barre = f->PageControl->tabBar();
        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(p).center());
        QCOMPARE(f->PageControl->currentIndex(), p);
    }
    QAbstractButton* charge(int t) {
        return f->GroupeCharge[TFormChoixCaract::PageDuType(t)]->button(t);
    }
    void ouvrir(int p) {
        f->Ouvrir(p);
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    }

private slots:
    void initTestCase() {
        FormMachine2 = &menu;
        f = std::make_unique<TFormChoixCaract>(), nouvel = std::make_unique<TNouvelCaract>();
    }
    void init() {
        ChoixLangue(LangueFrancais), InitEtude();
        ConfigGenerale.GammePuissance = 0, ConfigGenerale.FrequenceReseau = 50;
        trace = TraceFactice(), FormTraceCaract = &trace, avertis.clear(), reponse = false;
        f->Avertissement = [this](int type) { return avertis << type, reponse; };
    }
    void cleanup() { f->hide(), menu.hide(); }

    // The coupling aid follows the synchronous machine; the "Temporel" page
    // clears word 1, and the static page's button counts again on return.
    void couplingAidAndTemporelPage() {
        ConfigGenerale.GammePuissance = 1, ouvrir(0);
        QVERIFY(!f->ButtonCouplage->isEnabled());
        clic(f->ButtonMSynch), clic(f->ButtonCouplage);
        QCOMPARE(ReglagesCourants[MotTypeCaract], 5);
        QCOMPARE(f->TextCaractCharge->text(), QStringLiteral(" Aide au couplage sur le réseau"));
        clic(f->ButtonMASTri);
        QVERIFY(!f->ButtonCouplage->isChecked() && !f->ButtonCouplage->isEnabled() &&
                ReglagesCourants[MotTypeCaract] == 0);
        page(1), clic(f->ButtonMCCInd), clic(f->Buttontan2bS);
        QCOMPARE(f->PanelCaractS->Type(), 8);
        page(2);
        QVERIFY(ReglagesCourants[MotTypeCaract] == 0 && !f->PanelCaractS->isVisible() &&
                !f->PanelCaractD->isVisible());
        QVERIFY(!f->ButtonVISUALISATION->isEnabled() && !f->ButtonEtudeDynamique->isEnabled());
        page(1);
        QCOMPARE(ReglagesCourants[MotTypeCaract], 8);
    }

    // The warning before a load study ("T = cst" yes, "T = a.n²+b" never):
    // cancelled, nothing goes on; else the tracing window is shown while this
    // one still is, then this one closes.
    void warning() {
        // type, current trial's type (0 none), warned, answer
        for (const QList<int>& c : {QList{6, 0, 1, 0}, {6, 0, 1, 1}, {6, 6, 0, 0}, {8, 0, 0, 0}}) {
            cleanup(), init();
            const int p = TFormChoixCaract::PageDuType(c[0]);
            if (c[1]) ReglagesCourants[MotTypeCaract] = c[1], NouvelleCaract();
            ReglagesCourants[MotTypeCaract] = 0, reponse = c[3], Etude.Vues[0].Presente = 1;
            ouvrir(p), clic(f->ButtonMASTri), clic(charge(c[0]));
            clic(QList{f->ButtonEtudeCaract, f->ButtonEtudeStatique, f->ButtonEtudeDynamique}[p]);
            QCOMPARE(avertis, c[2] ? QList<int>{c[0]} : QList<int>{});
            const bool suite = !c[2] || c[3];
            QCOMPARE(QList<int>({trace.setcourbe, trace.montrer, trace.choixVisible}),
                     QList<int>(3, suite));
            QVERIFY(f->isVisible() == !suite && !menu.isVisible());
        }
    }

    // Without a view, ETUDE opens the new-characteristic dialog for view 1;
    // cancelled, the choice stays open.
    void noViewOpensNewCharacteristicDialog() {
        ouvrir(0), clic(f->ButtonMCCSerie), clic(f->ButtonTcstC);
        for (bool valider : {false, true}) {
            QList<int> vu;
            QTimer::singleShot(0, nouvel.get(), [&] {
                vu = {nouvel->isVisible(), nouvel->Mode, nouvel->NumeroVue};
                clic(valider ? nouvel->BtnOK : nouvel->BitBtn2);
            });
            clic(f->ButtonEtudeCaract);
            QCOMPARE(vu, QList<int>({1, 0, 1}));
            QCOMPARE(L({f->isVisible(), trace.setcourbe, NbVuesGraphe()}),
                     L({!valider, valider, valider}));
        }
    }

    // Opened from the tracing window's "Charge", modal to it: left without
    // "ETUDE" the settings are given back; with it they stay; when no trial
    // can take them, the window stays open. From the menu: modal to nothing.
    void choiceFromTheTracingWindow() {
        for (int fin : {0, 1, 2}) {  // closed, ETUDE taken, ETUDE refused
            cleanup(), init();
            QWidget appelant;
            appelant.show();
            QVERIFY(QTest::qWaitForWindowExposed(&appelant));
            ReglagesCourants[MotTypeMachine] = MasTriphasee, ReglagesCourants[MotTypeCaract] = 1;
            Etude.Vues[0].Presente = 1, trace.accepte = fin != 2, trace.visible = true;
            f->Ouvrir(0, &appelant);
            QVERIFY(f->windowModality() == Qt::WindowModal &&
                    f->windowHandle()->transientParent() == appelant.windowHandle());
            clic(f->ButtonMCCInd), clic(f->ButtonNcste);
            clic(fin == 0 ? f->ButtonFermer1 : f->ButtonEtudeCaract);
            QVERIFY(f->isVisible() == (fin == 2) && !menu.isVisible());
            QCOMPARE(L({trace.setcourbe, trace.montrer}), L({fin != 0, fin == 1}));
            QCOMPARE(L({ReglagesCourants[MotTypeMachine], ReglagesCourants[MotTypeCaract]}),
                     fin ? L({1, 3}) : L({MasTriphasee, 1}));
            f->hide();
        }
        f->Ouvrir(0);
        QVERIFY(f->windowModality() == Qt::NonModal && !f->windowHandle()->transientParent());
    }
};

QTEST_MAIN(TstChoixCaract)
#include "tst_choixcaract.moc"
