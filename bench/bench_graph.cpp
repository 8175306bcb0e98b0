// Full redraw of four graph views, each with five characteristics of 2001
// points, into a 1920 x 1080 off-screen picture, in every line mode.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "graph/Vue.h"
#include "study/Study.h"

using namespace orvane;

namespace {

void EtudePleine() {
    InitEtude();
    const int32_t vues[4][2] = {{GVitesse, GCouple},
                                {GCouple, GCourant},
                                {GPuissanceMeca, GRendement},
                                {GVitesse, GPuissanceElec}};
    for (int v = 0; v < NbVues; ++v)
        Etude.Vues[v] = {1, 1, {0, 0}, vues[v][0], 18, {0, 0}, vues[v][1], 18, {0, 0}, 0};
    uint32_t graine = 7;
    for (int k = 1; k <= NbCaractMax; ++k) {
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        for (int p = 0; p < NbPointsMax; ++p) {
            // A smooth curve with some noise, across the whole axis.
            graine = graine * 1103515245u + 12345u;
            const int32_t bruit = static_cast<int32_t>((graine >> 16) % 41) - 20;
            ValeursCourantes[GVitesse] = -1500 + 3 * p / 2 + 100 * k;
            for (int q = 2; q < NbGrandeurs; ++q)
                ValeursCourantes[q] = (p - 1000) * (q + k) + bruit * q;
            AjouterPoint();
        }
    }
}

void RedessinerQuatreVues(benchmark::State& etat) {
    EtudePleine();
    Etude.Lissage = static_cast<int32_t>(etat.range(0));
    QImage image(1920, 1080, QImage::Format_RGB32);
    TGraphe graphes[NbVues];
    auto courbe = std::make_unique<TCourbeGraphe>();
    for (auto _ : etat) {
        QPainter p(&image);
        for (int v = 0; v < NbVues; ++v) {
            TGraphe& g = graphes[v];
            g.Surface = &p;
            g.Gauche = (v % 2) * 960;
            g.Haut = (v / 2) * 540;
            g.Droite = g.Gauche + 960;
            g.Bas = g.Haut + 540;
            AppliquerPalette(g, 1);
            g.TaillePolice = 0;
            p.setClipRect(QRect(g.Gauche, g.Haut, 960, 540));
            DessinerVue(g, *courbe, v + 1);
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    etat.counters["par_vue"] =
        benchmark::Counter(static_cast<double>(etat.iterations()) * NbVues,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    etat.SetLabel("mode " + std::to_string(etat.range(0)));
}
BENCHMARK(RedessinerQuatreVues)->DenseRange(-1, 5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Text needs a GUI application; run it off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
