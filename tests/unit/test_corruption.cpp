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
template <class T>
T Parmi(Alea& alea, const std::vector<T>& v) {
    return v[static_cast<size_t>(Tirer(alea, 0, int(v.size()) - 1))];
}

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
            v = VueGraphe{1,
                          uint8_t(Tirer(alea, 0, 1)),
                          {},
                          Tirer(alea, 0, 11),
                          Tirer(alea, 0, 30),
                          {},
                          Tirer(alea, 0, 11),
                          Tirer(alea, 0, 30),
                          {},
                          Tirer(alea, 0, 3)};
    for (int k = 1; k <= nbEssais; ++k) {
        ReglagesCourants = EnteteCaractDefaut;
        for (int w = 3; w < MotCommentaire; ++w) ReglagesCourants[w] = static_cast<int32_t>(alea());
        ReglagesCourants[MotTypeMachine] = Tirer(alea, 0, NbTypesMachine - 1);
        ReglagesCourants[MotTypeCaract] = Tirer(alea, 0, NbTypesCaract - 1);
        RemplirChaine(ReglagesCourants.Commentaire, alea);
        NouvelleCaract();
        const int n = k == plein ? NbPointsMax : Tirer(alea, 0, maxPoints);
        for (int p = 0; p < n; ++p) {
            for (auto& v : ValeursCourantes) v = static_cast<int32_t>(alea());
            EXPECT_TRUE(AjouterPoint());
        }
        EXPECT_TRUE(k != plein || !AjouterPoint());  // no room for a 2002nd point
    }
    return ImageEtude();
}

int32_t Lire32(const Octets& o, size_t pos) {
    int32_t v = 0;
    if (pos + 4 <= o.size()) std::memcpy(&v, o.data() + pos, 4);
    return v;
}
void Poser32(Octets& o, size_t pos, int32_t v) {
    if (pos + 4 <= o.size()) std::memcpy(o.data() + pos, &v, 4);
}

// Offsets of the trial headers, walking the image as the loader would.
std::vector<size_t> EntetesEssais(const Octets& image) {
    std::vector<size_t> pos;
    size_t p = sizeof(EnteteEtude);
    for (int k = 0; k < Lire32(image, offsetof(EnteteEtude, NbCaract)); ++k) {
        pos.push_back(p);
        p += sizeof(EnteteCaract) +
             4u * NbGrandeurs * static_cast<size_t>(Lire32(image, p + 4 * MotDernierPoint) + 1);
    }
    return pos;
}

// The neighbours of `juste` wrap around (it may already be a damaged INT_MAX).
int32_t CompteFaux(Alea& alea, int32_t juste) {
    const auto voisin = [juste](uint32_t pas) { return int32_t(uint32_t(juste) + pas); };
    const std::vector<int32_t> choix = {-2, -1, 0,    1,    voisin(~0u), voisin(1u),
                                        5,  6,  2000, 2001, INT_MAX,     INT_MIN};
    return Tirer(alea, 0, 3) == 0 ? static_cast<int32_t>(alea()) : Parmi(alea, choix);
}

// Damages a copy of `base` in one to three ways.
Octets Abimer(const Octets& base, Alea& alea) {
    Octets o = base;
    const auto essais = EntetesEssais(base);
    for (int fois = Tirer(alea, 1, 3); fois > 0; --fois) {
        switch (Tirer(alea, 0, 5)) {
            case 0:  // truncation, often near a record boundary
                if (!essais.empty() && Tirer(alea, 0, 1)) {
                    const size_t e = Parmi(alea, essais);
                    o.resize(std::min(o.size(), e + Tirer(alea, -2, 300)));
                } else {
                    o.resize(static_cast<size_t>(Tirer(alea, 0, int(o.size()))));
                }
                break;
            case 1:  // random bytes, anywhere
                for (int i = Tirer(alea, 1, 8); i > 0 && !o.empty(); --i)
                    o[static_cast<size_t>(Tirer(alea, 0, int(o.size()) - 1))] ^=
                        static_cast<uint8_t>(Tirer(alea, 1, 255));
                break;
            case 2:  // number of trials
                Poser32(o, offsetof(EnteteEtude, NbCaract), CompteFaux(alea, int(essais.size())));
                break;
            case 3:  // last point, machine or law of a trial
                if (!essais.empty()) {
                    const size_t e = Parmi(alea, essais);
                    const int mot = Tirer(alea, 0, 3) ? MotDernierPoint : Tirer(alea, 0, 1);
                    Poser32(o, e + 4u * mot, CompteFaux(alea, Lire32(o, e + 4u * mot)));
                }
                break;
            case 4: {  // a string length: signature, title, descriptor or comment
                std::vector<size_t> longueurs = {0, offsetof(EnteteEtude, Titre)};
                for (int q = 0; q < NbGrandeurs; ++q)
                    for (size_t c : {0, 21, 42})
                        longueurs.push_back(offsetof(EnteteEtude, Grandeurs) +
                                            q * sizeof(DescGrandeur) + c);
                for (size_t e : essais)
                    longueurs.push_back(e + offsetof(EnteteCaract, Commentaire));
                const size_t p = Parmi(alea, longueurs);
                if (p < o.size()) o[p] = static_cast<uint8_t>(Tirer(alea, 0, 255));
                break;
            }
            default:  // trailing bytes
                for (int i = Tirer(alea, 1, 300); i > 0; --i) o.push_back(uint8_t(alea()));
        }
    }
    return o;
}

::testing::AssertionResult EtudeDansLesBornes() {
    bool ok = Etude.NbCaract >= 0 && Etude.NbCaract <= NbCaractMax && Etude.Signature.Valide() &&
              Etude.Titre.Valide();
    for (const auto& g : Etude.Grandeurs)
        ok = ok && g.Nom.Valide() && g.Symbole.Valide() && g.Unite.Valide();
    for (const auto& v : Etude.Vues)
        ok = ok && std::min(v.GrandeurX, v.GrandeurY) >= 0 &&
             std::max(v.GrandeurX, v.GrandeurY) < NbGrandeurs;
    if (!ok) return ::testing::AssertionFailure() << "study header";
    // Unused records are reset; used ones hold only counts in range.
    for (int k = 0; k < NbRecords; ++k) {
        const EnteteCaract& e = Caracts[k].Entete;
        const bool libre = k == 0 || k > Etude.NbCaract;
        if (libre ? std::memcmp(&e, &EnteteCaractDefaut, sizeof e) != 0
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
    for (const auto& [n, points, plein] : {std::tuple{0, 0, 0},
                                           {1, 0, 0},
                                           {1, 5, 0},
                                           {2, 300, 0},
                                           {3, 40, 2},
                                           {5, 200, 0},
                                           {5, 3, 5}}) {
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
            ASSERT_LE(image.size(), o.size()) << "seed " << graine;
            ASSERT_TRUE(std::equal(image.begin(), image.end(), o.begin())) << "seed " << graine;
            ASSERT_TRUE(EtudeDansLesBornes()) << "seed " << graine;
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
