// The simulated drive and machines seen through the registers, in simulated time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "comm/Passerelle.h"
#include "sim/Variateur.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

constexpr int CodeTK = 2, CodeVitesse = 1, CodeCouplage = 10, CodeLineaire = 11,
              CodeQuadratique = 7, CodePuissance = 8, CodeCyclique = 9, CodeDecollage = 12,
              CodeLevage = 13;

// r[p] is register 20.p.
using Bloc = std::array<int32_t, 12>;
enum { S = 2, N = 3, T = 4, IAC = 7, UAC = 9, K = 10 };

struct Banc {
    explicit Banc(int machine = 0, int frequence = 50, int calibre = CalibreParDefaut) {
        v.SetFrequenceReseau(frequence), v.SetCalibre(calibre), v.SetTypeMachine(machine);
    }
    void Ecrire(Parametre p, int valeur) {
        ASSERT_EQ(v.EcrireRegistre(p.menu, p.parametre, valeur), Succes);
    }
    // What the program sends to start a law: select, parameter block, run.
    void Lancer(int code, std::initializer_list<int> p = {}, int bits = 0) {
        Ecrire(ParamControle, (code << 8) | bits | ControleRepos);
        int32_t bloc[6] = {};
        std::copy(p.begin(), p.end(), bloc);
        EXPECT_EQ(v.EcrireRegistres(19, 20, NbParamCharge, bloc), Succes);
        Ecrire(ParamControle, (code << 8) | bits | ControleMarche);
    }
    // Runs `ms` milliseconds with the program's 50 ms heartbeat.
    void Attendre(int ms) {
        for (int t = 0; t < ms; t += 50) v.Avancer(50), Ecrire(ParamEchoStatut, 1);
    }
    Bloc Lire() {
        Bloc r{};
        EXPECT_EQ(v.LireRegistres(20, 2, NbMesures, r.data() + 2), Succes);
        return r;
    }
    Bloc Charger(int k, int ms) { return Ecrire(ParamConstanteK, k), Attendre(ms), Lire(); }
    Variateur v;
};

}  // namespace

TEST(SimMachines, VitesseAsynchroneSelonLeCouple) {
    Banc b(MasTriphasee, 60);
    b.Lancer(CodeTK);
    int n = 1800, t = -1;  // from the synchronous speed
    for (int k = 0; k <= 1000; k += 200) {
        const Bloc r = b.Charger(k, 2000);
        EXPECT_TRUE(r[N] < n && r[T] > t) << "K=" << k;
        n = r[N], t = r[T];
    }
    EXPECT_GT(n, 1800 * 85 / 100);
}

TEST(SimLois, CoupleDesLoisIndustriellesEtDiviseursNuls) {
    const struct {
        int machine, code;
        std::initializer_list<int> p;
        double (*attendu)(double n);  // N·m at n tr/min
    } cas[] = {
        {3, CodeLineaire, {500, 200, 1500}, [](double n) { return 2 + 3 * n / 1500; }},
        {3, CodeQuadratique, {800, 200, 1500}, [](double n) { return 2 + 6 * n * n / 2.25e6; }},
        {3, CodePuissance, {1000, 0, 1000}, [](double n) { return 10 * 1000 / n; }},
        {3, CodeDecollage, {300, 1200, 10}, [](double) { return 3.0; }},
        {6, CodeLevage, {130, 85, 10}, [](double) { return 130 * 625 * 10 / 85 / 10 / 100.0; }},
    };
    for (const auto& c : cas) {
        Banc b(c.machine);
        b.Lancer(c.code, c.p);
        b.Attendre(4000);
        const Bloc r = b.Lire();
        EXPECT_NEAR(r[T] / 100.0, c.attendu(r[N]), 0.03) << "code " << c.code;
    }

    // Parameters that would divide by zero are held to a sane law.
    for (int code :
         {CodeLineaire, CodeQuadratique, CodePuissance, CodeCyclique, CodeDecollage, CodeLevage})
        for (const auto& p : {std::initializer_list<int>{500, 300, 0, 0}, {0, 0, 0}}) {
            Banc b(3);
            b.Lancer(code, p);
            b.Attendre(1000);
            const double n = b.v.VitesseTrMin();
            EXPECT_TRUE(std::isfinite(n) && std::isfinite(b.v.CoupleArbre()) && n > 1000) << code;
        }
}

TEST(SimLois, AideAuCouplage) {
    Banc s(4);
    s.Lancer(CodeCouplage);
    const Bloc l = s.Charger(600, 3000);  // +2 % around synchronism
    EXPECT_NEAR(l[N], 1530, 2);
    // alternator off the mains: no current, open-circuit EMF over-excited
    EXPECT_TRUE(l[IAC] == 0 && l[UAC] > 2300 * 102 / 100) << l[IAC] << " " << l[UAC];
    s.Ecrire(ParamControle, ControleRepos);  // back to rest: coupled again, it pulls into step
    s.Attendre(5000);
    EXPECT_EQ(s.Lire()[N], 1500);
}

// Sweep on the imposed-speed law: with the shaft turning (51 tr/min or more)
// the rising points are in phase 0x0200, the falling ones in 0x0100, else the
// reverse; the sampled phase lasts the sweep time and carries K over the range.
TEST(SimVariateur, BalayageEnVitesseImposeeCouvreLaPlage) {
    // {turning, rising, sweep time in tenths of a second}
    const std::tuple<int, bool, bool, int> cas[] = {{MasTriphasee, true, true, 50},
                                                    {MachineAucune, true, false, 150},
                                                    {MasTriphasee, false, true, 50},
                                                    {MachineAucune, false, false, 50}};
    for (const auto& [machine, tourne, montee, d] : cas) {
        SCOPED_TRACE(::testing::Message() << machine << tourne << montee << " " << d);
        Banc b(machine);
        if (!tourne) b.Lancer(CodeVitesse), b.Attendre(3000);  // K = 0 holds it at rest
        const bool arrete = std::abs(b.Lire()[N]) < 51;
        ASSERT_EQ(arrete, !tourne);
        const int32_t phase = montee == arrete ? StatutPhase1 : StatutPhase2;
        b.Lancer(CodeVitesse, {1000, 0, montee ? d : 5, montee ? 10 : d},
                 montee ? ControleMontee : ControleDescente);
        int echantillons = 0, kMin = 1000, kMax = 0, kPrec = montee ? -1 : 1001, nMin = 100000,
            nMax = -100000;
        bool sens = true;
        for (int t = 0; t < 30000 && (b.Lire()[S] & StatutBalayage); t += 50, b.Attendre(50)) {
            const Bloc l = b.Lire();
            if (!(l[S] & phase)) continue;
            ++echantillons;
            kMin = std::min(kMin, l[K]), kMax = std::max(kMax, l[K]);
            nMin = std::min(nMin, l[N]), nMax = std::max(nMax, l[N]);
            sens &= montee ? l[K] >= kPrec : l[K] <= kPrec;
            kPrec = l[K];
        }
        EXPECT_NEAR(echantillons, d * 2, 2);  // every 50 ms over the sweep time
        EXPECT_TRUE(sens && kMin <= 20 && kMax >= 980) << kMin << " " << kMax;
        // the load takes the shaft over the speeds of the characteristic
        EXPECT_TRUE(nMin < 100 && nMax > 1300) << nMin << " " << nMax;
    }
}

TEST(SimVariateur, ChienDeGarde) {
    Banc b(3);
    b.Lancer(CodeTK, {500});
    b.Attendre(10000);  // echoes every 50 ms keep it running
    EXPECT_EQ(b.Lire()[S] & 0x000A, 0x0002);
    b.v.Avancer(1900);
    EXPECT_TRUE(b.Lire()[S] & 0x0002);  // still running 1.9 s after the last echo
    b.v.Avancer(200);
    EXPECT_EQ(b.Lire()[S] & 0x000F, 0x0009);  // at rest, heartbeat lost
    b.Ecrire(ParamControle, ControleRepos);
    EXPECT_EQ(b.Lire()[S] & 0x0008, 0);
}

// The journal: accepted writes on the load block and control word only, in
// order. Illegal addresses write nothing.
TEST(SimVariateur, RegistresEtJournalDesEcritures) {
    Variateur v;
    const int32_t bloc6[6] = {500, -20, 30, 0, 7, 0};
    v.EcrireRegistres(19, 20, 6, bloc6);
    v.EcrireRegistre(20, 29, 0x8000 | (2 * 256 + 5));
    v.EcrireRegistre(18, 30, 0x0104);
    v.EcrireRegistre(20, 2, 3);           // status: read only
    v.EcrireRegistres(19, 25, 2, bloc6);  // 19.26 is not writable
    v.EcrireRegistre(19, 23, 12);
    std::string texte;
    for (const auto& e : v.JournalEcritures()) texte += TexteEcriture(e) + " ";
    EXPECT_EQ(texte, "19.20 500,-20,30,0,7,0 20.29 33285 19.23 12 ");

    uint16_t x = 1, lus[6];
    EXPECT_EQ(v.LireRegistre(AdresseRegistre(23, 1), x), AdresseIllegale);
    EXPECT_EQ(v.EcrireRegistre(ParamCalibre.Adresse(), 300), AdresseIllegale);  // the rating
    // A block that strays onto a read-only address writes nothing.
    const uint16_t bloc[7] = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(v.EcrireRegistres(ParamBlocCharge.Adresse(), 7, bloc), AdresseIllegale);
    v.LireRegistres(ParamBlocCharge.Adresse(), 6, lus);
    EXPECT_EQ(lus[0], 500);
    // As the program's client delivers them: single read unsigned, block signed.
    int32_t seul = 0, blocSigne[2] = {};
    v.EcrireRegistre(19, 21, -2);
    v.LireRegistre(19, 21, seul);
    v.LireRegistres(19, 20, 2, blocSigne);
    EXPECT_EQ(std::pair(seul, blocSigne[1]), std::pair(65534, -2));
}
