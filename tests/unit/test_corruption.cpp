// Damaged work files load whole (a prefix, every count in range) or not at
// all (the study untouched).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "study/Fichiers.h"
#include "study/Study.h"

using namespace orvane;

namespace {

using Octets = std::vector<uint8_t>;
using Alea = std::mt19937;

int Tirer(Alea& alea, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(alea); }
auto Parmi(Alea& alea, const auto& v) { return v[size_t(Tirer(alea, 0, int(v.size()) - 1))]; }

template <size_t N>
void RemplirChaine(ShortString<N>& s, Alea& alea) {
    for (auto& c : s.Car) c = static_cast<char>(Tirer(alea, 0, 255));
    s.Longueur = static_cast<uint8_t>(Tirer(alea, 0, N));
}

// `nbEssais` trials; trial `plein` (1-based, 0 = none) gets 2001 points.
Octets FaireImage(Alea& alea, int nbEssais, int maxPoints, int plein) {
    InitEtude();
    RemplirChaine(Etude.Titre, alea);
    Etude.Lissage = Tirer(alea, -1, 5);
    for (auto& v : Etude.Vues)
        if (Tirer(alea, 0, 1))
            v.Presente = 1, v.GrandeurX = Tirer(alea, 0, 11), v.ZoomX = Tirer(alea, 0, 30),
            v.GrandeurY = Tirer(alea, 0, 11), v.ZoomY = Tirer(alea, 0, 30),
            v.Quadrant = Tirer(alea, 0, 3);
    for (int k = 1; k <= nbEssais; ++k) {
        ReglagesCourants = EnteteCaractDefaut;
        for (int w = 3; w < MotCommentaire; ++w) ReglagesCourants[w] = static_cast<int32_t>(alea());
        ReglagesCourants[MotTypeMachine] = Tirer(alea, 0, NbTypesMachine - 1);
        ReglagesCourants[MotTypeCaract] = Tirer(alea, 0, NbTypesCaract - 1);
        RemplirChaine(ReglagesCourants.Commentaire, alea);
        NouvelleCaract();
        const int n = k == plein ? NbPointsMax : Tirer(alea, 0, maxPoints);
        bool ajoutes = true;
        for (int p = 0; p < n; ++p)
            std::ranges::generate(ValeursCourantes, std::ref(alea)), ajoutes &= AjouterPoint();
        EXPECT_TRUE(ajoutes && (k != plein || !AjouterPoint()));  // no room for a 2002nd point
    }
    return ImageEtude();
}

int32_t Lire32(const Octets& o, size_t pos) {
    int32_t v = 0;
    return pos + 4 <= o.size() ? (std::memcpy(&v, o.data() + pos, 4), v) : 0;
}

// Damages a copy of `base` in one to three ways.
Octets Abimer(const Octets& base, Alea& alea) {
    Octets o = base;
    std::vector<size_t> essais;  // trial header offsets, walked as the loader would
    for (size_t k = 0, p = sizeof(EnteteEtude);
         k < size_t(Lire32(base, offsetof(EnteteEtude, NbCaract)));
         ++k, p += sizeof(EnteteCaract) +
                   4u * NbGrandeurs * size_t(Lire32(base, p + 4 * MotDernierPoint) + 1))
        essais.push_back(p);
    // A wrong count, often next to the right one (wrapping) or at a limit.
    const auto poserFaux = [&](size_t pos) {
        const uint32_t juste = uint32_t(Lire32(o, pos));
        const int32_t v =
            Tirer(alea, 0, 3) == 0
                ? int32_t(alea())
                : Parmi(alea, std::vector<int32_t>{-2, -1, 0, 1, 5, 6, 2000, 2001, INT_MAX, INT_MIN,
                                                   int32_t(juste - 1), int32_t(juste + 1)});
        if (pos + 4 <= o.size()) std::memcpy(o.data() + pos, &v, 4);
    };
    for (int fois = Tirer(alea, 1, 3); fois > 0; --fois) {
        switch (Tirer(alea, 0, 4)) {
            case 0:  // truncation, often near a record boundary
                o.resize(!essais.empty() && Tirer(alea, 0, 1)
                             ? std::min(o.size(), Parmi(alea, essais) + Tirer(alea, -2, 300))
                             : size_t(Tirer(alea, 0, int(o.size()))));
                break;
            case 1:  // random bytes, anywhere
                for (int i = Tirer(alea, 1, 8); i > 0 && !o.empty(); --i)
                    o[size_t(Tirer(alea, 0, int(o.size()) - 1))] ^= uint8_t(Tirer(alea, 1, 255));
                break;
            case 2:  // number of trials, or last point, machine or law of a trial
                poserFaux(essais.empty() || Tirer(alea, 0, 1)
                              ? offsetof(EnteteEtude, NbCaract)
                              : Parmi(alea, essais) +
                                    4u * (Tirer(alea, 0, 3) ? MotDernierPoint : Tirer(alea, 0, 1)));
                break;
            case 3:  // trailing bytes
                for (int i = Tirer(alea, 1, 300); i > 0; --i) o.push_back(uint8_t(alea()));
                break;
            default: {  // a string length: signature, title, descriptor or comment
                const size_t p = Tirer(alea, 0, 1)
                                     ? Tirer(alea, 0, 1) * offsetof(EnteteEtude, Titre)
                                 : essais.empty() || Tirer(alea, 0, 1)
                                     ? offsetof(EnteteEtude, Grandeurs) + 21u * Tirer(alea, 0, 2) +
                                           sizeof(DescGrandeur) * Tirer(alea, 0, NbGrandeurs - 1)
                                     : Parmi(alea, essais) + offsetof(EnteteCaract, Commentaire);
                if (p < o.size()) o[p] = static_cast<uint8_t>(Tirer(alea, 0, 255));
            }
        }
    }
    return o;
}

::testing::AssertionResult EtudeDansLesBornes() {
    bool ok = std::clamp(Etude.NbCaract, 0, NbCaractMax) == Etude.NbCaract &&
              Etude.Signature.Valide() && Etude.Titre.Valide();
    for (const auto& g : Etude.Grandeurs)
        ok = ok && g.Nom.Valide() && g.Symbole.Valide() && g.Unite.Valide();
    for (const auto& v : Etude.Vues)
        ok = ok && std::min(v.GrandeurX, v.GrandeurY) >= 0 &&
             std::max(v.GrandeurX, v.GrandeurY) < NbGrandeurs;
    if (!ok) return ::testing::AssertionFailure() << "study header";
    // Unused records are reset; used ones hold only counts in range.
    for (int k = 0; k < NbRecords; ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        if (k == 0 || k > Etude.NbCaract
                ? std::memcmp(&e, &EnteteCaractDefaut, sizeof e) != 0
                : std::clamp(e[MotTypeMachine], 0, NbTypesMachine - 1) != e[MotTypeMachine] ||
                      std::clamp(e[MotTypeCaract], 0, NbTypesCaract - 1) != e[MotTypeCaract] ||
                      std::clamp(e[MotDernierPoint], -1, DernierPointMax) != e[MotDernierPoint] ||
                      !e.Commentaire.Valide())
            return ::testing::AssertionFailure() << "record " << k;
    }
    return ::testing::AssertionSuccess();
}

TEST(Corruption, DamagedImagesLoadWholeOrNotAtAll) {
    // Undamaged, 0 to 5 trials (some empty or full) load and image again byte for byte.
    Alea alea(20240611);
    std::vector<Octets> bases;
    for (const auto& [n, points, plein] :
         {std::tuple{0, 0, 0}, {1, 0, 0}, {2, 300, 0}, {3, 40, 2}, {5, 200, 0}, {5, 3, 5}}) {
        bases.push_back(FaireImage(alea, n, points, plein));
        InitEtude();
        ASSERT_TRUE(ChargerImageEtude(bases.back().data(), bases.back().size()));
        ASSERT_EQ(ImageEtude(), bases.back());
        ASSERT_TRUE(EtudeDansLesBornes());
    }
    // What a refused load must leave untouched.
    EnteteEtude etude = Etude;
    auto caracts = std::make_unique<Caracteristique[]>(NbRecords);
    std::memcpy(caracts.get(), Caracts, sizeof Caracts);
    int charges = 0, refuses = 0;
    for (uint32_t graine = 1; graine <= 10000; ++graine) {
        Alea alea(graine);
        const Octets o = Abimer(bases[graine % bases.size()], alea);
        if (ChargerImageEtude(o.data(), o.size())) {
            ++charges;
            const Octets image = ImageEtude();
            ASSERT_TRUE(image.size() <= o.size() &&
                        std::equal(image.begin(), image.end(), o.begin()) && EtudeDansLesBornes())
                << "seed " << graine;
            etude = Etude;
            std::memcpy(caracts.get(), Caracts, sizeof Caracts);
        } else {
            ++refuses;
            ASSERT_TRUE(std::memcmp(&etude, &Etude, sizeof Etude) == 0 &&
                        std::memcmp(caracts.get(), Caracts, sizeof Caracts) == 0)
                << "seed " << graine;
        }
    }
    // Both outcomes must have been exercised for the test to mean anything.
    EXPECT_TRUE(charges > 1000 && refuses > 1000) << charges << " " << refuses;
    InitEtude();
}

}  // namespace
