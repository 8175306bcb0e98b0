// The simulated drive and machines seen through the registers, in simulated time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "comm/Passerelle.h"
#include "sim/Variateur.h"

using namespace orvane;
using namespace orvane::sim;

namespace {

constexpr int CodeTK = 2, CodeVitesse = 1, CodeLineaire = 11, CodeQuadratique = 7,
              CodePuissance = 8, CodeCyclique = 9, CodeDecollage = 12, CodeLevage = 13;

// r[p] is register 20.p.
using Bloc = std::array<int32_t, 12>;
enum { S = 2, N = 3, T = 4, K = 10 };

struct Banc {
    explicit Banc(int machine = 0, int frequence = 50, int calibre = CalibreParDefaut) {
        v.SetFrequenceReseau(frequence), v.SetCalibre(calibre), v.SetTypeMachine(machine);
    }
    void Ecrire(Parametre p, int valeur) {
        ASSERT_EQ(v.EcrireRegistre(p.menu, p.parametre, valeur), Succes);
    }
    // What the program sends to start a law: select, parameter block, run.
    void Lancer(int code, const std::vector<int>& p = {}, int bits = 0) {
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
    Variateur v;
};

}  // namespace

// The synchronous machine stays in step up to about twice its rated torque
// (its rated power at the synchronous speed), on either mains, then slips and
// runs on its damper cage well below synchronism.
TEST(SimMachines, SynchroneAccrocheeJusquauDecrochage) {
    for (const auto& [calibre, frequence] : {std::pair{300, 60}, {3000, 50}}) {
        SCOPED_TRACE(::testing::Message() << calibre << " W bench, " << frequence << " Hz");
        Banc b(MsTriphasee, frequence, calibre);
        const int synchrone = 30 * frequence;
        const double nominal = 100 * b.v.PuissanceMachine() / (M_PI * frequence);  // 0.01 N·m
        b.Lancer(CodeLineaire, {0, 0, 0});  // constant torque P1
        double decrochage = 0;
        for (int pas = 1; pas <= 50 && decrochage == 0; ++pas) {
            const double fraction = pas <= 8 ? 0.2 * pas : 1.6 + 0.05 * (pas - 8);
            b.Ecrire(ParamBlocCharge.Suivant(1), static_cast<int>(fraction * nominal));
            b.Attendre(2000);
            const Bloc r = b.Lire();
            if (r[N] < synchrone * 95 / 100) {
                decrochage = fraction;
            } else {
                EXPECT_EQ(r[N], synchrone) << fraction << " of the rated torque";
                EXPECT_NEAR(r[T], fraction * nominal, 0.01 * nominal) << fraction;
            }
        }
        EXPECT_TRUE(decrochage >= 1.7 && decrochage <= 2.1) << decrochage;
        EXPECT_LT(b.Lire()[N], synchrone * 90 / 100);
    }
}

TEST(SimLois, CoupleDesLoisIndustriellesEtDiviseursNuls) {
    // {machine, law, parameters, N·m at n tr/min}
    const std::tuple<int, int, std::vector<int>, double (*)(double)> cas[] = {
        {3, CodeLineaire, {500, 200, 1500}, [](double n) { return 2 + 3 * n / 1500; }},
        {3, CodePuissance, {1000, 0, 1000}, [](double n) { return 10 * 1000 / n; }},
        {6, CodeLevage, {130, 85, 10}, [](double) { return 130 * 625 * 10 / 85 / 10 / 100.0; }},
    };
    for (const auto& [machine, code, p, attendu] : cas) {
        Banc b(machine);
        b.Lancer(code, p), b.Attendre(4000);
        const Bloc r = b.Lire();
        EXPECT_NEAR(r[T] / 100.0, attendu(r[N]), 0.03) << "code " << code;
    }

    // Parameters that would divide by zero are held to a sane law.
    for (int code :
         {CodeLineaire, CodeQuadratique, CodePuissance, CodeCyclique, CodeDecollage, CodeLevage})
        for (const auto& p : {std::initializer_list<int>{500, 300, 0, 0}, {0, 0, 0}}) {
            Banc b(3);
            b.Lancer(code, p), b.Attendre(1000);
            const double n = b.v.VitesseTrMin();
            EXPECT_TRUE(std::isfinite(n) && std::isfinite(b.v.CoupleArbre()) && n > 1000) << code;
        }
}

// Imposed-speed sweep from rest: falling points in phase 0x0200 (0x0100 with
// the shaft turning), one every 50 ms over the sweep time, K over the range.
TEST(SimVariateur, BalayageEnVitesseImposeeCouvreLaPlage) {
    Banc b(MachineAucune);
    b.Lancer(CodeVitesse), b.Attendre(3000);  // K = 0 holds it at rest
    ASSERT_LT(std::abs(b.Lire()[N]), 51);
    b.Lancer(CodeVitesse, {1000, 0, 5, 50}, ControleDescente);
    int echantillons = 0, kMin = 1000, kMax = 0, kPrec = 1001, nMin = 100000, nMax = -100000;
    for (int t = 0; t < 30000 && (b.Lire()[S] & StatutBalayage); t += 50, b.Attendre(50)) {
        const Bloc l = b.Lire();
        if (!(l[S] & StatutPhase2)) continue;
        ++echantillons, kMin = std::min(kMin, l[K]), kMax = std::max(kMax, l[K]);
        nMin = std::min(nMin, l[N]), nMax = std::max(nMax, l[N]);
        EXPECT_LE(l[K], std::exchange(kPrec, l[K]));
    }
    EXPECT_NEAR(echantillons, 100, 2);
    EXPECT_TRUE(kMin <= 20 && kMax >= 980) << kMin << " " << kMax;
    EXPECT_TRUE(nMin < 100 && nMax > 1300) << nMin << " " << nMax;  // the load turns the shaft
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
}

// The journal: accepted writes only, in order; a block that strays onto a
// read-only address writes nothing.
TEST(SimVariateur, RegistresEtJournalDesEcritures) {
    Variateur v;
    const int32_t bloc6[6] = {500, -20, 30, 0, 7, 0};
    v.EcrireRegistres(19, 20, 6, bloc6);
    v.EcrireRegistre(18, 30, 0x0104);
    EXPECT_EQ(v.EcrireRegistres(19, 25, 2, bloc6), AdresseIllegale);  // 19.26 is read only
    v.EcrireRegistre(19, 23, 12);
    std::string texte;
    for (const auto& e : v.JournalEcritures()) texte += TexteEcriture(e) + " ";
    EXPECT_EQ(texte, "19.20 500,-20,30,0,7,0 19.23 12 ");
    EXPECT_EQ(v.EcrireRegistre(ParamCalibre.Adresse(), 300), AdresseIllegale);  // the rating
    // As the program's client delivers them: single read unsigned, block signed.
    int32_t seul = 0, lus[6] = {};
    v.LireRegistre(19, 21, seul);
    v.LireRegistres(19, 20, 6, lus);
    EXPECT_EQ(std::tuple(seul, lus[1], lus[5]), std::tuple(65516, -20, 0));
}
