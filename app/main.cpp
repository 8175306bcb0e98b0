#include <QApplication>
#include <QWidget>
#include <chrono>

#include "app/Demarrage.h"
#include "app/RapportBoites.h"
#include "dialogs/Fenetres.h"
#include "sim/LiaisonSimulee.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::PreparerApplication();

    orvane::TRapportBoites rapport;
    orvane::DefinirRapport(&rapport);
    // Link type 3: the simulated bench, with a little measurement noise.
    const auto graine =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    orvane::sim::InstallerBancSimule(graine, true);

    orvane::CreerFenetres();
    orvane::FormMachine2->show();
    const int statut = app.exec();
    orvane::DetruireFenetres();
    orvane::DefinirRapport(nullptr);
    return statut;
}
