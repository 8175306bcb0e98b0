// The simulated bench served to the gateway and to a standard libmodbus master.
#include <gtest/gtest.h>
#include <modbus/modbus.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "OutilsEssai.h"
#include "comm/Passerelle.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

namespace {

// A standard libmodbus master sets K with function 6, over a pty and TCP; an
// illegal register is refused and the link still answers.
TEST(BancServi, ConstanteKParEcritureSimple) {
    for (bool tcp : {false, true}) {
        SCOPED_TRACE(tcp ? "TCP" : "RTU");
        ServeurEnFond banc;
        banc.variateur.SetFrequenceReseau(50);
        banc.variateur.SetCalibre(sim::CalibreParDefaut);
        banc.variateur.SetTypeMachine(MasTriphasee);
        banc.serveur.SuivreHorloge([] { return int64_t{0}; });
        std::string nom;
        ASSERT_TRUE(tcp ? banc.Tcp() : !(nom = banc.Pty()).empty());
        std::unique_ptr<modbus_t, void (*)(modbus_t*)> m(
            tcp ? modbus_new_tcp("127.0.0.1", banc.serveur.Port())
                : modbus_new_rtu(("/dev/" + nom).c_str(), 19200, 'N', 8, 1),
            [](modbus_t* c) {
                modbus_close(c);
                modbus_free(c);
            });
        ASSERT_TRUE(m);
        modbus_set_slave(m.get(), 1);
        modbus_set_response_timeout(m.get(), 1, 0);
        ASSERT_EQ(modbus_connect(m.get()), 0) << modbus_strerror(errno);
        uint16_t k = 0, mesures[NbMesures] = {};
        ASSERT_EQ(modbus_write_register(m.get(), ParamConstanteK.Adresse(), 500), 1);
        ASSERT_EQ(modbus_read_registers(m.get(), ParamConstanteK.Adresse(), 1, &k), 1);
        EXPECT_EQ(k, 500);
        ASSERT_EQ(modbus_read_registers(m.get(), ParamStatut.Adresse(), NbMesures, mesures),
                  NbMesures);
        EXPECT_EQ(mesures[ParamConstanteEnCours.parametre - ParamStatut.parametre], 500);
        EXPECT_TRUE(modbus_write_register(m.get(), ParamVitesse.Adresse(), 1) == -1 &&
                    errno == EMBXILADD);
        // The link still answers after the refusal.
        ASSERT_EQ(modbus_read_registers(m.get(), ParamConstanteK.Adresse(), 1, &k), 1);
    }
}

}  // namespace

// The writes of a manual start and stop, in order, in the journal of a real
// `orvanectl bench --baud 19200 --journal` process over the serial path.
TEST(BancSimule, JournalDesEcrituresDUnDemarrageEtDUnArret) {
    const int32_t marche = MotControle(1, ControleMarche);
    const int32_t repos = MotControle(1, ControleRepos);
    const std::string attendu = "20.29 1\n19.20 0\n19.20 0,0,0,0,0,0\n20.29 " +
                                std::to_string(marche) + "\n20.29 " + std::to_string(repos) +
                                "\n19.20 0,0,0,0,0,0\n19.20 0\n20.29 0\n";
    const std::string fichier = ::testing::TempDir() + "orvane_journal_banc.txt";
    std::remove(fichier.c_str());
    // The shell prints its process number, then becomes the bench, which
    // prints its pseudo-terminal's name (waited for 5 s at most).
    FILE* banc = popen(
        ("echo $$; exec " ORVANECTL_CHEMIN " bench --pty --machine 3 --baud 19200 --journal " +
         fichier)
            .c_str(),
        "r");
    ASSERT_NE(banc, nullptr);
    setvbuf(banc, nullptr, _IONBF, 0);
    char numero[32] = {}, ligne[64] = {};
    pollfd p{fileno(banc), POLLIN, 0};
    const bool pret = fgets(numero, sizeof numero, banc) && poll(&p, 1, 5000) > 0 &&
                      fgets(ligne, sizeof ligne, banc);
    const std::string nom(ligne, strcspn(ligne, "\n"));
    const auto arreter = [&] {
        if (atoi(numero) > 0) kill(atoi(numero), SIGTERM);
        return pclose(banc);
    };
    if (!pret || !nom.starts_with("pts/")) {
        arreter();
        FAIL() << nom;
    }
    InitEtude();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ConfigGenerale.PortSerie.Ecrire(nom);
    ReglagesCourants[MotTypeMachine] = MasTriphasee;
    ReglagesCourants[MotTypeCaract] = 1;
    {
        TPasserelleCom com;
        com.Initialise();
        EXPECT_TRUE(com.LiaisonOuverte()) << nom;
        com.EmissionConstanteK(0);
        com.setParam0();
        com.EmissionControle(marche);
        com.LectureValeurs();
        EXPECT_TRUE(com.LectureValide());
        com.EmissionControle(repos);
        com.setParam0();
        com.EmissionConstanteK(0);
        com.Ferme();
    }
    ConfigGenerale = ConfigDefaut;
    EXPECT_EQ(arreter(), 0);
    EXPECT_EQ(Contenu(fichier), attendu);
    std::remove(fichier.c_str());
}
