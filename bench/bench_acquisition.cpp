// Acquisition over the real serial path at the speed of a real line: the
// simulated drive serves a pseudo-terminal with the line time of 19200 baud
// (10 bits a byte), and the program's gateway measures through it.
//
// BM_MeasurementStep19200: one measurement step (block read of 20.02..20.11,
// then the status echo to 18.30). Its physical limit is the line time of both
// exchanges (8 + 25 and 8 + 8 bytes: 25.5 ms) plus the 10 ms wait before a
// reply is read: 35.5 ms (`ratio` = step / that limit). The wait runs while
// the request and the reply cross the line, so a step can come under that
// sum; `ratio_line` compares it with the line time alone, the true floor.
// The drive rounds each exchange's line time up to the millisecond (18 + 9 ms).
//
// BM_OscilloCapture10s: the oscilloscope's capture, a 50 ms QTimer (the
// window's timer type) taking one measurement step per tick for 10 s:
// achieved samples a second (goal 20) and the interval between tick starts,
// p5/p50/p95 and max (goal 50 ms).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "Tableau.h"
#include "comm/Passerelle.h"
#include "sim/Serveur.h"
#include "study/Study.h"

using namespace orvane;
using Horloge = std::chrono::steady_clock;

namespace {

constexpr int Debit = 19200;
constexpr double OctetMs = 10.0 * 1000.0 / Debit;
constexpr double LigneEtapeMs = (8 + 25 + 8 + 8) * OctetMs;
constexpr double LimiteEtapeMs = LigneEtapeMs + 10.0;

// The asynchronous machine's drive served on a new pseudo-terminal from a
// thread, at 19200 baud of line time, for the life of the object.
class DriveServi {
public:
    DriveServi() : serveur_(variateur_) {
        variateur_.SetTypeMachine(3);
        serveur_.DefinirDebit(Debit);
        std::string erreur;
        if (serveur_.OuvrirPty(nom_, erreur))
            fil_ = std::thread([this] {
                std::string e;
                serveur_.Servir(arret_, e);
            });
        else
            nom_.clear();
    }
    ~DriveServi() {
        arret_ = true;
        if (fil_.joinable()) fil_.join();
    }
    const std::string& Nom() const { return nom_; }

private:
    sim::Variateur variateur_;
    sim::ServeurBanc serveur_;
    std::string nom_;
    std::atomic<bool> arret_{false};
    std::thread fil_;
};

// The gateway opened on the served drive, or an error on `state`.
bool Ouvrir(benchmark::State& state, const DriveServi& drive, TPasserelleCom& com) {
    if (drive.Nom().empty()) {
        state.SkipWithError("no pseudo-terminal");
        return false;
    }
    InitEtude();
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ConfigGenerale.PortSerie.Ecrire(drive.Nom());
    ReglagesCourants[MotTypeMachine] = 3;
    com.Initialise();
    if (!com.LiaisonOuverte()) {
        state.SkipWithError("link not open");
        return false;
    }
    return true;
}

double Centile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t k = static_cast<size_t>(std::lround(p * static_cast<double>(v.size() - 1)));
    return v[std::min(k, v.size() - 1)];
}

void BM_MeasurementStep19200(benchmark::State& state) {
    DriveServi drive;
    TPasserelleCom com;
    if (!Ouvrir(state, drive, com)) return;
    int echecs = 0;
    const auto debut = Horloge::now();
    for (auto _ : state) {
        com.LectureValeurs();
        if (!com.LectureValide()) ++echecs;
    }
    const double total = std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
    const double etape = total / static_cast<double>(state.iterations());
    state.counters["step_ms"] = etape;
    state.counters["limit_ms"] = LimiteEtapeMs;
    state.counters["ratio"] = etape / LimiteEtapeMs;
    state.counters["line_ms"] = LigneEtapeMs;
    state.counters["ratio_line"] = etape / LigneEtapeMs;
    state.counters["failed"] = echecs;
    banc::Noter("measurement step over a pseudo-terminal at 19200 baud", etape,
                "line time + the 10 ms wait", LimiteEtapeMs);
    banc::Noter("measurement step over a pseudo-terminal at 19200 baud", etape, "line time alone",
                LigneEtapeMs);
    com.Ferme();
}
BENCHMARK(BM_MeasurementStep19200)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_OscilloCapture10s(benchmark::State& state) {
    DriveServi drive;
    TPasserelleCom com;
    if (!Ouvrir(state, drive, com)) return;
    constexpr qint64 DureeMs = 10000;
    std::vector<double> departs;  // tick starts, ms from the capture's start
    departs.reserve(400);
    int valides = 0;
    for (auto _ : state) {
        departs.clear();
        valides = 0;
        QElapsedTimer chrono;
        QEventLoop boucle;
        QTimer minuterie;
        minuterie.setInterval(50);
        QObject::connect(&minuterie, &QTimer::timeout, [&] {
            const double t = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
            if (t >= DureeMs || departs.size() >= 1000) {
                minuterie.stop();
                boucle.quit();
                return;
            }
            departs.push_back(t);
            com.LectureValeurs();
            valides += com.LectureValide();
        });
        chrono.start();
        minuterie.start();
        QTimer::singleShot(DureeMs + 1000, &boucle, &QEventLoop::quit);  // bound
        boucle.exec();
        minuterie.stop();
    }
    std::vector<double> intervalles;
    for (size_t k = 1; k < departs.size(); ++k) intervalles.push_back(departs[k] - departs[k - 1]);
    state.counters["samples"] = valides;
    state.counters["ticks"] = static_cast<double>(departs.size());
    state.counters["rate_per_s"] = valides * 1000.0 / DureeMs;
    state.counters["goal_per_s"] = 20;
    state.counters["dt_p5_ms"] = Centile(intervalles, 0.05);
    state.counters["dt_p50_ms"] = Centile(intervalles, 0.50);
    state.counters["dt_p95_ms"] = Centile(intervalles, 0.95);
    state.counters["dt_max_ms"] =
        intervalles.empty() ? 0 : *std::max_element(intervalles.begin(), intervalles.end());
    const std::string nom = "oscilloscope 10 s capture, ";
    if (valides > 0)
        banc::Noter(nom + "time per valid sample (" + std::to_string(valides) + " samples)",
                    static_cast<double>(DureeMs) / valides, "the 50 ms timer", 50);
    banc::Noter(nom + "interval between ticks, median", Centile(intervalles, 0.50),
                "the 50 ms timer", 50);
    banc::Noter(nom + "interval between ticks, 95th percentile", Centile(intervalles, 0.95),
                "the 50 ms timer", 50);
    com.Ferme();
}
BENCHMARK(BM_OscilloCapture10s)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the capture's timer needs an event loop
    return banc::Executer(argc, argv);
}
