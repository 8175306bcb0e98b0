// The serial link against a libmodbus RTU slave on a pseudo-terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "OutilsEssai.h"
#include "PairsModbus.h"
#include "comm/Horloge.h"
#include "comm/Passerelle.h"
#include "study/Study.h"

using namespace orvane;
using namespace orvane::essai;

// A vanished device: closed link, port then link error; plugged back, reopened.
TEST(Serie_, DeviceThatComesBackIsReopenedByTheNextStart) {
    PairModbus pair;
    ASSERT_FALSE(pair.Nom().empty());
    RapportEnregistre rapport;
    InitEtude();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonSerie;
    ReglagesCourants[MotTypeMachine] = 3;
    ReglagesCourants[MotCalibre] = 0;
    pair.Remplir(750, 0x0104);  // a running asynchronous machine
    // "/tmp/oNNNN" (fits the 10-character field) pointing at a pty, re-pointable:
    // an adapter unplugged and plugged back under the same name.
    const std::string lien = "/tmp/o" + std::to_string(1000 + ::getpid() % 9000);
    struct Retablir {
        std::string n;
        FonctionPause pause = DefinirPause([](int) {});
        ~Retablir() { ::unlink(n.c_str()), DefinirPause(pause), ConfigGenerale = ConfigDefaut; }
    } retablir{lien};
    const auto brancher = [&](const std::string& pts) {
        const std::string tmp = lien + "n";
        ::unlink(tmp.c_str());
        return ::symlink(("/dev/" + pts).c_str(), tmp.c_str()) == 0 &&
               std::rename(tmp.c_str(), lien.c_str()) == 0;
    };
    ASSERT_TRUE(brancher(pair.Nom()));
    ConfigGenerale.PortSerie.Ecrire(lien);
    TPasserelleCom com;
    com.Initialise();
    ASSERT_TRUE(com.LiaisonOuverte()) << (rapport.messages.empty() ? "" : rapport.messages[0]);
    com.LectureValeurs();
    ASSERT_TRUE(com.LectureValide());

    pair.Debrancher();
    com.LectureValeurs();
    EXPECT_EQ(std::pair(ValeursCourantes[GNumero], com.NbEchecs()), std::pair(-1, 2));
    EXPECT_TRUE(com.Serie().Port().Perdu() && !com.LiaisonOuverte());
    if (!com.LiaisonOuverte()) com.Initialise();
    EXPECT_FALSE(com.LiaisonOuverte());
    ASSERT_EQ(rapport.messages.size(), 2u);
    EXPECT_EQ(rapport.messages[0].rfind("Erreur de communication : - Port : " + lien, 0), 0u);
    EXPECT_EQ(rapport.messages[1], "Erreur de liaison");

    PairModbus retour;
    ASSERT_FALSE(retour.Nom().empty());
    retour.Remplir(750, 0x0104);
    ASSERT_TRUE(brancher(retour.Nom()));
    if (!com.LiaisonOuverte()) com.Initialise();
    ASSERT_TRUE(com.LiaisonOuverte());
    EXPECT_EQ(retour.Registre(ParamControle.Adresse()), ControleRepos);
    com.LectureValeurs();
    EXPECT_TRUE(com.LectureValide());
    EXPECT_EQ(std::pair(ValeursCourantes[GNumero], ValeursCourantes[GVitesse]), std::pair(0, 1500));
    com.Ferme();
}
