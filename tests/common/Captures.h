// Pictures of the windows for people to look at: when ORVANE_CAPTURES names
// a folder, Capturer saves a widget as <folder>/<name>.png. Without it,
// nothing is written. The tests call it at the points worth seeing (a window
// at its design size, in each language).
#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

namespace orvane::essai {

inline void Capturer(QWidget* w, const QString& nom) {
    const QString dossier = qEnvironmentVariable("ORVANE_CAPTURES");
    if (dossier.isEmpty() || w == nullptr) return;
    QDir().mkpath(dossier);
    w->grab().save(dossier + QStringLiteral("/") + nom + QStringLiteral(".png"));
}

}  // namespace orvane::essai
