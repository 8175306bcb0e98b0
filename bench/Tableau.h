// Rows of the benchmark table: what was measured and its time, what it is
// compared with and that time. Each benchmark program notes its rows and
// writes them when it ends, tab-separated, to the file named by
// ORVANE_BENCH_TABLE (appended; scripts/bench.sh gathers them), or to the
// standard output without it. A row noted again replaces the first one, so
// the last run of a repeated benchmark counts.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace orvane::banc {

struct Ligne {
    std::string nom;
    double ms;
    std::string reference;
    double refMs;
};

inline std::vector<Ligne>& Lignes() {
    static std::vector<Ligne> lignes;
    return lignes;
}

inline void Noter(const std::string& nom, double ms, const std::string& reference, double refMs) {
    for (Ligne& l : Lignes())
        if (l.nom == nom && l.reference == reference) {
            l = {nom, ms, reference, refMs};
            return;
        }
    Lignes().push_back({nom, ms, reference, refMs});
}

inline void EcrireLignes() {
    const char* chemin = std::getenv("ORVANE_BENCH_TABLE");
    std::FILE* f = chemin && *chemin ? std::fopen(chemin, "a") : stdout;
    if (!f) return;
    for (const Ligne& l : Lignes())
        std::fprintf(f, "%s\t%.4f\t%s\t%.4f\n", l.nom.c_str(), l.ms, l.reference.c_str(), l.refMs);
    if (f != stdout) std::fclose(f);
}

// The benchmarks' main: runs what the command line selects, then writes
// the rows noted for the table.
inline int Executer(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    EcrireLignes();
    return 0;
}

}  // namespace orvane::banc
