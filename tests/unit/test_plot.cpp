// orvanectl study plot: a view into SVG, PNG and PDF files.
#include <gtest/gtest.h>

#include <QImage>

#include "OutilsEssai.h"
#include "study/Fichiers.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

TEST(Plot, ViewsBecomeFilesAndMissingViewsAreRefused) {
    const DossierTemporaire d;
    InitEtude();
    Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelleCaract();
    for (int p = 0; p < 20; ++p) {
        ValeursCourantes[GVitesse] = 70 * p;
        ValeursCourantes[GCouple] = 1500 - 3 * p * p;
        AjouterPoint();
    }
    ASSERT_TRUE(EnregistrerEtude(d / "e.OVX2"));
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
    EXPECT_EQ(image.width(), 96 * 19000 / 2540);  // 190 x 140 mm at 96 dpi
    EXPECT_EQ(image.height(), (96 * 28000 / 2540) / 2);
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
