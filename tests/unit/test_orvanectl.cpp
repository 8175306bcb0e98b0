// orvanectl study export, in process, in a temporary current folder.
#include <gtest/gtest.h>

#include "LectureClasseur.h"
#include "OutilsEssai.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"

namespace fs = std::filesystem;
using namespace orvane;
using namespace orvane::essai;

namespace {

// Expected export of the study written by `EcrireEtude`, in UTF-8.
const std::string Entetes =
    "N°\tn\tTu\tPm\tU\tI\tPe\tIe\tRd\tFp\tPertes\tt\r\n"
    "\t(tr/min)\t(Nm)\t(W)\t(V)\t(A)\t(W)\t(A)\t\t\t(W)\t(s)\r\n";
const std::string BlocEssai2 =
    Entetes + "0\t0\t-0,30\t0,0\t0,0\t0,000\t0,0\t0,000\t0,000\t0,000\t0,0\t0,00\r\n";
const std::string TsvAttendu =
    "Essai 1\tà vide\r\n" + Entetes +
    "0\t1500\t12,50\t196,3\t230,0\t0,005\t-0,5\t0,000\t0,875\t1,000\t1,2\t0,07\r\n"
    "1\t1480\t25,00\t387,5\t231,0\t12,345\t4521,0\t1,500\t0,857\t0,820\t0,5\t12,34\r\n"
    "Essai 2\t\r\n" +
    BlocEssai2;

class Orvanectl : public ::testing::Test {
protected:
    void SetUp() override {
        ChoixLangue(LangueFrancais);
        // Three trials: two with points, one empty.
        InitEtude();
        ASSERT_TRUE(
            AjouterEssai(3, 1, "\xE0 vide",
                         {{0, 1500, 1250, 1963, 2300, 5, -5, 0, 875, 1000, 12, 7},
                          {0, 1480, 2500, 3875, 2310, 12345, 45210, 1500, 857, 820, 5, 1234}}));
        ASSERT_TRUE(AjouterEssai(1, 4, "", {{0, 0, -30, 0, 0, 0, 0, 0, 0, 0, 0, 0}}));
        ASSERT_TRUE(AjouterEssai(0, 0, "", {}));
        ASSERT_TRUE(EnregistrerEtude(f));
    }

    DossierCourant courant;
    DossierTemporaire& dossier = courant.dossier;
    RapportEnregistre rapport;
    const std::string f = dossier / "banc.OVX2";
};

// The export is the text the tracing window copies, byte for byte.
TEST_F(Orvanectl, ExportIsTheCopiedTextOrTheValuesFile) {
    const Sortie c = Ctl({"study", "export", "--cp1252", f, "--format", "tsv"});
    EXPECT_EQ(c.out, TexteValeurs(-1));
    EXPECT_EQ(DepuisCp1252(c.out), TsvAttendu);
    // One trial: its block alone, without the "Essai" line; an empty one:
    // the two heading lines; none beyond the last record.
    EXPECT_EQ(Ctl({"study", "export", f, "--trial", "2"}).out, BlocEssai2);

    // The values file of the tracing window (its bytes are checked with it).
    EXPECT_EQ(Ctl({"study", "export", f, "--format", "csv"}).out, CsvValeurs(-1, false));
    // A unit holding the separator is quoted.
    Etude.Grandeurs[GVitesse].Unite.Ecrire("tr,min");
    EXPECT_NE(CsvValeurs(-1, false).find(",\"n (tr,min)\","), std::string::npos);
}

// A study described and exported on success, in the language of the
// configuration in the current folder (the names below are the text tables').
TEST_F(Orvanectl, ShowAndExportSucceedInTheConfiguredLanguage) {
    const auto essais = [&](const char* mas, const char* mcc) {
        const Sortie j = Ctl({"study", "show", f, "--json"});
        EXPECT_EQ(j.statut, ctl::Succes);
        const std::string attendu =
            std::string(
                "  \"trials\": [\n    {\"trial\": 1, \"machine\": 3, \"machine_name\": \"") +
            mas +
            "\", \"type\": 1, \"type_name\": \"T = K\", \"points\": 2, \"comment\": "
            "\"\u00e0 vide\"},\n    {\"trial\": 2, \"machine\": 1, \"machine_name\": \"" +
            mcc +
            "\", \"type\": 4, \"type_name\": \"T = K.(n-No)\", \"points\": 1, \"comment\": "
            "\"\"},\n    {\"trial\": 3, \"machine\": 0, \"machine_name\": \"(none)\", "
            "\"type\": 0, \"type_name\": \"(none)\", \"points\": 0, \"comment\": \"\"}\n  ]\n}\n";
        EXPECT_NE(j.out.find(attendu), std::string::npos) << j.out;
    };
    essais("MAS Triphas\u00e9e", "MCC Ind\u00e9pendante");
    const std::string sortie = dossier / "valeurs.txt";
    const Sortie e = Ctl({"study", "export", f, "-o", sortie});
    EXPECT_TRUE(e.statut == ctl::Succes && e.out.empty() && e.err.empty());
    EXPECT_EQ(Contenu(sortie), TsvAttendu);

    TConfigGenerale anglais = ConfigDefaut;
    anglais.Langue = 2;
    ASSERT_TRUE(EcrireFichierEntier(NomFichierConfig, &anglais, sizeof anglais));
    essais("Three-phase ASM", "Independent DCM");
    EXPECT_EQ(Ctl({"study", "export", f, "-o", sortie}).statut, ctl::Succes);
    EXPECT_EQ(Contenu(sortie).substr(0, 16), "Test 1\t\xC3\xA0 vide\r\n");
}

TEST_F(Orvanectl, FileErrorsAreNotSuccess) {
    const Sortie manquant = Ctl({"study", "show", dossier / "absent.OVX2"});
    EXPECT_EQ(manquant.statut, ctl::ErreurFichier);
    EXPECT_NE(manquant.err.find("Erreur de lecture du fichier"), std::string::npos);
    EXPECT_EQ(Ctl({"study", "export", f, "-o", dossier / "pas/de/dossier.txt"}).statut,
              ctl::ErreurFichier);
}

// The workbook of the tracing window, written to a file only: 12.5 in cell
// C7 is trial 1's first torque (1250 counts of 0.01 N.m).
TEST_F(Orvanectl, XlsxExportWritesTheWorkbook) {
    const std::string sortie = dossier / "valeurs.xlsx";
    const Sortie e = Ctl({"study", "export", f, "--format", "xlsx", "-o", sortie});
    ASSERT_TRUE(e.statut == ctl::Succes && e.out.empty() && e.err.empty()) << e.err;
    const Classeur c(sortie);
    EXPECT_EQ(c.feuilles,
              (std::vector<std::string>{"Essai 1", "Essai 2", "Essai 3", "Vues", "Étude"}));
    EXPECT_EQ(c.Cellules(1)["C7"].valeur, "12.5");
    EXPECT_EQ(c.Cellules(2)["C7"].valeur, "-0.3");
    for (const auto& args : {std::vector<std::string>{"study", "export", f, "--format", "xlsx"},
                             {"study", "export", f, "--format", "xlsx", "-o", "-"}}) {
        const Sortie r = Ctl(args);
        EXPECT_TRUE(r.statut == ctl::ErreurUsage && r.out.empty()) << r.statut;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("standard output"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Ctl({"study", "export", f, "--format", "xlsx", "-o", dossier / "non/x.xlsx"}).statut,
              ctl::ErreurFichier);
}

}  // namespace
