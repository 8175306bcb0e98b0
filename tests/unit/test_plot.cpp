// orvanectl study plot and the texts of a damaged study.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "OutilsEssai.h"
#include "graph/Echelle.h"
#include "graph/Vue.h"
#include "study/Fichiers.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

// Descriptors announcing ten million decimals (or more) from a file are kept;
// the plot, the exported values and the read-outs stay short texts.
TEST(Plot, DescriptorsWithHugeDecimalsFromAFileGiveBoundedTexts) {
    const DossierTemporaire d;
    const std::string f = d / "abime.OVX2";
    InitEtude();
    Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 0};
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelleCaract();
    for (int p = 0; p < 3; ++p, AjouterPoint())
        ValeursCourantes[GVitesse] = 70 * p, ValeursCourantes[GCouple] = 1500 - 3 * p * p;
    ASSERT_TRUE(EnregistrerEtude(f));
    // Decimals at offset 108 of each 112-byte descriptor, from byte 296.
    std::string octets = Contenu(f);
    const int32_t abimes[] = {10000000, INT32_MAX};
    for (int i = 0; i < 2; ++i)
        std::memcpy(octets.data() + 296 + 112 * (GVitesse + i) + 108, &abimes[i], 4);
    std::ofstream(f, std::ios::binary | std::ios::trunc) << octets;

    ASSERT_TRUE(OuvrirEtude(f));
    EXPECT_EQ(Ctl({"study", "plot", f, "--view", "1", "-o", d / "v.svg"}).statut, ctl::Succes);
    const Sortie valeurs = Ctl({"study", "export", f});
    EXPECT_TRUE(valeurs.statut == ctl::Succes && valeurs.out.size() < 1000u);
    TaxeC x, y;
    ConfigurerAxes(Etude.Vues[0], x, y);
    EXPECT_EQ(textevaleur(1500, x), FormatFixe(1500, x.Decimales) + " tr/min");
    EXPECT_LT(textevaleur(INT32_MIN, y).size(), 40u);
}
