// orvanectl study plot: a view into SVG, PNG and PDF files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "study/Fichiers.h"
#include "study/Study.h"
#include "tools/orvanectl/Orvanectl.h"

using namespace orvane;
namespace fs = std::filesystem;

namespace {

std::string Lire(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Plot, ViewsBecomeFilesAndMissingViewsAreRefused) {
    const fs::path dossier =
        fs::temp_directory_path() / ("orvane-plot-" + std::to_string(getpid()));
    fs::create_directories(dossier);
    InitEtude();
    Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelleCaract();
    for (int p = 0; p < 20; ++p) {
        ValeursCourantes[GVitesse] = 70 * p;
        ValeursCourantes[GCouple] = 1500 - 3 * p * p;
        AjouterPoint();
    }
    const std::string etude = (dossier / "e.OVX2").string();
    ASSERT_TRUE(EnregistrerEtude(etude));

    auto lancer = [&](std::vector<std::string> args) {
        std::ostringstream out, err;
        args.insert(args.begin(), {"study", "plot", etude});
        return ctl::Executer(args, out, err);
    };
    EXPECT_EQ(lancer({"--view", "1", "-o", (dossier / "v.svg").string()}), ctl::Succes);
    EXPECT_NE(Lire(dossier / "v.svg").find("<svg"), std::string::npos);
    EXPECT_EQ(lancer({"--view", "1", "-o", (dossier / "v.pdf").string()}), ctl::Succes);
    EXPECT_EQ(Lire(dossier / "v.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(lancer({"--view", "1", "-o", (dossier / "v.png").string()}), ctl::Succes);
    const QImage image((dossier / "v.png").c_str());
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
    EXPECT_EQ(lancer({"--view", "1", "--size", "400x300", "-o", (dossier / "p.png").string()}),
              ctl::Succes);
    EXPECT_EQ(QImage((dossier / "p.png").c_str()).size(), QSize(400, 300));

    EXPECT_EQ(lancer({"--view", "2", "-o", (dossier / "x.svg").string()}), ctl::ErreurUsage);
    EXPECT_EQ(lancer({"--view", "1", "-o", (dossier / "x.bmp").string()}), ctl::ErreurUsage);
    EXPECT_EQ(lancer({"--view", "1", "--size", "0x3", "-o", (dossier / "x.png").string()}),
              ctl::ErreurUsage);
    EXPECT_EQ(lancer({"-o", (dossier / "x.png").string()}), ctl::ErreurUsage);
    EXPECT_EQ(lancer({"--view", "1", "-o", (dossier / "absent" / "x.png").string()}),
              ctl::ErreurFichier);
    EXPECT_FALSE(fs::exists(dossier / "x.svg"));
    fs::remove_all(dossier);
}

}  // namespace
