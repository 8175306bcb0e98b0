#include "texts/TextesOrvane.h"

namespace orvane {

TTextesOrvane Textes = TexteFrancais;

std::string_view TTextesOrvane::Texte(int n) const {
    if (n >= 1 && n <= 29) return Textes1a29[static_cast<size_t>(n - 1)];
    if (n >= 30 && n <= NbTextesNumerotes) return Textes30a178[static_cast<size_t>(n - 30)];
    if (n > NbTextesNumerotes && n <= DernierTexte)
        return TextesAjoutes[static_cast<size_t>(n - NbTextesNumerotes - 1)];
    return {};
}

void ChoixLangue(int32_t code) {
    switch (code) {
        case LangueEspagnol: Textes = TexteEspagnol; break;
        case LangueAnglais: Textes = TexteAnglais; break;
        default: Textes = TexteFrancais; break;
    }
}

}  // namespace orvane
