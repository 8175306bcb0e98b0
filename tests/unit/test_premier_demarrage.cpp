// The first start's choices: the language of the system's locale, the
// network address typed, when OK can be taken and the record it writes.
#include <gtest/gtest.h>

#include <cstring>

#include "study/PremierDemarrage.h"
#include "study/Study.h"

using namespace orvane;

TEST(PremierDemarrage, LangueDuSystemeEtAdresseTapee) {
    const std::pair<const char*, int> locales[] = {
        {"fr_FR.UTF-8", 1}, {"fr", 1},     {"en_US.UTF-8", 2}, {"en_GB@euro", 2},
        {"es_MX", 3},       {"C", 0},      {"de_DE", 0},       {"", 0},
        {"french", 0},      {"C.UTF-8", 0}};
    for (const auto& [nom, langue] : locales) EXPECT_EQ(LangueDeLocale(nom), langue) << nom;

    std::array<std::string, 4> champs;
    ASSERT_TRUE(ChampsAdresse(" 10.0.255.7 ", champs));
    EXPECT_EQ(champs, (std::array<std::string, 4>{"10", "0", "255", "7"}));
    for (const char* faux : {"", "10.0.0", "10.0.0.256", "10.0.0.1.2", "10..0.1", "10.0.0.1x",
                             "a.b.c.d", "1000.0.0.1", "10.0.0.", ".10.0.0", "10 .0.0.1"})
        EXPECT_FALSE(ChampsAdresse(faux, champs)) << faux;
}

// The default record (French, 50 Hz, link type 2, COM2, 192.168.1.100) with
// the choices written over it, field by field at their offsets.
TEST(PremierDemarrage, LeChoixEcritSurLEnregistrementParDefaut) {
    const auto octets = [](const TConfigGenerale& c) {
        std::array<uint8_t, 76> o{};
        std::memcpy(o.data(), &c, 76);
        return o;
    };
    const std::array<uint8_t, 76> defaut = octets(ConfigDefaut);

    ChoixDemarrage banc;  // the simulated bench, in English, on a 60 Hz mains
    banc.Langue = 2, banc.Frequence = 60;
    EXPECT_TRUE(ChoixComplet(banc));
    std::array<uint8_t, 76> attendu = defaut;
    attendu[8] = 3, attendu[68] = 2, attendu[72] = 60;
    EXPECT_EQ(octets(ConfigDeChoix(banc)), attendu);

    ChoixDemarrage serie;
    serie.TypeLiaison = LiaisonSerie, serie.Langue = 3;
    EXPECT_FALSE(ChoixComplet(serie));  // no port: no link at all
    attendu = defaut, attendu[68] = 3;
    EXPECT_EQ(octets(ConfigDeChoix(serie)), attendu);
    serie.Port = "ttyUSB0";
    EXPECT_TRUE(ChoixComplet(serie));
    attendu[8] = 1, attendu[12] = 7;
    std::memcpy(&attendu[13], "ttyUSB0", 7);
    EXPECT_EQ(octets(ConfigDeChoix(serie)), attendu);

    ChoixDemarrage reseau;
    reseau.TypeLiaison = LiaisonReseau;
    EXPECT_FALSE(ChoixComplet(reseau));  // empty: never the default address
    EXPECT_EQ(ConfigDeChoix(reseau).TypeLiaison, LiaisonAucune);
    reseau.Adresse = "10.2.30.4";
    EXPECT_TRUE(ChoixComplet(reseau));
    attendu = defaut, attendu[8] = 0;
    // Each field: length byte, digits, the rest of its 10 bytes zero.
    for (const auto& [decalage, champ] : {std::pair{23, "10"}, {34, "2"}, {45, "30"}, {56, "4"}}) {
        std::fill(&attendu[decalage], &attendu[decalage + 11], 0);
        attendu[decalage] = static_cast<uint8_t>(std::strlen(champ));
        std::memcpy(&attendu[decalage + 1], champ, std::strlen(champ));
    }
    EXPECT_EQ(octets(ConfigDeChoix(reseau)), attendu);
}
