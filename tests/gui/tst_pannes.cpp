// Faults of the drive's link in every acquisition mode, over the real
// transports: the simulated drive served on a pseudo-terminal (Modbus RTU)
// or on 127.0.0.1 (Modbus TCP), with its faults switched on and off while
// the tracing window acquires. For each fault and mode: isolated failures
// let the acquisition go on, a lasting fault stops it with every stored
// point kept and "----" shown, the event loop keeps turning throughout, and
// once the fault is gone the next acquisition works.
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <chrono>
#include <memory>
#include <thread>

#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "dialogs/FormCom.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;
using sim::Defaut;

namespace {

enum class Mode { Manuel, Auto, ChargeManu, ChargeAuto, Oscillo };
// How the fault reaches the program: a fault of the drive's replies, the
// pseudo-terminal closed under the open port, or TCP connections reset.
enum class Panne { Reponse, PtyFermee, TcpReset };

template <typename Condition>
bool Attendre(Condition condition, int ms) {
    for (int i = 0; i < ms / 10 && !condition(); ++i) QTest::qWait(10);
    return condition();
}

QString Texte(int n) {
    const std::string_view s = Textes.Texte(n);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The first n stored points of a trial, all quantities.
std::vector<int32_t> Valeurs(const Caracteristique& c, int n) {
    std::vector<int32_t> v;
    for (int q = 0; q < NbGrandeurs; ++q)
        for (int p = 0; p < n && p <= c.Dernier(); ++p) v.push_back(c.Point(q, p));
    return v;
}

}  // namespace

Q_DECLARE_METATYPE(Mode)
Q_DECLARE_METATYPE(Panne)
Q_DECLARE_METATYPE(Defaut)

class TstPannes : public QObject {
    Q_OBJECT

    std::unique_ptr<essai::ServeurEnFond> serveur;
    std::unique_ptr<TFormCom> com;
    std::unique_ptr<TFormTraceCaract> f;
    std::unique_ptr<essai::RapportEnregistre> rapport;
    FonctionPause pause;

    const Caracteristique& C() const { return Caracts[CaractCourante]; }
    int Points() const { return C().Dernier() + 1; }

    // A drive served on a new pseudo-terminal (or TCP), the configuration
    // pointing at it.
    bool Servir(bool tcp) {
        serveur = std::make_unique<essai::ServeurEnFond>();
        serveur->variateur.SetTypeMachine(MasTriphasee);
        if (tcp) {
            if (!serveur->Tcp()) return false;
            ConfigGenerale.TypeLiaison = LiaisonReseau;
            AdresseReseau = "(127.0.0.1)";
            com->Reseau().PortTcp = serveur->serveur.Port();
            return true;
        }
        const std::string pty = serveur->Pty();
        ConfigGenerale.TypeLiaison = LiaisonSerie;
        ConfigGenerale.PortSerie.Ecrire(pty);
        return !pty.empty();
    }

    static int Type(Mode m) {
        switch (m) {
            case Mode::Manuel:
            case Mode::Auto: return 1;
            case Mode::ChargeManu:
            case Mode::ChargeAuto: return 8;  // "T = a.n²+b", static
            case Mode::Oscillo: return 12;    // the same law, dynamic
        }
        return 1;
    }
    QTimer* Minuterie(Mode m) const {
        switch (m) {
            case Mode::Manuel:
            case Mode::ChargeManu: return f->TimerManu;
            case Mode::Auto: return f->TimerAuto;
            case Mode::ChargeAuto: return f->TimerChargeAuto;
            case Mode::Oscillo: return f->TimerOscillo;
        }
        return nullptr;
    }
    bool Arretee() const {
        return !f->TimerManu->isActive() && !f->TimerAuto->isActive() &&
               !f->TimerChargeAuto->isActive() && !f->TimerOscillo->isActive() &&
               AcquisitionEnCours == 0;
    }

    // Starts the mode through its buttons and waits for one more point.
    bool Demarrer(Mode m) {
        auto clic = [](QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); };
        const int avant = Points();
        switch (m) {
            case Mode::Manuel: clic(f->ButtonManu); break;
            case Mode::Auto: clic(f->ButtonAuto); break;
            case Mode::ChargeManu: clic(f->ButtonChargeManu); break;
            case Mode::ChargeAuto: clic(f->ButtonChargeAuto); break;
            case Mode::Oscillo: clic(f->ButtonChargeDynamique); break;
        }
        if (!Attendre([&] { return com->LectureValide(); }, 2000)) return false;
        switch (m) {
            case Mode::Manuel: clic(f->ButtonAcquiPointCaract); break;
            case Mode::Auto: clic(f->ButtonAutoCroissant); break;
            case Mode::ChargeManu: clic(f->ButtonAcquiPointStatique); break;
            // The first point is taken away from (0, 0): the machine runs.
            case Mode::ChargeAuto: clic(f->ButtonAcquiAutoStatique); break;
            case Mode::Oscillo:
                if (f->ButtonSynchro->isChecked()) clic(f->ButtonSynchro);
                clic(f->SpeedButtonOscillo);
                break;
        }
        return Attendre([&] { return Points() > avant; }, 3000) && Minuterie(m)->isActive();
    }

private slots:
    void initTestCase() {
        // The settling pauses after control words matter to a real drive
        // only; the simulated one answers at once.
        pause = DefinirPause([](int ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
        });
    }
    void cleanupTestCase() { DefinirPause(pause); }

    void cleanup() {
        if (f) f->ArreterAcquisition();
        f.reset();
        if (com) com->Liberer();
        com.reset();
        serveur.reset();
        rapport.reset();
        AcquisitionEnCours = 0;
    }

    void panne_data() {
        QTest::addColumn<Panne>("panne");
        QTest::addColumn<Defaut>("defaut");
        QTest::addColumn<int>("delai");  // of a slow reply, ms
        QTest::addColumn<Mode>("mode");
        const struct {
            const char* nom;
            Panne panne;
            Defaut defaut;
            int delai;
        } pannes[] = {
            {"bad CRC", Panne::Reponse, Defaut::MauvaisCrc, 0},
            {"silence", Panne::Reponse, Defaut::Silence, 0},
            {"exception", Panne::Reponse, Defaut::Exception, 0},
            // beyond every read time-out of the serial port
            {"slow", Panne::Reponse, Defaut::Lent, 600},
            {"pty closed", Panne::PtyFermee, Defaut::Aucun, 0},
            {"TCP reset", Panne::TcpReset, Defaut::Deconnexion, 0},
        };
        const struct {
            const char* nom;
            Mode mode;
        } modes[] = {{"manual", Mode::Manuel},
                     {"automatic", Mode::Auto},
                     {"static manual", Mode::ChargeManu},
                     {"static automatic", Mode::ChargeAuto},
                     {"oscilloscope", Mode::Oscillo}};
        for (const auto& p : pannes)
            for (const auto& m : modes)
                QTest::addRow("%s, %s", p.nom, m.nom) << p.panne << p.defaut << p.delai << m.mode;
    }
    void panne() {
        QFETCH(Panne, panne);
        QFETCH(Defaut, defaut);
        QFETCH(int, delai);
        QFETCH(Mode, mode);
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        InitEtude();
        AcquisitionEnCours = 0;
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        ReglagesCourants[MotTypeCaract] = Type(mode);
        ReglagesCourants[MotDureeOscillo] = 24;  // 120 s: no end of its own here
        ReglagesCourants[MotGrandeurSynchro] = GVitesse;
        rapport = std::make_unique<essai::RapportEnregistre>();
        com = std::make_unique<TFormCom>();
        QVERIFY(Servir(panne == Panne::TcpReset));
        NouvelleCaract();
        f = std::make_unique<TFormTraceCaract>();
        f->show();
        f->Action();

        QVERIFY(Demarrer(mode));
        QVERIFY(rapport->messages.empty());

        // The event loop turns all along: this fires between the ticks.
        int tours = 0;
        QTimer temoin;
        connect(&temoin, &QTimer::timeout, this, [&] { ++tours; });
        temoin.start(5);

        // Isolated failures (one request in four: never two exchanges of a
        // step, nor two steps in a row): the acquisition goes on, and so do
        // the points of the modes that take them by themselves. A reset TCP
        // connection is opened again for the request it lost. A reply late
        // beyond the time-outs holds up the next one as well (the drive
        // answers in turn), so it is never isolated: it is a lasting fault.
        if (panne != Panne::PtyFermee && defaut != Defaut::Lent) {
            serveur->serveur.DefinirInjection({defaut, delai, 4});
            const int avant = Points();
            QVERIFY(Attendre([&] { return serveur->serveur.Fautes() >= 2; }, 5000));
            QVERIFY(Attendre([&] { return com->LectureValide(); }, 2000));
            QVERIFY(Minuterie(mode)->isActive());
            QCOMPARE(AcquisitionEnCours, 1);
            if (mode == Mode::Oscillo) QVERIFY(Points() > avant);
            QVERIFY(rapport->messages.empty());
        }

        // The lasting fault: stopped as Stop would, the points kept.
        const int gardes = Points();
        const std::vector<int32_t> valeurs = Valeurs(C(), gardes);
        tours = 0;
        if (panne == Panne::PtyFermee)
            serveur.reset();  // the device goes away under the open port
        else
            serveur->serveur.DefinirInjection({defaut, delai, 1});
        QVERIFY(Attendre([&] { return Arretee(); }, 10000));
        QVERIFY(tours > 0);
        QCOMPARE(Points(), gardes);
        QCOMPARE(Valeurs(C(), gardes), valeurs);
        QCOMPARE(f->TextVitesse->text(), Texte(62));
        QVERIFY(!f->ButtonManu->isChecked() && !f->ButtonAuto->isChecked() &&
                !f->ButtonChargeManu->isChecked() && !f->ButtonChargeAuto->isChecked() &&
                !f->ButtonChargeDynamique->isChecked());
        // The drive could not be put back to rest: said once, nothing else.
        // A device gone is a closed link: nothing is sent, nothing said.
        if (panne == Panne::PtyFermee)
            QVERIFY(rapport->messages.empty());
        else
            QCOMPARE(rapport->messages, std::vector<std::string>{std::string(Textes.Texte(168))});
        tours = 0;
        QTest::qWait(30);
        QVERIFY(tours > 0);

        // The fault gone (the device plugged back and its port chosen again
        // in the settings): the next acquisition takes its points.
        if (panne == Panne::PtyFermee)
            QVERIFY(Servir(false));
        else
            serveur->serveur.DefinirInjection({});
        // A drive that answered late may still be sending what it owed.
        QTest::qWait(delai);
        rapport->messages.clear();
        QVERIFY(Demarrer(mode));
        f->ButtonStopManuClick();
        QVERIFY(Arretee());
        QVERIFY(Points() > gardes);
        QCOMPARE(Valeurs(C(), gardes), valeurs);
        QVERIFY(rapport->messages.empty());
    }
};

QTEST_MAIN(TstPannes)
#include "tst_pannes.moc"
