// The caption of a main window: on the simulated bench it says so, so that
// values shown or saved are never taken for a real drive's.
#pragma once

#include <QString>

#include "dialogs/Habillage.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

namespace orvane {

// `titre`, followed by " (banc simulé)" in the current language while the
// configured link is the simulated bench (link type 3).
inline QString TitreFenetre(const QString& titre) {
    if (ConfigGenerale.TypeLiaison != LiaisonSimulation) return titre;
    return titre + QLatin1Char(' ') + TexteNumero(TexteBancSimuleLegende);
}

}  // namespace orvane
