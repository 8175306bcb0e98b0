#include "study/PremierDemarrage.h"

#include "study/Study.h"

namespace orvane {

int32_t LangueDeLocale(std::string_view locale) {
    const std::string_view langue = locale.substr(0, locale.find_first_of("_.@-"));
    if (langue == "fr") return 1;
    if (langue == "en") return 2;
    if (langue == "es") return 3;
    return 0;
}

bool ChampsAdresse(std::string_view texte, std::array<std::string, 4>& champs) {
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
    std::array<std::string, 4> lus;
    size_t i = 0;
    for (size_t n = 0; n < 4; ++n) {
        size_t debut = i;
        while (i < texte.size() && texte[i] >= '0' && texte[i] <= '9') ++i;
        const size_t chiffres = i - debut;
        if (chiffres == 0 || chiffres > 3) return false;
        lus[n] = std::string(texte.substr(debut, chiffres));
        if (std::stoi(lus[n]) > 255) return false;
        if (n < 3) {
            if (i >= texte.size() || texte[i] != '.') return false;
            ++i;
        }
    }
    if (i != texte.size()) return false;
    champs = lus;
    return true;
}

bool ChoixComplet(const ChoixDemarrage& c) {
    std::array<std::string, 4> champs;
    switch (c.TypeLiaison) {
        case LiaisonSerie: return !c.Port.empty() && c.Port.size() <= 10;
        case LiaisonReseau: return ChampsAdresse(c.Adresse, champs);
        default: return c.TypeLiaison == LiaisonSimulation;
    }
}

TConfigGenerale ConfigDeChoix(const ChoixDemarrage& c) {
    TConfigGenerale r = ConfigDefaut;
    r.Langue = c.Langue >= 1 && c.Langue <= 3 ? c.Langue : ConfigDefaut.Langue;
    r.FrequenceReseau = c.Frequence == 60 ? 60 : 50;
    // Never a link to a port or an address the user did not give.
    r.TypeLiaison = ChoixComplet(c) ? c.TypeLiaison : LiaisonAucune;
    std::array<std::string, 4> champs;
    if (r.TypeLiaison == LiaisonSerie) r.PortSerie.Ecrire(c.Port);
    if (r.TypeLiaison == LiaisonReseau && ChampsAdresse(c.Adresse, champs))
        for (size_t i = 0; i < 4; ++i) {
            r.Adresse[i] = {};  // a shorter field leaves no digit of the default behind
            r.Adresse[i].Ecrire(champs[i]);
        }
    return r;
}

}  // namespace orvane
