// The simulated bench served to the gateway and to a standard libmodbus master.
#include <gtest/gtest.h>
#include <modbus/modbus.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
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
        EXPECT_EQ(modbus_write_register(m.get(), ParamVitesse.Adresse(), 1), -1);
        EXPECT_EQ(errno, EMBXILADD);
        ASSERT_EQ(modbus_write_register(m.get(), ParamConstanteK.Adresse(), 250), 1);
        ASSERT_EQ(modbus_read_registers(m.get(), ParamConstanteK.Adresse(), 1, &k), 1);
        EXPECT_EQ(k, 250);
    }
}

// `orvanectl bench` run as its own process, until the object goes.
class BancExterne {
public:
    explicit BancExterne(const std::vector<std::string>& args) {
        int tube[2];
        if (pipe(tube) != 0) return;
        std::vector<std::string> tout = {ORVANECTL_CHEMIN, "bench"};
        tout.insert(tout.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : tout) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, tube[1], 1);
        posix_spawn_file_actions_addclose(&actions, tube[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(tube[1]);
        sortie_ = tube[0];
    }
    ~BancExterne() {
        Arreter();
        if (sortie_ >= 0) close(sortie_);
    }
    // The first line it prints (the pseudo-terminal's name), within 5 s.
    std::string Ligne() {
        std::string ligne;
        for (int k = 0; k < 200 && pid_ > 0; ++k) {
            pollfd p{sortie_, POLLIN, 0};
            if (poll(&p, 1, 25) <= 0) continue;
            char c;
            if (read(sortie_, &c, 1) != 1 || c == '\n') break;
            ligne += c;
        }
        return ligne;
    }
    // Stops it (SIGTERM) and returns its exit status.
    int Arreter() {
        if (pid_ <= 0) return -1;
        kill(pid_, SIGTERM);
        int statut = 0;
        waitpid(std::exchange(pid_, -1), &statut, 0);
        return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    }

private:
    pid_t pid_ = -1;
    int sortie_ = -1;
};

}  // namespace

// The writes of a manual start and stop, in order, in the journal of a real
// `orvanectl bench --baud 19200 --journal` process over the serial path.
TEST(BancSimule, JournalDesEcrituresDUnDemarrageEtDUnArret) {
    const int32_t marche = MotControle(1, ControleMarche);
    const int32_t repos = MotControle(1, ControleRepos);
    const std::vector<std::string> attendu = {"20.29 1",
                                              "19.20 0",
                                              "19.20 0,0,0,0,0,0",
                                              "20.29 " + std::to_string(marche),
                                              "20.29 " + std::to_string(repos),
                                              "19.20 0,0,0,0,0,0",
                                              "19.20 0",
                                              "20.29 0"};
    const std::string fichier = ::testing::TempDir() + "orvane_journal_banc.txt";
    std::remove(fichier.c_str());
    BancExterne processus({"--pty", "--machine", "3", "--baud", "19200", "--journal", fichier});
    const std::string nom = processus.Ligne();
    ASSERT_TRUE(nom.starts_with("pts/")) << nom;
    InitEtude();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ConfigGenerale.PortSerie.Ecrire(nom);
    ReglagesCourants[MotTypeMachine] = MasTriphasee;
    ReglagesCourants[MotTypeCaract] = 1;
    {
        TPasserelleCom com;
        com.Initialise();
        ASSERT_TRUE(com.LiaisonOuverte()) << nom;
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
    EXPECT_EQ(processus.Arreter(), 0);
    std::vector<std::string> lu;
    std::ifstream f(fichier);
    for (std::string ligne; std::getline(f, ligne) && lu.size() < 100;) lu.push_back(ligne);
    EXPECT_EQ(lu, attendu);
    std::remove(fichier.c_str());
}
