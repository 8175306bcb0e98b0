// orvanectl study plot: a view into SVG, PNG and PDF files.
#include <gtest/gtest.h>

#include <QImage>
#include <climits>
#include <cstring>

#include "OutilsEssai.h"
#include "graph/Echelle.h"
#include "graph/Vue.h"
#include "study/Fichiers.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

// View 1 plots torque against speed for one trial.
void EtudeSauvee(const std::string& f, int points, int quadrant) {
    InitEtude();
    Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, quadrant};
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelleCaract();
    for (int p = 0; p < points; ++p) {
        ValeursCourantes[GVitesse] = 70 * p;
        ValeursCourantes[GCouple] = 1500 - 3 * p * p;
        AjouterPoint();
    }
    ASSERT_TRUE(EnregistrerEtude(f));
}

}  // namespace

TEST(Plot, ViewsBecomeFilesAndMissingViewsAreRefused) {
    const DossierTemporaire d;
    EtudeSauvee(d / "e.OVX2", 20, 1);
    const auto trace = [&](std::vector<std::string> args, const std::string& sortie) {
        args.insert(args.begin(), {"study", "plot", d / "e.OVX2"});
        args.insert(args.end(), {"-o", d / sortie});
        return Ctl(args).statut;
    };
    for (const char* sortie : {"v.svg", "v.pdf", "v.png"})
        EXPECT_EQ(trace({"--view", "1"}, sortie), ctl::Succes) << sortie;
    EXPECT_NE(Contenu(d / "v.svg").find("<svg"), std::string::npos);
    EXPECT_EQ(Contenu(d / "v.pdf").rfind("%PDF", 0), 0u);
    const QImage image(QString::fromStdString(d / "v.png"));
    EXPECT_EQ(image.size(), QSize(96 * 19000 / 2540, (96 * 28000 / 2540) / 2));  // 190 x 140 mm
    // Black axes and the red markers of the first trial on white.
    int noirs = 0, rouges = 0;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QRgb c = image.pixel(i % image.width(), i / image.width()) & 0xFFFFFF;
        noirs += c == 0;
        rouges += c == 0xFF0000;
    }
    EXPECT_TRUE(noirs > 500 && rouges > 20) << noirs << " " << rouges;
    EXPECT_EQ(trace({"--view", "2"}, "x.svg"), ctl::ErreurUsage);
    EXPECT_EQ(trace({"--view", "1"}, "absent/x.png"), ctl::ErreurFichier);
    EXPECT_FALSE(std::filesystem::exists(d / "x.svg"));
}

// Descriptors announcing ten million decimals (or more) from a file are kept;
// the plot, the exported values and the read-outs stay short texts.
TEST(Plot, DescriptorsWithHugeDecimalsFromAFileGiveBoundedTexts) {
    const DossierTemporaire d;
    const std::string f = d / "abime.OVX2";
    EtudeSauvee(f, 3, 0);
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
