// One measurement step (block read of 20.02..20.11, status echo, quantities)
// against a libmodbus peer: over a pseudo-terminal on the serial link, and
// over loopback TCP on the network link. The serial step includes the
// mandated 10 ms wait before a reply is read; the counters split the step
// into that wait and our own overhead (framing, port, peer's turnaround,
// computation). A pseudo-terminal has no baud rate: the 27 ms of line time
// of a real 19200-baud line are not in these figures.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "Tableau.h"
#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "study/Study.h"
#include "tests/integration/PairsModbus.h"

using namespace orvane;
using Horloge = std::chrono::steady_clock;

namespace {

void Drive(essai::PairModbus& pair) {
    pair.DefinirRegistre(1131, 750);
    const uint16_t bloc[10] = {0x0104, 1500, 1200, 0, 0, 4000, 0, 2300, 0, 700};
    for (int i = 0; i < 10; ++i) pair.DefinirRegistre(2001 + i, bloc[i]);
}

// Runs the steps and reports the time spent in the fixed pauses apart.
void Mesurer(benchmark::State& state, TPasserelleCom& com, const std::string& nom) {
    Horloge::duration enPause{};
    FonctionPause precedente = DefinirPause([&](int ms) {
        const auto t0 = Horloge::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        enPause += Horloge::now() - t0;
    });
    com.Initialise();
    if (!com.LiaisonOuverte()) state.SkipWithError("link not open");
    enPause = {};
    const auto debut = Horloge::now();
    int echecs = 0;
    for (auto _ : state) {
        com.LectureValeurs();
        if (!com.LectureValide()) ++echecs;
    }
    const double total = std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
    const double pause = std::chrono::duration<double, std::milli>(enPause).count();
    const double n = static_cast<double>(state.iterations());
    state.counters["step_ms"] = total / n;
    state.counters["wait_ms"] = pause / n;
    state.counters["overhead_ms"] = (total - pause) / n;
    state.counters["failed"] = echecs;
    if (pause > 0)
        banc::Noter(nom, total / n, "its mandated waits alone", pause / n);
    else
        banc::Noter(nom, total / n, "-", 0);
    com.Ferme();
    DefinirPause(precedente);
}

void BM_MeasurementStepSerialPty(benchmark::State& state) {
    essai::PairModbus pair;
    Drive(pair);
    InitEtude();
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ConfigGenerale.PortSerie.Ecrire(pair.Nom());
    ReglagesCourants[MotTypeMachine] = 3;
    TPasserelleCom com;
    Mesurer(state, com, "measurement step, pseudo-terminal, libmodbus peer");
}
BENCHMARK(BM_MeasurementStepSerialPty)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MeasurementStepNetworkLoopback(benchmark::State& state) {
    essai::PairModbus pair("127.0.0.31");
    Drive(pair);
    InitEtude();
    ConfigGenerale.TypeLiaison = LiaisonReseau;
    AdresseReseau = "(127.0.0.31)";
    ReglagesCourants[MotTypeMachine] = 3;
    TPasserelleCom com;
    com.Reseau().PortTcp = pair.Port();
    Mesurer(state, com, "measurement step, loopback TCP, libmodbus peer");
}
BENCHMARK(BM_MeasurementStepNetworkLoopback)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return banc::Executer(argc, argv); }
