// libFuzzer target: the configuration record, as many bytes as the file
// holds read over the defaults, then corrected.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/Verifier.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

template <size_t N>
bool Memes(const ShortString<N>& a, const ShortString<N>& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    TConfigGenerale lu = ConfigDefaut;
    std::memcpy(&lu, data, std::min(taille, sizeof lu));
    TConfigGenerale c = lu;
    CorrigerConfig(c);

    // Every field used as a table index or choice is in range...
    Verifier(c.GammePuissance >= 0 && c.GammePuissance <= 3);
    Verifier(c.Couleurs <= 7);
    Verifier(c.Langue >= LangueFrancais && c.Langue <= LangueEspagnol);
    Verifier(c.FrequenceReseau == 50 || c.FrequenceReseau == 60);
    Verifier(c.PortSerie.Valide());
    for (const auto& a : c.Adresse) Verifier(a.Valide());

    // ...a field already in range is kept as read...
    if (lu.GammePuissance >= 0 && lu.GammePuissance <= 3)
        Verifier(c.GammePuissance == lu.GammePuissance);
    if (lu.Couleurs <= 7) Verifier(c.Couleurs == lu.Couleurs);
    if (lu.Langue >= LangueFrancais && lu.Langue <= LangueEspagnol) Verifier(c.Langue == lu.Langue);
    if (lu.FrequenceReseau == 50 || lu.FrequenceReseau == 60)
        Verifier(c.FrequenceReseau == lu.FrequenceReseau);
    if (lu.PortSerie.Valide()) Verifier(Memes(c.PortSerie, lu.PortSerie));
    for (int i = 0; i < 4; ++i)
        if (lu.Adresse[i].Valide()) Verifier(Memes(c.Adresse[i], lu.Adresse[i]));
    // ...any link type is: anything but 0, 1 and 3 means no link.
    Verifier(c.TypeLiaison == lu.TypeLiaison);

    // A second pass changes nothing.
    TConfigGenerale d = c;
    CorrigerConfig(d);
    Verifier(std::memcmp(&c, &d, sizeof c) == 0);

    ChoixLangue(c.Langue);
    Verifier(!Textes.Texte(TexteErreurLecture).empty());
    (void)c.PortSerie.Lire();
    for (const auto& a : c.Adresse) (void)a.Lire();
    return 0;
}
