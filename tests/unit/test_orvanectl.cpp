// orvanectl study show / export, run in process on work files written by the
// study code in a temporary folder (which is also the current folder, so that
// no stray CFGOrvane.cfg changes the language).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tools/orvanectl/Orvanectl.h"

namespace fs = std::filesystem;
using namespace orvane;

namespace {

class RapportEnregistre : public Rapport {
public:
    void Avertissement(const std::string& texte) override { messages.push_back(texte); }
    std::vector<std::string> messages;
};

struct Resultat {
    int statut;
    std::string out;
    std::string err;
};

std::string Lire(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The values of one point; the number is set by AjouterPoint.
ValeursPoint Point(int32_t n, int32_t tu, int32_t pm, int32_t u, int32_t i, int32_t pe, int32_t ie,
                   int32_t rd, int32_t fp, int32_t pertes, int32_t t) {
    return {0, n, tu, pm, u, i, pe, ie, rd, fp, pertes, t};
}

void AjouterEssai(int machine, int loi, const std::string& commentaire,
                  std::initializer_list<ValeursPoint> points) {
    ReglagesCourants = EnteteCaractDefaut;
    ReglagesCourants[MotTypeMachine] = machine;
    ReglagesCourants[MotTypeCaract] = loi;
    ReglagesCourants.Commentaire.Ecrire(commentaire);
    NouvelleCaract();
    for (const ValeursPoint& p : points) {
        ValeursCourantes = p;
        ASSERT_TRUE(AjouterPoint());
    }
}

// Expected export of the study written by `EcrireEtude`, in UTF-8.
const std::string SymbolesTsv = "N°\tn\tTu\tPm\tU\tI\tPe\tIe\tRd\tFp\tPertes\tt\r\n";
const std::string UnitesTsv = "\t(tr/min)\t(Nm)\t(W)\t(V)\t(A)\t(W)\t(A)\t\t\t(W)\t(s)\r\n";
const std::string BlocEssai2 =
    SymbolesTsv + UnitesTsv +
    "0\t0\t-0,30\t0,0\t0,0\t0,000\t0,0\t0,000\t0,000\t0,000\t0,0\t0,00\r\n";
const std::string TsvAttendu =
    "Essai 1\tà vide\r\n" + SymbolesTsv + UnitesTsv +
    "0\t1500\t12,50\t196,3\t230,0\t0,005\t-0,5\t0,000\t0,875\t1,000\t1,2\t0,07\r\n"
    "1\t1480\t25,00\t387,5\t231,0\t12,345\t4521,0\t1,500\t0,857\t0,820\t0,5\t12,34\r\n"
    "Essai 2\t\r\n" +
    BlocEssai2;

class Orvanectl : public ::testing::Test {
protected:
    void SetUp() override {
        precedent_ = DefinirRapport(&rapport_);
        depart_ = fs::current_path();
        std::string modele = (fs::temp_directory_path() / "orvanectl-XXXXXX").string();
        ASSERT_NE(::mkdtemp(modele.data()), nullptr);
        dossier_ = modele;
        fs::current_path(dossier_);
        ChoixLangue(LangueFrancais);
    }

    void TearDown() override {
        fs::current_path(depart_);
        std::error_code ec;
        fs::remove_all(dossier_, ec);
        DefinirRapport(precedent_);
        ChoixLangue(LangueFrancais);
        InitEtude();
    }

    std::string Chemin(const std::string& nom) const { return (dossier_ / nom).string(); }

    // Three trials: two with points, one empty; one graph view in slot 2.
    std::string EcrireEtude() {
        InitEtude();
        Etude.Titre.Ecrire(std::string("Banc n\xB0") + "1 \"MAS\"");  // Windows-1252
        Etude.Vues[1] = VueGraphe{1, 1, {0, 0}, GVitesse, 15, {0, 0}, GCouple, 27, {0, 0}, 1};
        AjouterEssai(3, 1, "\xE0 vide",
                     {Point(1500, 1250, 1963, 2300, 5, -5, 0, 875, 1000, 12, 7),
                      Point(1480, 2500, 3875, 2310, 12345, 45210, 1500, 857, 820, 5, 1234)});
        AjouterEssai(1, 4, "", {Point(0, -30, 0, 0, 0, 0, 0, 0, 0, 0, 0)});
        AjouterEssai(0, 0, "", {});
        const std::string chemin = Chemin("banc.OVX2");
        EXPECT_TRUE(EnregistrerEtude(chemin));
        InitEtude();
        return chemin;
    }

    Resultat Lancer(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int statut = ctl::Executer(args, out, err);
        return {statut, out.str(), err.str()};
    }

    RapportEnregistre rapport_;
    Rapport* precedent_ = nullptr;
    fs::path depart_;
    fs::path dossier_;
};

TEST_F(Orvanectl, ShowListsTitleViewsAndTrials) {
    const std::string f = EcrireEtude();
    const Resultat r = Lancer({"study", "show", f});
    ASSERT_EQ(r.statut, ctl::Succes) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Title: Banc n°1 \"MAS\"\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Views: 1\n  View 2: x = n (tr/min) [zoom 15], y = Tu (Nm) [zoom 27], "
                         "quadrant 1, shown\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Trials: 3\n"
                         "  Trial 1: MAS Triphasée, T = K, 2 points, comment \"à vide\"\n"
                         "  Trial 2: MCC Indépendante, T = K.(n-No), 1 points, comment \"\"\n"
                         "  Trial 3: (none), (none), 0 points, comment \"\"\n"),
              std::string::npos)
        << r.out;

    const Resultat j = Lancer({"study", "show", "--json", f});
    ASSERT_EQ(j.statut, ctl::Succes) << j.err;
    EXPECT_EQ(j.out.front(), '{');
    EXPECT_EQ(j.out.substr(j.out.size() - 2), "}\n");
    EXPECT_NE(j.out.find("\"title\": \"Banc n°1 \\\"MAS\\\"\""), std::string::npos) << j.out;
    EXPECT_NE(
        j.out.find("\"views\": [\n    {\"view\": 2, \"shown\": true, \"x\": 1, \"x_zoom\": 15, "
                   "\"y\": 2, \"y_zoom\": 27, \"quadrant\": 1}\n  ]"),
        std::string::npos)
        << j.out;
    EXPECT_NE(j.out.find("{\"trial\": 1, \"machine\": 3, \"machine_name\": \"MAS Triphasée\", "
                         "\"type\": 1, \"type_name\": \"T = K\", \"points\": 2, "
                         "\"comment\": \"à vide\"}"),
              std::string::npos)
        << j.out;
    EXPECT_NE(j.out.find("\"type_name\": \"T = K.(n-No)\""), std::string::npos);
    EXPECT_NE(
        j.out.find("{\"number\": 5, \"name\": \"Courant\", \"symbol\": \"I\", \"unit\": \"A\", "
                   "\"decimals\": 3}"),
        std::string::npos);
}

TEST_F(Orvanectl, ExportTsvIsTheTracingWindowText) {
    const std::string f = EcrireEtude();
    const Resultat r = Lancer({"study", "export", f});
    ASSERT_EQ(r.statut, ctl::Succes) << r.err;
    EXPECT_EQ(r.out, TsvAttendu);
    EXPECT_EQ(r.out, DepuisCp1252(TexteValeurs(-1)));

    const Resultat c = Lancer({"study", "export", "--cp1252", f, "--format", "tsv"});
    ASSERT_EQ(c.statut, ctl::Succes) << c.err;
    EXPECT_EQ(c.out, TexteValeurs(-1));
    EXPECT_EQ(c.out.substr(0, 19), "Essai 1\t\xE0 vide\r\nN\xB0\t");
    EXPECT_EQ(DepuisCp1252(c.out), TsvAttendu);

    // One trial: its block alone, without the "Essai" line.
    const Resultat e = Lancer({"study", "export", f, "--trial", "2"});
    ASSERT_EQ(e.statut, ctl::Succes) << e.err;
    EXPECT_EQ(e.out, BlocEssai2);
    const Resultat vide = Lancer({"study", "export", f, "--trial", "3"});
    EXPECT_EQ(vide.out, SymbolesTsv + UnitesTsv);
}

TEST_F(Orvanectl, ExportCsvWithPointOrComma) {
    const std::string f = EcrireEtude();
    const Resultat r = Lancer({"study", "export", f, "--format", "csv"});
    ASSERT_EQ(r.statut, ctl::Succes) << r.err;
    EXPECT_EQ(
        r.out,
        "Essai,N°,n (tr/min),Tu (Nm),Pm (W),U (V),I (A),Pe (W),Ie (A),Rd,Fp,Pertes (W),t (s)\r\n"
        "1,0,1500,12.50,196.3,230.0,0.005,-0.5,0.000,0.875,1.000,1.2,0.07\r\n"
        "1,1,1480,25.00,387.5,231.0,12.345,4521.0,1.500,0.857,0.820,0.5,12.34\r\n"
        "2,0,0,-0.30,0.0,0.0,0.000,0.0,0.000,0.000,0.000,0.0,0.00\r\n");

    const Resultat v =
        Lancer({"study", "export", f, "--format", "csv", "--decimal-comma", "--trial", "1"});
    ASSERT_EQ(v.statut, ctl::Succes) << v.err;
    EXPECT_EQ(
        v.out,
        "Essai;N°;n (tr/min);Tu (Nm);Pm (W);U (V);I (A);Pe (W);Ie (A);Rd;Fp;Pertes (W);t (s)\r\n"
        "1;0;1500;12,50;196,3;230,0;0,005;-0,5;0,000;0,875;1,000;1,2;0,07\r\n"
        "1;1;1480;25,00;387,5;231,0;12,345;4521,0;1,500;0,857;0,820;0,5;12,34\r\n");
}

TEST_F(Orvanectl, ExportToFile) {
    const std::string f = EcrireEtude();
    const std::string sortie = Chemin("valeurs.txt");
    const Resultat r = Lancer({"study", "export", f, "-o", sortie});
    ASSERT_EQ(r.statut, ctl::Succes) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Lire(sortie), TsvAttendu);

    const Resultat c = Lancer({"study", "export", f, "--format", "csv", "--output", sortie});
    ASSERT_EQ(c.statut, ctl::Succes) << c.err;
    EXPECT_EQ(Lire(sortie), CsvValeurs(-1, false));
}

TEST_F(Orvanectl, ExitStatuses) {
    const std::string f = EcrireEtude();
    const std::string absent = Chemin("absent.OVX2");

    const Resultat manquant = Lancer({"study", "show", absent});
    EXPECT_EQ(manquant.statut, ctl::ErreurFichier);
    EXPECT_EQ(manquant.out, "");
    EXPECT_NE(manquant.err.find("Erreur de lecture du fichier"), std::string::npos) << manquant.err;
    EXPECT_EQ(std::count(manquant.err.begin(), manquant.err.end(), '\n'), 1) << manquant.err;

    // A truncated work file is a read failure too.
    const std::string image = Lire(f);
    const std::string court = Chemin("court.OVX2");
    std::ofstream(court, std::ios::binary) << image.substr(0, image.size() - 1);
    EXPECT_EQ(Lancer({"study", "export", court}).statut, ctl::ErreurFichier);
    EXPECT_EQ(Lancer({"study", "export", f, "-o", Chemin("pas/de/dossier.txt")}).statut,
              ctl::ErreurFichier);

    const std::vector<std::vector<std::string>> usages = {
        {},
        {"nothing"},
        {"study"},
        {"study", "list", f},
        {"study", "show"},
        {"study", "export"},
        {"study", "show", f, "--bogus"},
        {"study", "show", f, "--trial", "1"},
        {"study", "show", f, f},
        {"study", "export", f, "--trial", "9"},
        {"study", "export", f, "--trial", "0"},
        {"study", "export", f, "--trial", "x"},
        {"study", "export", f, "--trial"},
        {"study", "export", f, "--format", "xml"},
        {"study", "export", f, "-o"},
    };
    for (const auto& args : usages) {
        const Resultat r = Lancer(args);
        std::string ligne;
        for (const auto& a : args) ligne += a + " ";
        EXPECT_EQ(r.statut, ctl::ErreurUsage) << ligne;
        EXPECT_FALSE(r.err.empty()) << ligne;
        EXPECT_EQ(r.out, "") << ligne;
    }
    EXPECT_EQ(Lancer({"--help"}).statut, ctl::Succes);
}

TEST_F(Orvanectl, ConfigurationOfTheCurrentFolderSetsTheLanguage) {
    const std::string f = EcrireEtude();
    TConfigGenerale c = ConfigDefaut;
    c.Langue = LangueAnglais;
    std::ofstream(Chemin(NomFichierConfig), std::ios::binary)
        .write(reinterpret_cast<const char*>(&c), sizeof c);

    const Resultat r = Lancer({"study", "show", f});
    ASSERT_EQ(r.statut, ctl::Succes) << r.err;
    EXPECT_NE(r.out.find("  Trial 1: Three-phase ASM, T = K, 2 points"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("Triphasée"), std::string::npos);
    const Resultat j = Lancer({"study", "show", f, "--json"});
    EXPECT_NE(j.out.find("\"machine_name\": \"Independent DCM\""), std::string::npos) << j.out;

    // The file's own descriptors stay; only the trial word follows the language.
    const std::string tsv = Lancer({"study", "export", f}).out;
    EXPECT_EQ(tsv.substr(0, 7), "Test 1\t") << tsv;
    EXPECT_NE(tsv.find("\r\n" + SymbolesTsv + UnitesTsv), std::string::npos) << tsv;

    // Removing the file brings French back.
    fs::remove(Chemin(NomFichierConfig));
    EXPECT_NE(Lancer({"study", "show", f}).out.find("MAS Triphasée"), std::string::npos);
}

}  // namespace
