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

// A study whose view 1 plots torque against speed for one trial, saved to `f`.
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
    EXPECT_EQ(trace({"--view", "1"}, "v.svg"), ctl::Succes);
    EXPECT_NE(Contenu(d / "v.svg").find("<svg"), std::string::npos);
    EXPECT_EQ(trace({"--view", "1"}, "v.pdf"), ctl::Succes);
    EXPECT_EQ(Contenu(d / "v.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(trace({"--view", "1"}, "v.png"), ctl::Succes);
    const QImage image(QString::fromStdString(d / "v.png"));
    // 190 x 140 mm at 96 dpi.
    EXPECT_EQ(image.size(), QSize(96 * 19000 / 2540, (96 * 28000 / 2540) / 2));
    // Black axes and the red markers of the first trial on white.
    int noirs = 0, rouges = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFF;
            noirs += c == 0x000000;
            rouges += c == 0xFF0000;
        }
    EXPECT_GT(noirs, 500);
    EXPECT_GT(rouges, 20);
    EXPECT_EQ(trace({"--view", "1", "--size", "400x300"}, "p.png"), ctl::Succes);
    EXPECT_EQ(QImage(QString::fromStdString(d / "p.png")).size(), QSize(400, 300));

    EXPECT_EQ(trace({"--view", "2"}, "x.svg"), ctl::ErreurUsage);
    EXPECT_EQ(trace({"--view", "1"}, "x.bmp"), ctl::ErreurUsage);
    EXPECT_EQ(trace({"--view", "1", "--size", "0x3"}, "x.png"), ctl::ErreurUsage);
    EXPECT_EQ(trace({}, "x.png"), ctl::ErreurUsage);
    EXPECT_EQ(trace({"--view", "1"}, "absent/x.png"), ctl::ErreurFichier);
    EXPECT_FALSE(std::filesystem::exists(d / "x.svg"));
}

// Colour schemes as 0x00BBGGRR, row 1 also for copying and printing.
TEST(Plot, ColourSchemesEntryByEntry) {
    const uint32_t blanc = 0xFFFFFF, noir = 0, rouge = 0x0000FF, marine = 0x800000, vert = 0x008000,
                   bordeaux = 0x000080, gris = 0x808080, aqua = 0xFFFF00, jaune = 0x00FFFF,
                   argent = 0xC0C0C0, citron = 0x00FF00;
    const uint32_t clair[5] = {noir, rouge, marine, vert, bordeaux};
    const uint32_t sombre[5] = {blanc, rouge, aqua, citron, jaune};
    const uint32_t fonds[8] = {blanc, aqua, jaune, argent, bordeaux, vert, marine, noir};
    for (int ligne = 1; ligne <= 8; ++ligne) {
        const bool fonce = ligne >= 5;
        EXPECT_EQ(TablePalettes[ligne][0], fonds[ligne - 1]) << ligne;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(TablePalettes[ligne][i + 1], fonce ? sombre[i] : clair[i]) << ligne << i;
        EXPECT_EQ(TablePalettes[ligne][6], fonce ? argent : gris) << ligne;
    }
}

// A work file whose descriptors announce ten million decimals (or more) is
// loaded as it is; the plot, the exported values and the read-outs of the
// frame stay short texts, bounded as every fixed-point text is.
TEST(Plot, DescriptorsWithHugeDecimalsFromAFileGiveBoundedTexts) {
    const DossierTemporaire d;
    const std::string f = d / "abime.OVX2";
    EtudeSauvee(f, 3, 0);
    // Decimals of descriptors 1 and 2 (offset 108 of each 112-byte
    // descriptor, from byte 296 of the header).
    std::string octets = Contenu(f);
    const int32_t abimes[] = {10000000, INT32_MAX};
    for (int i = 0; i < 2; ++i)
        std::memcpy(octets.data() + 296 + 112 * (GVitesse + i) + 108, &abimes[i], 4);
    std::ofstream(f, std::ios::binary | std::ios::trunc) << octets;

    InitEtude();
    ASSERT_TRUE(OuvrirEtude(f));
    EXPECT_EQ(Etude.Grandeurs[GVitesse].Decimales, 10000000);  // carried unchanged
    EXPECT_EQ(Ctl({"study", "plot", f, "--view", "1", "-o", d / "v.svg"}).statut, ctl::Succes);
    const Sortie valeurs = Ctl({"study", "export", f});
    EXPECT_EQ(valeurs.statut, ctl::Succes);
    EXPECT_LT(valeurs.out.size(), 1000u);

    TaxeC x, y;
    ConfigurerAxes(Etude.Vues[0], x, y);
    EXPECT_EQ(textevaleur(1500, x), FormatFixe(1500, x.Decimales) + " tr/min");
    EXPECT_EQ(textevaleur(-7, y), FormatFixe(-7, y.Decimales) + " Nm");
    EXPECT_LT(textevaleur(INT32_MIN, y).size(), 40u);
}
