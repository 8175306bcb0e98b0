// The live display on the simulated bench, driven through its controls.
#include "BancEspion.h"
#include "dialogs/Habillage.h"
#include "load/Affichage.h"
#include "load/Visualisation.h"

using namespace orvane;

class TstVisualisation : public QObject {
    Q_OBJECT

    std::unique_ptr<essai::BancEspion> banc;
    essai::LienEspionne* lien = nullptr;
    std::unique_ptr<TFormCom> com;
    std::unique_ptr<TFormVisualisation> v;
    QWidget appelante;  // stands for the choice window
    std::optional<essai::RapportEnregistre> rapport;

    QString valeur(int k) const { return v->Affichage[k - 1]->TextAffichage->text(); }
    // n ticks of the timer, the clock moving on as it would.
    void ticks(int n) {
        for (int i = 0; i < n; ++i, v->TimerATimer())
            banc->maintenant += TFormVisualisation::IntervalleMs;
    }
    void ouvrir(int machine, int type) {
        ReglagesCourants[MotTypeMachine] = machine, ReglagesCourants[MotTypeCaract] = type;
        appelante.show(), v->show();
        QVERIFY(v->isVisible());
    }

private slots:
    void initTestCase() {
        banc = std::make_unique<essai::BancEspion>();
        ConfigGenerale = ConfigDefaut, ConfigGenerale.TypeLiaison = LiaisonSimulation;
        (com = std::make_unique<TFormCom>())->Transport(LiaisonSimulation);
        QVERIFY(lien = banc->lien);
        (v = std::make_unique<TFormVisualisation>())->FenetreAppelante = &appelante;
        QCOMPARE(FormVisualisation, v.get());
    }
    void init() {
        ConfigGenerale = ConfigDefaut, ConfigGenerale.TypeLiaison = LiaisonSimulation;
        ChoixLangue(LangueFrancais), InitEtude(), ReglagesCourants[MotCalibre] = 0;
        com->Initialise(), lien->journal.clear(), lien->echecs = 0, rapport.emplace();
    }
    void cleanup() { v->close(), appelante.hide(), rapport.reset(); }

    // K = 0 is sent and read before the law's control word; K, dragged or
    // keyed, is sent x10 and read back at once; closing, however done, stops
    // the timer and sends only the rest word, and closing again nothing.
    void sessionSendsInOrder() {
        // machine, law, control word, closing (button, close box, Escape)
        for (const QList<int>& c :
             {QList{1, 1, 2 << 8 | 5, 0}, {3, 3, 4 << 8 | 5, 1}, {5, 5, 10 << 8 | 5, 2}}) {
            cleanup(), init(), ouvrir(c[0], c[1]);
            const QStringList& j = lien->journal;
            const qsizetype k = j.indexOf(QStringLiteral("W19.20=0"));
            const qsizetype lecture = j.indexOf(QStringLiteral("R20.2"), k);
            const qsizetype marche = j.indexOf(QStringLiteral("W20.29=%1").arg(c[2]));
            QVERIFY2(k >= 0 && lecture > k && marche > lecture, qPrintable(j.join(' ')));
            QVERIFY(v->TimerA->isActive() && appelante.isHidden() && rapport->messages.empty());
            lien->journal.clear(), c[3] == 1 ? QTest::keyClick(v->ScrollBarK, Qt::Key_End)
                                             : v->ScrollBarK->setSliderPosition(37);
            const int position = c[3] == 1 ? 100 : 37;
            QCOMPARE(v->TextK->text(), QStringLiteral("K = %1%").arg(position));
            QCOMPARE(lien->journal.first(), QStringLiteral("W19.20=%1").arg(position * 10));
            QCOMPARE(com->R[10], position * 10);  // the drive's K in use
            lien->journal.clear();
            // v->close() is what the window frame's close box does.
            c[3] == 0   ? QTest::mouseClick(v->ButtonClose, Qt::LeftButton)
            : c[3] == 1 ? void(v->close())
                        : QTest::keyClick(v.get(), Qt::Key_Escape);
            QVERIFY(!v->isVisible() && !v->TimerA->isActive() && appelante.isVisible());
            QCOMPARE(lien->journal, QStringList{QStringLiteral("W20.29=1")});
            appelante.hide(), v->close();
            QVERIFY(lien->journal.size() == 1 && appelante.isHidden());
        }
    }

    // The DC series machine hides frames 7 and 9.
    void framesFollowTheMachine() {
        ouvrir(2, 1), v->ScrollBarK->setSliderPosition(40), ticks(8);
        for (int k = 1; k <= 10; ++k) QCOMPARE(v->Affichage[k - 1]->isHidden(), k == 7 || k == 9);
    }

    // The window opens the link when it is closed; closed elsewhere while
    // shown, the values give way to "----" and the status line, silently.
    // With no link at all, the one message comes from the opening.
    void linkOpenedOnShowClosedElsewhereOrAbsent() {
        com->Ferme(), ouvrir(1, 1);
        QVERIFY(com->LiaisonOuverte() && v->ValeursValides() &&
                v->TextEtatLiaison->text().isEmpty());
        QCOMPARE(valeur(1), QString::fromStdString(FormatGrandeur(1)));
        com->Ferme(), ticks(1);
        QVERIFY(valeur(2) == "----" && rapport->messages.empty());
        QCOMPARE(v->TextEtatLiaison->text(), TexteNumero(TexteSansLiaison));
        v->close(), ConfigGenerale.TypeLiaison = LiaisonAucune;
        ValeursCourantes[GVitesse] = 1234;  // left over: never shown as a measurement
        ouvrir(1, 1), ticks(8);
        QCOMPARE(rapport->messages.size(), size_t{1});
        for (int k = 1; k <= 10; ++k) QCOMPARE(valeur(k), QStringLiteral("----"));
        QCOMPARE(v->TextEtatLiaison->text(), TexteNumero(TexteSansLiaison));
    }

    // One failed exchange keeps the values and says so; a reading given up
    // shows "----"; all clears when readings come back; never a dialog.
    void lostLinkShowsDashesUntilReadingsReturn() {
        for (int echecs : {1, 2}) {  // one failed exchange; read and echo fail
            cleanup(), init(), ouvrir(1, 1), ticks(2);
            const QString avant = valeur(1);
            QVERIFY(!avant.startsWith(QStringLiteral("--")));
            lien->echecs = echecs, ticks(1);
            QCOMPARE(valeur(1), echecs == 1 ? avant : QStringLiteral("----"));
            QCOMPARE(v->TextEtatLiaison->text(),
                     TexteNumero(echecs == 1 ? TexteLiaisonPerdue : TexteLiaisonCoupee));
            QVERIFY(rapport->messages.empty());
            ticks(1);
            QCOMPARE(valeur(1), QString::fromStdString(FormatGrandeur(1)));
            QVERIFY(v->ValeursValides() && v->TextEtatLiaison->text().isEmpty());
        }
    }
};

QTEST_MAIN(TstVisualisation)
#include "tst_visualisation.moc"
