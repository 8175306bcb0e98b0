#include "dialogs/Emplacements.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The shared-data folder relative to the executable's folder, as installed.
#ifndef ORVANE_PARTAGE_RELATIF
#define ORVANE_PARTAGE_RELATIF "../share/orvane"
#endif

namespace orvane {

QString DossierPartage() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/") +
                           QStringLiteral(ORVANE_PARTAGE_RELATIF));
}

bool ProgrammeInstalle() { return QFileInfo(DossierPartage()).isDir(); }

QString CheminFourni(const QString& relatif) {
    const QString voisin = QCoreApplication::applicationDirPath() + QStringLiteral("/") + relatif;
    if (QFileInfo::exists(voisin)) return voisin;
    const QString partage = DossierPartage() + QStringLiteral("/") + relatif;
    return QFileInfo::exists(partage) ? partage : voisin;
}

QStringList DossiersApplications(const QString& depart) {
    return {depart, QCoreApplication::applicationDirPath(), DossierPartage()};
}

QString DossierContenant(const QStringList& dossiers, const QString& nom) {
    for (const QString& dossier : dossiers)
        if (QFileInfo(dossier + QStringLiteral("/") + nom).isFile()) return dossier;
    return {};
}

}  // namespace orvane
