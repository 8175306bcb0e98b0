// Each link fault kind, over a pseudo-terminal or 127.0.0.1, in one acquisition mode:
// isolated failures go on; a lasting one stops, every point kept, "----" shown, the
// event loop turning; once it is gone the next acquisition works.
#include "BancEspion.h"

using namespace orvane;
using sim::Defaut;

namespace {
enum Mode { Manuel, Auto, ChargeManu, ChargeAuto, Oscillo };
// The first n stored points of a trial, all quantities.
std::vector<int32_t> Valeurs(const Caracteristique& c, int n) {
    std::vector<int32_t> v;
    for (int q = 0; q < NbGrandeurs; ++q)
        for (int p = 0; p < n && p <= c.Dernier(); ++p) v.push_back(c.Point(q, p));
    return v;
}
}  // namespace

Q_DECLARE_METATYPE(Defaut)

class TstPannes : public essai::FenetreSurServeur {
    Q_OBJECT

    FonctionPause pause;

    QTimer* Minuterie(int m) const {
        return std::array{f->TimerManu, f->TimerAuto, f->TimerManu, f->TimerChargeAuto,
                          f->TimerOscillo}[static_cast<size_t>(m)];
    }
    bool Arretee() const {
        for (int m = 0; m < 5; ++m)
            if (Minuterie(m)->isActive()) return false;
        return AcquisitionEnCours == 0;
    }
    static int Stockes() {  // the points of every trial (a capture may start a new one)
        int n = 0;
        for (int k = 1; k <= Etude.NbCaract; ++k) n += Caracts[k].Dernier() + 1;
        return n;
    }
    // Starts the mode through its buttons and waits for one more point.
    bool Demarrer(int m) {
        const auto i = static_cast<size_t>(m);
        const int avant = Stockes();
        std::array{f->ButtonManu, f->ButtonAuto, f->ButtonChargeManu, f->ButtonChargeAuto,
                   f->ButtonChargeDynamique}[i]
            ->click();
        if (!Attendre([&] { return com->LectureValide(); }, 2000)) return false;
        if (m == Oscillo && f->ButtonSynchro->isChecked()) f->ButtonSynchro->click();
        std::array{f->ButtonAcquiPointCaract, f->ButtonAutoCroissant, f->ButtonAcquiPointStatique,
                   f->ButtonAcquiAutoStatique, f->SpeedButtonOscillo}[i]
            ->click();
        return Attendre([&] { return Stockes() > avant; }, 3000) && Minuterie(m)->isActive();
    }

private slots:
    // The settling pauses after control words matter to a real drive only.
    void initTestCase() {
        pause = DefinirPause([](int ms) { QThread::msleep(std::min(ms, 10)); });
    }
    void cleanupTestCase() { DefinirPause(pause); }
    void cleanup() { Liberer(); }

    // The drive's replies at fault; Aucun: the pseudo-terminal closed under
    // the open port; Deconnexion: TCP connections reset.
    void panne_data() {
        QTest::addColumn<Defaut>("defaut");
        QTest::addColumn<int>("mode");
        QTest::newRow("bad CRC, manual") << Defaut::MauvaisCrc << int{Manuel};
        QTest::newRow("silence, automatic") << Defaut::Silence << int{Auto};
        QTest::newRow("exception, static manual") << Defaut::Exception << int{ChargeManu};
        QTest::newRow("slow, static automatic") << Defaut::Lent << int{ChargeAuto};
        QTest::newRow("pty closed, oscilloscope") << Defaut::Aucun << int{Oscillo};
        QTest::newRow("TCP reset, automatic") << Defaut::Deconnexion << int{Auto};
    }
    void panne() {
        QFETCH(Defaut, defaut);
        QFETCH(int, mode);
        const bool ptyFermee = defaut == Defaut::Aucun;
        const int delai = defaut == Defaut::Lent ? 600 : 0;  // beyond every read time-out
        // "T = a.n²+b" static for the loads, dynamic for the oscilloscope
        Essai(MasTriphasee, std::array{1, 1, 8, 8, 12}[static_cast<size_t>(mode)]);
        // 100 s of capture (the longest that fits a trial): no end of its own here
        ReglagesCourants[MotDureeOscillo] = 22, ReglagesCourants[MotGrandeurSynchro] = GVitesse;
        QVERIFY(Servir(MasTriphasee, defaut == Defaut::Deconnexion));
        Montrer();
        QVERIFY(Demarrer(mode) && rapport->messages.empty());

        int tours = 0;  // the event loop turns all along: this fires between the ticks
        QTimer temoin;
        connect(&temoin, &QTimer::timeout, this, [&] { ++tours; }), temoin.start(5);

        // Isolated failures (one request in four) let it go on; a reset TCP
        // connection is opened again for the request it lost. A reply late
        // beyond the time-outs holds up the next one too: never isolated.
        if (!ptyFermee && defaut != Defaut::Lent) {
            serveur->serveur.DefinirInjection({defaut, delai, 4});
            const int avant = Points();
            QVERIFY(Attendre([&] { return serveur->serveur.Fautes() >= 2; }, 5000));
            QVERIFY(Attendre([&] { return com->LectureValide(); }, 2000));
            QVERIFY(Minuterie(mode)->isActive() && AcquisitionEnCours == 1 &&
                    (mode != Oscillo || Points() > avant) && rapport->messages.empty());
        }

        // The lasting fault: stopped as Stop would, the points kept.
        const int gardes = Points(), essai = CaractCourante;
        const std::vector<int32_t> valeurs = Valeurs(C(), gardes);
        tours = 0;
        // pty closed: the device goes away under the open port
        ptyFermee ? serveur.reset() : serveur->serveur.DefinirInjection({defaut, delai, 1});
        QVERIFY(Attendre([&] { return Arretee(); }, 10000) && tours > 0);
        QVERIFY(Valeurs(C(), Points()) == valeurs && f->TextVitesse->text() == "----");
        for (auto* b : {f->ButtonManu, f->ButtonAuto, f->ButtonChargeManu, f->ButtonChargeAuto,
                        f->ButtonChargeDynamique})
            QVERIFY(!b->isChecked());
        // The drive could not be put back to rest: said once. A device gone
        // is a closed link: nothing sent, nothing said.
        QCOMPARE(rapport->messages,
                 std::vector<std::string>(ptyFermee ? 0 : 1, "Erreur de liaison"));
        tours = 0;
        QTRY_VERIFY_WITH_TIMEOUT(tours > 0, 30);

        // The fault gone (the device back, its port chosen again): points again.
        if (ptyFermee)
            QVERIFY(Servir(MasTriphasee));
        else
            serveur->serveur.DefinirInjection({});
        QTest::qWait(delai);  // a drive that answered late may still be sending
        rapport->messages.clear();
        QVERIFY(Demarrer(mode));
        f->ButtonStopManuClick();
        QVERIFY(Arretee() && Stockes() > gardes && rapport->messages.empty() &&
                Valeurs(Caracts[essai], gardes) == valeurs);
    }
};

QTEST_MAIN(TstPannes)
#include "tst_pannes.moc"
