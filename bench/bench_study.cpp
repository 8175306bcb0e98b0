// Costs of the study operations on a full study (five trials of 2001 points).
#include <benchmark/benchmark.h>

#include "study/Fichiers.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"

using namespace orvane;

namespace {

void EtudePleine() {
    InitEtude();
    uint32_t graine = 12345;
    for (int k = 1; k <= NbCaractMax; ++k) {
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < NbPointsMax; ++p) {
            for (int q = 1; q < NbGrandeurs; ++q) {
                graine = graine * 1103515245u + 12345u;
                ValeursCourantes[q] = static_cast<int32_t>(graine >> 8) % 30000;
            }
            AjouterPoint();
        }
    }
}

void ImageEtEnregistrement(benchmark::State& etat) {
    EtudePleine();
    for (auto _ : etat) {
        auto image = ImageEtude();
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(ImageEtEnregistrement)->Unit(benchmark::kMicrosecond);

void LectureImage(benchmark::State& etat) {
    EtudePleine();
    const auto image = ImageEtude();
    for (auto _ : etat) benchmark::DoNotOptimize(ChargerImageEtude(image.data(), image.size()));
    etat.SetBytesProcessed(static_cast<int64_t>(etat.iterations() * image.size()));
}
BENCHMARK(LectureImage)->Unit(benchmark::kMicrosecond);

void TriParVitesseEtRetour(benchmark::State& etat) {
    EtudePleine();
    for (auto _ : etat) {
        TrierPoints(0, GVitesse, 1);
        TrierPoints(0, GNumero, 1);
    }
}
BENCHMARK(TriParVitesseEtRetour)->Unit(benchmark::kMicrosecond);

void TexteDesValeurs(benchmark::State& etat) {
    EtudePleine();
    for (auto _ : etat) {
        auto t = TexteValeurs(-1);
        benchmark::DoNotOptimize(t.data());
    }
}
BENCHMARK(TexteDesValeurs)->Unit(benchmark::kMillisecond);

}  // namespace
