// The program's start, as its main() does it, up to the main menu shown:
// when the menu has painted for the first time, "shown" goes to the standard
// output and the process ends at once (its teardown is not timed). Run by
// orvane_bench_startup from a start folder that holds a configuration.
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>

#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "app/RapportBoites.h"
#include "dialogs/Fenetres.h"
#include "sim/LiaisonSimulee.h"

namespace {

// Reports the first paint of the watched window and ends the process.
class PremierePeinture : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            const bool ecrit = ::write(STDOUT_FILENO, "shown\n", 6) == 6;
            ::_exit(ecrit ? 0 : 1);
        }
        return QObject::eventFilter(o, e);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::PreparerApplication();
    orvane::TRapportBoites rapport;
    orvane::DefinirRapport(&rapport);
    const auto graine =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    orvane::sim::InstallerBancSimule(graine, true);
    orvane::CreerFenetres();
    auto* menu = static_cast<orvane::TFormMachine2*>(orvane::FormMachine2);
    PremierePeinture guet;
    menu->installEventFilter(&guet);
    menu->show();
    return app.exec();
}
