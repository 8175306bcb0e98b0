// Costs of the study operations on a full study (five trials of 2001 points),
// and saving and opening its work file against a plain copy of the same
// bytes: written and synced (what a save must at least do to be durable),
// written without sync, and read back.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Tableau.h"
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

// A private folder for the files, removed at the end.
class Dossier {
public:
    Dossier() {
        std::string modele =
            (std::filesystem::temp_directory_path() / "orvane-bench-XXXXXX").string();
        if (::mkdtemp(modele.data())) chemin_ = modele;
    }
    ~Dossier() {
        std::error_code ec;
        if (!chemin_.empty()) std::filesystem::remove_all(chemin_, ec);
    }
    std::string Fichier(const char* nom) const { return chemin_ + "/" + nom; }
    bool Pret() const { return !chemin_.empty(); }

private:
    std::string chemin_;
};

using Horloge = std::chrono::steady_clock;

// Times the loop per iteration (ms, wall clock: the disk's time counts).
template <class F>
double Chronometrer(benchmark::State& etat, F f) {
    const auto debut = Horloge::now();
    for (auto _ : etat) f();
    return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count() /
           static_cast<double>(etat.iterations());
}

// Plain write of bytes to a new file, optionally synced.
bool Ecrire(const std::string& chemin, const std::vector<uint8_t>& octets, bool synchroniser) {
    const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok = ::write(fd, octets.data(), octets.size()) == static_cast<ssize_t>(octets.size());
    if (synchroniser) ok = ::fsync(fd) == 0 && ok;
    return ::close(fd) == 0 && ok;
}

double copieSync = 0, copie = 0, lecture = 0;

void CopieSynchronisee(benchmark::State& etat) {
    EtudePleine();
    const std::vector<uint8_t> octets = ImageEtude();
    Dossier d;
    copieSync = Chronometrer(etat, [&] { Ecrire(d.Fichier("copie"), octets, true); });
    etat.SetBytesProcessed(static_cast<int64_t>(etat.iterations() * octets.size()));
}
BENCHMARK(CopieSynchronisee)->Unit(benchmark::kMillisecond)->UseRealTime();

void CopieSimple(benchmark::State& etat) {
    EtudePleine();
    const std::vector<uint8_t> octets = ImageEtude();
    Dossier d;
    copie = Chronometrer(etat, [&] { Ecrire(d.Fichier("copie"), octets, false); });
}
BENCHMARK(CopieSimple)->Unit(benchmark::kMillisecond)->UseRealTime();

void LectureSimple(benchmark::State& etat) {
    EtudePleine();
    Dossier d;
    Ecrire(d.Fichier("copie"), ImageEtude(), false);
    std::vector<uint8_t> octets;
    lecture = Chronometrer(etat, [&] {
        std::FILE* f = std::fopen(d.Fichier("copie").c_str(), "rb");
        if (!f) return;
        octets.resize(TailleMaxEtude);
        octets.resize(std::fread(octets.data(), 1, octets.size(), f));
        std::fclose(f);
        benchmark::DoNotOptimize(octets.data());
    });
}
BENCHMARK(LectureSimple)->Unit(benchmark::kMillisecond)->UseRealTime();

void EnregistrementEtude(benchmark::State& etat) {
    EtudePleine();
    Dossier d;
    if (!d.Pret()) return etat.SkipWithError("no temporary folder");
    const std::string f = d.Fichier("etude.OVX2");
    bool ok = true;
    const double ms = Chronometrer(etat, [&] { ok = EnregistrerEtude(f) && ok; });
    if (!ok) return etat.SkipWithError("save failed");
    const std::string nom = "save the largest study (5 x 2001 pts, " +
                            std::to_string(std::filesystem::file_size(f)) + " bytes)";
    banc::Noter(nom, ms, "plain write of the same bytes + fsync", copieSync);
    banc::Noter(nom, ms, "plain write of the same bytes, no sync", copie);
}
BENCHMARK(EnregistrementEtude)->Unit(benchmark::kMillisecond)->UseRealTime();

void OuvertureEtude(benchmark::State& etat) {
    EtudePleine();
    Dossier d;
    if (!d.Pret()) return etat.SkipWithError("no temporary folder");
    const std::string f = d.Fichier("etude.OVX2");
    if (!EnregistrerEtude(f)) return etat.SkipWithError("save failed");
    bool ok = true;
    const double ms = Chronometrer(etat, [&] { ok = OuvrirEtude(f) && ok; });
    if (!ok) return etat.SkipWithError("open failed");
    banc::Noter("open the largest study (5 x 2001 pts)", ms, "plain read of the same bytes",
                lecture);
}
BENCHMARK(OuvertureEtude)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return banc::Executer(argc, argv); }
