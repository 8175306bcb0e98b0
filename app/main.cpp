#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "app/Demarrage.h"
#include "app/DossierDepart.h"

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
    return orvane::ExecuterProgramme(fichier);
}
