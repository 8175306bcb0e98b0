// Port listing from a tty class folder of our own, the port's open failure
// message, and the network library's refusals that need no peer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "OutilsEssai.h"
#include "comm/ComSelection.h"
#include "comm/PortSerie.h"
#include "comm/knr/Knr.h"

namespace fs = std::filesystem;
using namespace orvane;
using namespace orvane::essai;

TEST(ComSelection_, ListsRealDevicesInNaturalOrder) {
    DossierTemporaire d;
    fs::create_directories(d.racine / "devices");
    // A tty entry; with a device link when `materiel`, with a type file when type >= 0.
    const auto tty = [&](const std::string& nom, bool materiel, int type = -1) {
        fs::create_directories(d.racine / nom);
        if (materiel) fs::create_directory_symlink(d.racine / "devices", d.racine / nom / "device");
        if (type >= 0) std::ofstream(d.racine / nom / "type") << type << "\n";
    };
    for (const char* nom : {"ttyS10", "ttyS2"}) tty(nom, true, 4);
    tty("ttyS3", true, 0);  // 8250 slot with no UART
    for (const char* nom : {"ttyUSB0", "ttyACM0", "ttyVeryLongName0"}) tty(nom, true);
    tty("tty1", false);  // virtual console
    RapportEnregistre rapport;
    TComSelection s(d.racine.string());
    std::vector<std::string> liste{"old"};
    s.EnumComPorts(liste);
    EXPECT_EQ(liste, (std::vector<std::string>{"ttyACM0", "ttyS2", "ttyS10", "ttyUSB0"}));

    // An unreadable folder keeps the list and says so.
    TComSelection absent((d.racine / "absent").string());
    absent.Items = {"ttyS0"};
    absent.Selectionner(0);
    EXPECT_TRUE(absent.Setnumcomport("ttyS0") == 0 && absent.Items.size() == 1);
    EXPECT_EQ(rapport.messages, std::vector<std::string>{"Erreur A1 "});
}

// A port that does not open says which and why, and neither reads nor writes;
// over a pty, an exception reply is read at its five bytes, not the time-out.
TEST(PortCom_, OpenFailureAndReplyReadStoppingAtTheAnnouncedLength) {
    RapportEnregistre rapport;
    TPortCom port;
    // Not a terminal: the line settings are refused, which is an open failure.
    EXPECT_FALSE(port.Ouvrir("/dev/null"));
    ASSERT_EQ(rapport.messages.size(), 1u);
    EXPECT_EQ(rapport.messages[0].rfind("Erreur de communication : - Port : /dev/null (", 0), 0u);
    TTrame t;
    EXPECT_FALSE(port.Lire(5, t) || port.Ecrire(t.Vue()));

    const int maitre = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(maitre >= 0 && ::grantpt(maitre) == 0 && ::unlockpt(maitre) == 0);
    ASSERT_TRUE(port.Ouvrir(::ptsname(maitre)));
    const struct {
        Octets envoye;
        int attendu, lu;
    } cas[] = {
        {AvecCrc(Hex("01 83 02")), 25, 5},
        {AvecCrc(Hex("01 03 02 12 34")), 7, 7},
        {Hex("01 03 02 12"), 7, 0},
    };
    for (const auto& c : cas) {
        ASSERT_EQ(::write(maitre, c.envoye.data(), c.envoye.size()),
                  static_cast<ssize_t>(c.envoye.size()));
        t = TTrame{};
        EXPECT_EQ(port.LireReponse(c.attendu, t), c.lu != 0);
        EXPECT_EQ(t.Longueur, c.lu);
        EXPECT_EQ(Octets(t.Octets.begin(), t.Octets.begin() + c.lu), c.lu ? c.envoye : Octets{});
        port.Purger();
    }
    port.Fermer();
    ::close(maitre);
}

TEST(Knr_, RequestsRefusedAtOnce) {
    const int32_t h = KNR_RegisterUser(1, 0, 0, 0);
    ASSERT_GE(h, 0);
    int32_t o[8] = {1, 20, 2, 0, 0, 0, 0, 0};
    EXPECT_EQ(KNR_ReadObject(h, "(256.0.0.1)", o), KNR_ERR_NOEUD);
    int32_t liste[10][8] = {};
    liste[0][0] = 1;
    EXPECT_EQ(KNR_ReadObjectList(h, "(127.0.0.1)", &liste[0][0], 11), KNR_ERR_OBJET);
    EXPECT_EQ(KNR_ReadObject(h + 1, "(127.0.0.1)", o), KNR_ERR_HANDLE);
    // Polling with nothing pending answers at once, and not with 0.
    EXPECT_EQ(static_cast<uint32_t>(KNR_PollForResponse(h)) >> 16, KNR_AUCUNE_REQUETE);
    EXPECT_EQ(KNR_DeleteUser(h), 0);
}
