#include "app/DossierDepart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "dialogs/Emplacements.h"
#include "study/Fichiers.h"

namespace orvane {

QString DossierPersonnel() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/orvane");
}

QString ChoisirDossierDepart(const QString& courant, bool installe, const QString& personnel) {
    const bool configuration =
        QFileInfo(courant + QStringLiteral("/") + QString::fromLatin1(NomFichierConfig)).isFile();
    return configuration || !installe ? courant : personnel;
}

bool PreparerDossierPersonnel(const QString& dossier) {
    // A new folder holds no configuration: the first start asks for it.
    return QFileInfo(dossier).isDir() || QDir().mkpath(dossier);
}

QString EntrerDossierDepart() {
    const QString courant = QDir::currentPath();
    const QString dossier = ChoisirDossierDepart(courant, ProgrammeInstalle(), DossierPersonnel());
    if (dossier == courant || !PreparerDossierPersonnel(dossier) || !QDir::setCurrent(dossier))
        return courant;
    return QDir::currentPath();
}

QString PreparerDossierFichiers(const QString& depart, const QString& nom) {
    const QString dossier = depart + QStringLiteral("/") + nom;
    if (QFileInfo(dossier).isDir() || QDir(depart).mkdir(nom)) return dossier;
    return depart;
}

}  // namespace orvane
