#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <chrono>

#include "app/Demarrage.h"
#include "app/DossierDepart.h"
#include "app/FormMachine2.h"
#include "app/RapportBoites.h"
#include "dialogs/Fenetres.h"
#include "sim/LiaisonSimulee.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::PreparerApplication();

    // A work file named on the command line (as a file manager passes it)
    // is taken from the folder the program was started in, before the
    // program moves to its start folder.
    const QStringList arguments = QApplication::arguments();
    const QString fichier =
        arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();
    orvane::EntrerDossierDepart();

    orvane::TRapportBoites rapport;
    orvane::DefinirRapport(&rapport);
    // Link type 3: the simulated bench, with a little measurement noise.
    const auto graine =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    orvane::sim::InstallerBancSimule(graine, true);

    orvane::CreerFenetres();
    auto* menu = static_cast<orvane::TFormMachine2*>(orvane::FormMachine2);
    menu->show();
    // The work file opens in the tracing window once the menu has started.
    if (!fichier.isEmpty())
        QTimer::singleShot(0, menu, [menu, fichier] { menu->OuvrirFichier(fichier); });
    const int statut = app.exec();
    orvane::DetruireFenetres();
    orvane::DefinirRapport(nullptr);
    return statut;
}
