// The program's start, as its main() does it, up to the main menu shown.
// Run by orvane_bench_startup from a start folder that holds a
// configuration.
#include <QApplication>

#include "PremierePeinture.h"
#include "app/Demarrage.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::PreparerApplication();
    PremierePeinture guet;
    return orvane::ExecuterProgramme({}, &guet);
}
