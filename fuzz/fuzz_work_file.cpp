// libFuzzer target: work files as the program opens them.
//
// A refused image must leave the study as it was; an accepted one must hold
// only counts in range and image back to a prefix of the input. The study is
// then put through what the windows do with a freshly opened one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/Verifier.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"

using namespace orvane;

namespace {

bool DansLesBornes() {
    if (Etude.NbCaract < 0 || Etude.NbCaract > NbCaractMax) return false;
    if (!Etude.Signature.Valide() || !Etude.Titre.Valide()) return false;
    for (const auto& g : Etude.Grandeurs)
        if (!g.Nom.Valide() || !g.Symbole.Valide() || !g.Unite.Valide()) return false;
    for (const auto& v : Etude.Vues)
        if (v.GrandeurX < 0 || v.GrandeurX >= NbGrandeurs || v.GrandeurY < 0 ||
            v.GrandeurY >= NbGrandeurs)
            return false;
    for (int k = 1; k <= Etude.NbCaract; ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        if (e[MotTypeMachine] < 0 || e[MotTypeMachine] >= NbTypesMachine || e[MotTypeCaract] < 0 ||
            e[MotTypeCaract] >= NbTypesCaract || e[MotDernierPoint] < -1 ||
            e[MotDernierPoint] > DernierPointMax || !e.Commentaire.Valide())
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    // The image of the study in memory, kept up to date between runs.
    static std::vector<uint8_t> etat = [] {
        InitEtude();
        return ImageEtude();
    }();
    // Opening a file never reads more than this.
    if (taille > TailleMaxEtude) return 0;

    if (!ChargerImageEtude(data, taille)) {
        Verifier(ImageEtude() == etat);
        return 0;
    }
    const std::vector<uint8_t> image = ImageEtude();
    Verifier(image.size() <= taille && std::equal(image.begin(), image.end(), data));
    Verifier(DansLesBornes());

    // Formatting costs some 10 ms per thousand points under the sanitizers,
    // and large studies add nothing the small ones do not reach.
    int points = 0;
    for (int k = 1; k <= Etude.NbCaract; ++k) points += Caracts[k].Dernier() + 1;
    if (points <= 200) {
        (void)TexteValeurs(-1);
        (void)CsvValeurs(-1, true);
    }
    for (int q = 0; q < NbGrandeurs; ++q) (void)FormatGrandeur(q);
    RetrierCaracts();
    CaractCourante = Etude.NbCaract;
    SelectionnerPoint(0);
    if (Etude.NbCaract > 0) SupprimerPoint(0, Etude.NbCaract);
    Verifier(DansLesBornes());
    etat = ImageEtude();
    return 0;
}
