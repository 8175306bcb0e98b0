// Endurance driver: the communication object and the tracing window, as the
// program has them, acquiring for a given time from a drive served on a
// pseudo-terminal, in every mode in turn: an oscilloscope capture, manual
// points, automatic points on a static load, an automatic sweep. Each round
// starts a fresh study and saves it. Prints one line of counts every 10 s and
// a last one at the end; the memory and the handles are looked at from
// outside (scripts/soak.sh).
//
//   orvane-soak PORT SECONDS [FOLDER]
//
// PORT is the port name as the configuration stores it ("pts/4"); the study
// is saved as FOLDER/soak.OVX2 (default: the temporary folder).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "dialogs/FormCom.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

QElapsedTimer horloge;
int64_t finMs = 0;
long points = 0, tours = 0, arretsSurPanne = 0, sauvegardesRatees = 0;

bool Fini() { return horloge.elapsed() >= finMs; }

// Lets the event loop turn for ms milliseconds (less at the end).
void Patienter(int ms) {
    const int64_t reste = finMs - horloge.elapsed();
    if (reste <= 0) return;
    QEventLoop boucle;
    QTimer::singleShot(static_cast<int>(std::min<int64_t>(ms, reste)), &boucle, &QEventLoop::quit);
    boucle.exec();
}

// Waits until `condition` (at most ms milliseconds); its final value.
bool Attendre(const std::function<bool()>& condition, int ms) {
    for (int i = 0; i < ms / 20 && !condition() && !Fini(); ++i) Patienter(20);
    return condition();
}

void Clic(QToolButton* b) { b->click(); }

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvane-soak PORT SECONDS [FOLDER]\n");
        return 1;
    }
    const std::string port = argv[1];
    finMs = std::stoll(argv[2]) * 1000;
    const std::string fichier =
        ((argc > 3 ? std::filesystem::path(argv[3]) : std::filesystem::temp_directory_path()) /
         "soak.OVX2")
            .string();

    ChoixLangue(LangueFrancais);
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ConfigGenerale.PortSerie.Ecrire(port);
    InitEtude();
    ReglagesCourants = EnteteCaractDefaut;
    ReglagesCourants[MotTypeMachine] = MasTriphasee;
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelleCaract();
    TFormCom com;
    TFormTraceCaract f;
    f.show();
    f.Action();

    auto arrete = [&f] {
        return !f.TimerManu->isActive() && !f.TimerAuto->isActive() &&
               !f.TimerChargeAuto->isActive() && !f.TimerOscillo->isActive();
    };
    auto nouvelleEtude = [&f](int type) {
        f.ArreterAcquisition();
        InitEtude();
        ReglagesCourants = EnteteCaractDefaut;
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        ReglagesCourants[MotTypeCaract] = type;
        ReglagesCourants[MotDureeOscillo] = 5;  // 10 s
        NouvelleCaract();
        f.Action();
    };
    auto compter = [&] {
        points += Caracts[CaractCourante].Dernier() + 1;
        if (!com.LectureValide()) ++arretsSurPanne;
    };

    QTimer rapport;
    QObject::connect(&rapport, &QTimer::timeout, [&] {
        std::printf("t=%llds rounds=%ld points=%ld stops-on-failure=%ld failed-saves=%ld\n",
                    static_cast<long long>(horloge.elapsed() / 1000), tours, points, arretsSurPanne,
                    sauvegardesRatees);
        std::fflush(stdout);
    });
    horloge.start();
    rapport.start(10000);
    std::printf("ready\n");
    std::fflush(stdout);

    while (!Fini()) {
        // An oscilloscope capture of 10 s without synchronisation.
        nouvelleEtude(12);
        Clic(f.ButtonChargeDynamique);
        if (f.ButtonSynchro->isChecked()) Clic(f.ButtonSynchro);
        Clic(f.SpeedButtonOscillo);
        Attendre(arrete, 15000);
        compter();

        // Manual points, one every 200 ms, K moved along.
        nouvelleEtude(1);
        Clic(f.ButtonManu);
        for (int k = 0; k < 25 && !Fini() && f.TimerManu->isActive(); ++k) {
            f.ScrollBarK->setValue(k * 4);
            Patienter(200);
            Clic(f.ButtonAcquiPointCaract);
        }
        compter();
        f.ButtonStopManuClick();

        // Automatic points on a static load for 5 s.
        nouvelleEtude(8);
        Clic(f.ButtonChargeAuto);
        Clic(f.ButtonAcquiAutoStatique);
        Patienter(5000);
        compter();
        f.ButtonStopManuClick();

        // A rising sweep, to its end.
        nouvelleEtude(1);
        Clic(f.ButtonAuto);
        Patienter(300);
        Clic(f.ButtonAutoCroissant);
        Attendre(arrete, 15000);
        compter();
        f.ButtonStopManuClick();

        if (!EnregistrerEtude(fichier)) ++sauvegardesRatees;
        ++tours;
    }
    f.ArreterAcquisition();
    com.Ferme();
    std::printf("end t=%llds rounds=%ld points=%ld stops-on-failure=%ld failed-saves=%ld\n",
                static_cast<long long>(horloge.elapsed() / 1000), tours, points, arretsSurPanne,
                sauvegardesRatees);
    std::remove(fichier.c_str());
    return 0;
}
