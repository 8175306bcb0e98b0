// Full redraw of four graph views, each with five characteristics of 2001
// points, into a 1920 x 1080 off-screen picture, without antialiasing.
//
//   orvane_bench_graph            Google Benchmark runs of our drawing in
//                                 every line mode and of one added point
//   orvane_bench_graph --table    our drawing against the same content drawn
//                                 by QCustomPlot and Qt Charts (when built
//                                 with ORVANE_BENCH_PEERS), all in this
//                                 process, one redraw of each in turn; the
//                                 median thread CPU time of each is noted in
//                                 the benchmark table (Tableau.h)
//
// Contents: axes alone; markers alone (the acquisition's drawing); lines
// alone; lines with markers (line mode 1); stems with markers (mode 0);
// spline and filtered splines with markers (modes 2..5). The peers draw the
// same values on the same axis ranges: QCustomPlot with QCPGraph (its
// default adaptive sampling on, points in key order) through toPainter,
// markers plus, cross, square, diamond and triangle like ours, filled with
// the background's diagonal hatching; Qt Charts with QScatterSeries
// (rectangle, rotated rectangle and triangle markers), QLineSeries and
// QSplineSeries in a QChart rendered from its scene, grids off.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EtudePleine.h"
#include "Tableau.h"
#include "graph/Graphe.h"
#include "graph/Vue.h"
#include "study/Study.h"

#ifdef ORVANE_BENCH_PEERS
#include <qcustomplot.h>

#include <QGraphicsScene>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QSplineSeries>
#include <QtCharts/QValueAxis>
#endif

using namespace orvane;

namespace {

constexpr int Largeur = 1920, Hauteur = 1080;

QRect Quart(int v) { return {(v % 2) * 960, (v / 2) * 540, 960, 540}; }

// What a redraw shows besides the axes.
struct Contenu {
    const char* nom;
    bool courbes;  // false: axes alone
    bool marques;
    int lissage;  // line mode -1..5
};
const Contenu Axes{"axes", false, false, -1};
const Contenu Marques{"markers", true, true, -1};
const Contenu Lignes{"lines", true, false, 1};
const Contenu LignesMarques{"lines + markers (mode 1)", true, true, 1};
const Contenu Batons{"stems + markers (mode 0)", true, true, 0};
const Contenu Spline{"spline + markers (mode 2)", true, true, 2};
const Contenu Filtres[3] = {{"3-point filter + markers (mode 3)", true, true, 3},
                            {"5-point filter + markers (mode 4)", true, true, 4},
                            {"7-point filter + markers (mode 5)", true, true, 5}};

// Our drawing of the four views, as the tracing window's copy does: the
// study's line mode through DessinerVue, or the axes alone, or curves
// without their markers.
void DessinerNotre(QImage& image, const Contenu& c) {
    static auto courbe = std::make_unique<TCourbeGraphe>();
    Etude.Lissage = c.lissage;
    QPainter p(&image);
    for (int v = 0; v < NbVues; ++v) {
        TGraphe g;
        const SurfaceGraphe surface(g, p);
        const QRect r = Quart(v);
        g.Gauche = r.left();
        g.Haut = r.top();
        g.Droite = r.left() + r.width();
        g.Bas = r.top() + r.height();
        AppliquerPalette(g, 1);
        p.setClipRect(r);
        if (c.courbes && c.marques) {
            DessinerVue(g, *courbe, v + 1);
            continue;
        }
        const VueGraphe& slot = Etude.Vues[v];
        ConfigurerAxes(slot, g.ConfigX, g.ConfigY);
        initgraphe(g);
        traceaxes(g);
        if (!c.courbes) continue;
        const VueBornee b = BornerVue(slot);
        for (int k = 1; k <= NbCaractMax; ++k) {
            ChargerCourbe(*courbe, k, b.qX, b.qY);
            courbe->Marque = -1;
            tracecourbegraphe(g, *courbe);
        }
    }
}

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Mediane(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

#ifdef ORVANE_BENCH_PEERS

// The values of characteristic k seen through view v, and the view's axis
// ranges, in counts as our graph has them.
struct DonneesVue {
    QVector<double> x[NbRecords], y[NbRecords];
    TaxeC cx, cy;
};
DonneesVue Donnees(int v) {
    DonneesVue d;
    ConfigurerAxes(Etude.Vues[v], d.cx, d.cy);
    const VueBornee b = BornerVue(Etude.Vues[v]);
    for (int k = 1; k <= NbCaractMax; ++k)
        for (int p = 0; p <= Caracts[k].Dernier(); ++p) {
            d.x[k].push_back(Caracts[k].Valeurs[b.qX][p + 1]);
            d.y[k].push_back(Caracts[k].Valeurs[b.qY][p + 1]);
        }
    return d;
}

QColor Couleur(int k) { return VersQColor(TablePalettes[1][k + 1]); }

class VuesQcp {
public:
    VuesQcp() {
        static const QCPScatterStyle::ScatterShape formes[] = {
            QCPScatterStyle::ssNone,   QCPScatterStyle::ssPlus,    QCPScatterStyle::ssCross,
            QCPScatterStyle::ssSquare, QCPScatterStyle::ssDiamond, QCPScatterStyle::ssTriangle};
        for (int v = 0; v < NbVues; ++v) {
            QCustomPlot& q = trace_[v];
            q.resize(960, 540);
            q.setNotAntialiasedElements(QCP::aeAll);
            q.xAxis->grid()->setVisible(false);
            q.yAxis->grid()->setVisible(false);
            const DonneesVue d = Donnees(v);
            q.xAxis->setRange(d.cx.Min, d.cx.Max);
            q.yAxis->setRange(d.cy.Min, d.cy.Max);
            for (int k = 1; k <= NbCaractMax; ++k) {
                QCPGraph* g = q.addGraph();
                g->setData(d.x[k], d.y[k]);
                g->setPen(QPen(Couleur(k)));
                marques_[v][k] =
                    QCPScatterStyle(formes[k], QPen(Couleur(k)),
                                    QBrush(Qt::white, Qt::FDiagPattern), k < 4 ? 5 : 7);
            }
        }
    }
    void Preparer(const Contenu& c) {
        for (int v = 0; v < NbVues; ++v)
            for (int k = 1; k <= NbCaractMax; ++k) {
                QCPGraph* g = trace_[v].graph(k - 1);
                g->setVisible(c.courbes);
                g->setLineStyle(c.lissage == 0  ? QCPGraph::lsImpulse
                                : c.lissage > 0 ? QCPGraph::lsLine
                                                : QCPGraph::lsNone);
                g->setScatterStyle(c.marques ? marques_[v][k] : QCPScatterStyle());
            }
    }
    void Dessiner(QImage& image) {
        QCPPainter p(&image);
        for (int v = 0; v < NbVues; ++v) {
            p.save();
            p.setClipRect(Quart(v));
            p.translate(Quart(v).topLeft());
            trace_[v].toPainter(&p, 960, 540);
            p.restore();
        }
    }

private:
    QCustomPlot trace_[NbVues];
    QCPScatterStyle marques_[NbVues][NbRecords];
};

class VuesCharts {
public:
    VuesCharts() {
        static const QScatterSeries::MarkerShape formes[] = {
            QScatterSeries::MarkerShapeRectangle,        QScatterSeries::MarkerShapeRectangle,
            QScatterSeries::MarkerShapeRotatedRectangle, QScatterSeries::MarkerShapeRectangle,
            QScatterSeries::MarkerShapeRotatedRectangle, QScatterSeries::MarkerShapeTriangle};
        for (int v = 0; v < NbVues; ++v) {
            Vue& u = vues_[v];
            u.chart = new QChart;
            u.scene.addItem(u.chart);
            u.chart->legend()->hide();
            u.chart->setGeometry(0, 0, 960, 540);
            const DonneesVue d = Donnees(v);
            auto* ax = new QValueAxis;
            auto* ay = new QValueAxis;
            ax->setRange(d.cx.Min, d.cx.Max);
            ay->setRange(d.cy.Min, d.cy.Max);
            ax->setGridLineVisible(false);
            ay->setGridLineVisible(false);
            u.chart->addAxis(ax, Qt::AlignBottom);
            u.chart->addAxis(ay, Qt::AlignLeft);
            for (int k = 1; k <= NbCaractMax; ++k) {
                QList<QPointF> points;
                for (qsizetype p = 0; p < d.x[k].size(); ++p) points.append({d.x[k][p], d.y[k][p]});
                u.lignes[k] = new QLineSeries;
                u.splines[k] = new QSplineSeries;
                u.marques[k] = new QScatterSeries;
                u.marques[k]->setMarkerShape(formes[k]);
                u.marques[k]->setMarkerSize(k < 4 ? 5 : 7);
                u.marques[k]->setBrush(QBrush(Qt::white, Qt::FDiagPattern));
                for (QXYSeries* s :
                     {static_cast<QXYSeries*>(u.lignes[k]), static_cast<QXYSeries*>(u.splines[k]),
                      static_cast<QXYSeries*>(u.marques[k])}) {
                    s->replace(points);
                    s->setPen(QPen(Couleur(k)));
                    u.chart->addSeries(s);
                    s->attachAxis(ax);
                    s->attachAxis(ay);
                }
            }
        }
    }
    void Preparer(const Contenu& c) {
        for (Vue& u : vues_)
            for (int k = 1; k <= NbCaractMax; ++k) {
                u.lignes[k]->setVisible(c.courbes && c.lissage == 1);
                u.splines[k]->setVisible(c.courbes && c.lissage >= 2);
                u.marques[k]->setVisible(c.courbes && c.marques);
            }
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    void Dessiner(QImage& image) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int v = 0; v < NbVues; ++v) {
            p.save();
            p.setClipRect(Quart(v));
            vues_[v].scene.render(&p, QRectF(Quart(v)), QRectF(0, 0, 960, 540));
            p.restore();
        }
    }

private:
    struct Vue {
        QGraphicsScene scene;
        QChart* chart = nullptr;  // owned by the scene
        QLineSeries* lignes[NbRecords] = {};
        QSplineSeries* splines[NbRecords] = {};
        QScatterSeries* marques[NbRecords] = {};
    };
    Vue vues_[NbVues];
};

#endif

// One drawing in the alternating runs: who draws what.
struct Essai {
    std::string nom;
    std::function<void()> preparer;
    std::function<void(QImage&)> dessiner;
    std::vector<double> ms;
};

// Redraws every drawing in turn, `tours` times after two warm-up turns, and
// notes the medians. Each timed drawing is a redraw: the same drawing has
// just been made once, untimed, as when a window is painted again with
// nothing changed; what a drawing keeps from one time to the next (our
// smoothed lines, Qt Charts' item geometry) is then in place. The first
// drawing of our smoothed modes after a change is timed apart, with the
// kept lines forgotten first.
void Tableau(int tours) {
    QImage image(Largeur, Hauteur, QImage::Format_RGB32);
    std::vector<Essai> essais;
    const auto notre = [&](const Contenu& c) {
        essais.push_back(
            {std::string("ours: ") + c.nom, [] {}, [&c](QImage& i) { DessinerNotre(i, c); }, {}});
    };
    for (const Contenu* c : {&Axes, &Marques, &Lignes, &LignesMarques, &Batons, &Spline}) notre(*c);
    for (const Contenu& c : Filtres) notre(c);
#ifdef ORVANE_BENCH_PEERS
    auto qcp = std::make_unique<VuesQcp>();
    auto charts = std::make_unique<VuesCharts>();
    for (const Contenu* c : {&Axes, &Marques, &Lignes, &LignesMarques, &Batons})
        essais.push_back({std::string("QCustomPlot: ") + c->nom,
                          [&, c] { qcp->Preparer(*c); },
                          [&](QImage& i) { qcp->Dessiner(i); },
                          {}});
    for (const Contenu* c : {&Axes, &Marques, &Lignes, &LignesMarques, &Spline})
        essais.push_back({std::string("Qt Charts: ") + c->nom,
                          [&, c] { charts->Preparer(*c); },
                          [&](QImage& i) { charts->Dessiner(i); },
                          {}});
#endif
    for (const Contenu* c :
         {&Marques, &Lignes, &LignesMarques, &Spline, &Filtres[0], &Filtres[1], &Filtres[2]})
        essais.push_back({std::string("ours, first drawing: ") + c->nom,
                          [] {},
                          [c](QImage& i) {
                              oublielignes();
                              DessinerNotre(i, *c);
                          },
                          {}});
    for (int tour = -2; tour < tours; ++tour)
        for (Essai& e : essais) {
            e.preparer();
            e.dessiner(image);
            image.fill(Qt::white);
            const double t0 = CpuMs();
            e.dessiner(image);
            const double t = CpuMs() - t0;
            if (tour >= 0) e.ms.push_back(t);
        }
    const auto ms = [&](const std::string& nom) {
        for (const Essai& e : essais)
            if (e.nom == nom) return Mediane(e.ms);
        return 0.0;
    };
    const std::string titre = "redraw 4 views x 5 trials x 2001 pts, ";
    // Our line modes against our own line mode.
    const std::string mode1 = std::string("ours: ") + LignesMarques.nom;
    for (const Contenu* c :
         {&Marques, &Batons, &LignesMarques, &Spline, &Filtres[0], &Filtres[1], &Filtres[2]})
        banc::Noter(titre + c->nom, ms(std::string("ours: ") + c->nom), "ours, line mode 1",
                    ms(mode1));
    const std::string premier = "ours, first drawing: ";
    for (const Contenu* c : {&LignesMarques, &Spline, &Filtres[0], &Filtres[1], &Filtres[2]})
        banc::Noter(titre + c->nom + ", first drawing after a change", ms(premier + c->nom),
                    "ours, line mode 1, first drawing", ms(premier + LignesMarques.nom));
#ifdef ORVANE_BENCH_PEERS
    // Against the peers, whole redraws and the curves alone (the redraw less
    // the same library's axes alone).
    const auto comparer = [&](const std::string& pair, const Contenu& c, const Contenu& leur) {
        const double nous = ms(std::string("ours: ") + c.nom);
        const double eux = ms(pair + ": " + leur.nom);
        banc::Noter(titre + c.nom, nous, pair + ", " + leur.nom, eux);
        if (!c.courbes) return;
        banc::Noter(titre + c.nom + ", curves alone", nous - ms(std::string("ours: ") + Axes.nom),
                    pair + ", " + leur.nom + ", curves alone", eux - ms(pair + ": " + Axes.nom));
    };
    for (const Contenu* c : {&Axes, &Marques, &Lignes, &LignesMarques, &Batons})
        comparer("QCustomPlot", *c, *c);
    // QCustomPlot keeps nothing from one drawing to the next: each is a first.
    for (const Contenu* c : {&Marques, &Lignes, &LignesMarques})
        banc::Noter(titre + c->nom + ", first drawing after a change",
                    ms(std::string("ours, first drawing: ") + c->nom),
                    std::string("QCustomPlot, ") + c->nom,
                    ms(std::string("QCustomPlot: ") + c->nom));
    for (const Contenu* c : {&Axes, &Marques, &Lignes, &LignesMarques})
        comparer("Qt Charts", *c, *c);
    comparer("Qt Charts", Spline, Spline);
#endif
}

// ---- Google Benchmark runs ----

void RedessinerQuatreVues(benchmark::State& etat) {
    essai::RemplirEtudePleine();
    const int mode = static_cast<int>(etat.range(0));
    const Contenu c{"", true, true, mode};
    QImage image(Largeur, Hauteur, QImage::Format_RGB32);
    for (auto _ : etat) {
        DessinerNotre(image, c);
        benchmark::DoNotOptimize(image.constBits());
    }
    etat.SetLabel("mode " + std::to_string(mode));
}
BENCHMARK(RedessinerQuatreVues)->DenseRange(-1, 5)->Unit(benchmark::kMillisecond);

// The first drawing after a change: nothing kept from the drawing before.
void PremierDessin(benchmark::State& etat) {
    essai::RemplirEtudePleine();
    const int mode = static_cast<int>(etat.range(0));
    const Contenu c{"", true, true, mode};
    QImage image(Largeur, Hauteur, QImage::Format_RGB32);
    for (auto _ : etat) {
        oublielignes();
        DessinerNotre(image, c);
        benchmark::DoNotOptimize(image.constBits());
    }
    etat.SetLabel("mode " + std::to_string(mode));
}
BENCHMARK(PremierDessin)->DenseRange(1, 2)->Unit(benchmark::kMillisecond);

// The axes alone and the lines without markers, for profiling the parts.
void RedessinerParties(benchmark::State& etat) {
    essai::RemplirEtudePleine();
    const Contenu& c = etat.range(0) == 0 ? Axes : Lignes;
    QImage image(Largeur, Hauteur, QImage::Format_RGB32);
    for (auto _ : etat) {
        DessinerNotre(image, c);
        benchmark::DoNotOptimize(image.constBits());
    }
    etat.SetLabel(c.nom);
}
BENCHMARK(RedessinerParties)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// One point added during an acquisition: the frame draws its marker into
// the back buffer over the cursor, as TCaractMachine::tracepoint does, and
// nothing else; against a full redraw of that view.
void PointAjoute(benchmark::State& etat) {
    essai::RemplirEtudePleine();
    QImage image(960, 540, QImage::Format_RGB32);
    QPainter p(&image);
    TGraphe g;
    const SurfaceGraphe surface(g, p);
    g.Droite = 960;
    g.Bas = 540;
    AppliquerPalette(g, 1);
    auto courbe = std::make_unique<TCourbeGraphe>();
    AcquisitionEnCours = 1;
    const double t0 = CpuMs();
    constexpr int Vues = 20;
    for (int i = 0; i < Vues; ++i) DessinerVue(g, *courbe, 1);
    const double complet = (CpuMs() - t0) / Vues;
    choixcurseur(g, 0, 1);
    curseurvaleur(g, 100, 200);
    ChargerCourbe(*courbe, 1, GVitesse, GCouple);
    int point = 0;
    const double t1 = CpuMs();
    for (auto _ : etat) {
        masquecurseur(g);
        tracepointcourbe(g, point, *courbe);
        retracecurseur(g);
        point = (point + 1) % NbPointsMax;
    }
    const double un = (CpuMs() - t1) / static_cast<double>(etat.iterations());
    AcquisitionEnCours = 0;
    etat.counters["full_view_ms"] = complet;
    banc::Noter("one point added during an acquisition (its marker, cursor)", un,
                "full redraw of that view (960 x 540)", complet);
}
BENCHMARK(PointAjoute)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Text needs a GUI application, the peers' widgets a widget one; off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--table") == 0) {
        essai::RemplirEtudePleine();
        const int tours = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 1000) : 25;
        Tableau(tours);
        // The added point, once, through the benchmark library.
        const char* filtre[] = {argv[0], "--benchmark_filter=PointAjoute"};
        int n = 2;
        benchmark::Initialize(&n, const_cast<char**>(filtre));
        benchmark::RunSpecifiedBenchmarks();
        banc::EcrireLignes();
        return 0;
    }
    return banc::Executer(argc, argv);
}
