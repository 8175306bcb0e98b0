// The simulated drive and machines: physics seen through the registers, the
// way the program reads them, and the drive's protocol behaviour (control
// word, sweep, heartbeat). Time is simulated, nothing sleeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sim/Variateur.h"

using namespace orvane::sim;

namespace {

// Mode codes sent by the program for the characteristic types.
constexpr int CodeTK = 2, CodeVitesse = 1, CodeCouplage = 10, CodeLineaire = 11,
              CodeQuadratique = 7, CodePuissance = 8, CodeCyclique = 9, CodeDecollage = 12,
              CodeLevage = 13;

struct Lecture {
    int statut, n, t, ie, idc, iac, udc, uac, k, p;
};

class Banc {
public:
    explicit Banc(int machine = 0, int frequence = 50, int calibre = CalibreParDefaut,
                  uint64_t graine = 1)
        : v(graine) {
        v.SetFrequenceReseau(frequence);
        v.SetCalibre(calibre);
        v.SetTypeMachine(machine);
    }
    void Ecrire(int menu, int parametre, int valeur) {
        ASSERT_EQ(v.EcrireRegistre(AdresseRegistre(menu, parametre), static_cast<uint16_t>(valeur)),
                  Succes);
    }
    // What the program sends to start a law: select, parameter block, run.
    void Lancer(int code, std::initializer_list<int> p = {}, int bits = 0) {
        Ecrire(20, 29, (code << 8) | bits | 1);
        uint16_t bloc[6] = {};
        int i = 0;
        for (int x : p) bloc[i++] = static_cast<uint16_t>(x);
        ASSERT_EQ(v.EcrireRegistres(AdresseRegistre(19, 20), 6, bloc), Succes);
        Ecrire(20, 29, (code << 8) | bits | 5);
    }
    // Runs `ms` milliseconds with the program's 50 ms heartbeat.
    void Attendre(int ms) {
        for (int t = 0; t < ms; t += 50) {
            v.Avancer(50);
            Ecrire(18, 30, 1);
        }
    }
    Lecture Lire() {
        uint16_t r[10];
        EXPECT_EQ(v.LireRegistres(AdresseRegistre(20, 2), 10, r), Succes);
        auto s = [&](int i) { return static_cast<int>(static_cast<int16_t>(r[i])); };
        return {r[0], s(1), s(2), s(3), s(4), s(5), s(6), s(7), s(8), s(9)};
    }
    Variateur v;
};

// What the program computes from a reading (units of its quantities).
struct Calcul {
    int64_t pm, u, i, pe, fp;  // 0.1 W, 0.1 V, mA, 0.1 W, 0.001
};

Calcul CommeLeProgramme(const Lecture& l, int machine, bool deuxAmperes) {
    int f = deuxAmperes ? 10 : 1;
    Calcul c{};
    c.pm = int64_t{l.n * l.t} * 3142 / 300000;
    bool ac = machine == 0 || machine == 3 || machine == 4 || machine == 6 || machine == 7;
    bool tri = ac && machine != 7;
    c.u = ac ? l.uac : l.udc;
    c.i = (ac ? l.iac : l.idc) / f;
    c.pe = int64_t{l.p} * (tri ? 30 : 10) / f;
    int64_t s = int64_t{l.uac} * l.iac;
    c.fp = s > 1000 ? 10000000 * std::abs(int64_t{l.p}) / s : 0;  // before the limit to 1000
    return c;
}

}  // namespace

// For every machine, bench size and current range under loads from none to
// beyond rated: the powers the program computes agree with the model, the
// machine is less than perfectly efficient, and the power factor is a factor.
TEST(SimMachines, PuissancesCoherentesAvecLesMesures) {
    for (int calibre : {300, 1500, 3000})
        for (int machine = 1; machine <= 7; ++machine)
            for (bool deuxA : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "calibre " << calibre << " machine " << machine
                                                  << (deuxA ? " 2A" : " 20A"));
                Banc b(machine, 50, calibre);
                b.v.SetCalibreDeuxAmperes(deuxA);
                b.Lancer(CodeTK);
                for (int k : {100, 400, 700}) {
                    b.Ecrire(19, 20, k);
                    b.Attendre(3000);
                    Lecture l = b.Lire();
                    Calcul c = CommeLeProgramme(l, machine, deuxA);
                    double omega = b.v.VitesseTrMin() * M_PI / 30;
                    double pm = b.v.CoupleArbre() * omega * 10;
                    double arrondi =
                        (0.5 * std::abs(l.t) / 100 + 0.005 * std::abs(l.n)) * M_PI / 30;
                    EXPECT_NEAR(c.pm, pm, 10 * arrondi + 1 + 2e-4 * std::abs(pm));
                    EtatElectrique e = b.v.Electrique();
                    if (std::abs(e.courant) < (deuxA ? 3.2 : 32)) {  // within the range's span
                        EXPECT_NEAR(c.pe, 10 * e.puissance, deuxA ? 2 : 20);
                        EXPECT_NEAR(c.i, 1000 * e.courant, 1);
                        EXPECT_GT(c.pe, c.pm) << "efficiency above 1";
                        EXPECT_GT(c.pm, 0);
                        if (machine >= 3 && machine != 5) {
                            EXPECT_GT(c.fp, 0);
                            EXPECT_LE(c.fp, 1002);
                        }
                    }
                    EXPECT_EQ(l.ie != 0, machine == 1 || machine == 4);
                }
            }
}

TEST(SimMachines, AsynchroneGlisseDavantageAvecLeCouple) {
    for (int frequence : {50, 60}) {
        Banc b(3, frequence);
        b.Lancer(CodeTK);
        int synchrone = frequence * 30, precedente = synchrone, precedentCouple = -1;
        for (int k = 0; k <= 1000; k += 200) {
            b.Ecrire(19, 20, k);
            b.Attendre(2000);
            Lecture l = b.Lire();
            EXPECT_LT(l.n, synchrone);
            EXPECT_GT(l.t, precedentCouple);
            if (k > 0) {
                EXPECT_LT(l.n, precedente) << "slip must rise with torque, K=" << k;
            }
            precedente = l.n;
            precedentCouple = l.t;
        }
        EXPECT_GT(precedente, synchrone * 85 / 100);
    }
}

TEST(SimMachines, CcIndependanteVitesseAffineEnCouple) {
    Banc b(1);
    b.Lancer(CodeTK);
    std::vector<double> n, t;
    for (int k : {100, 400, 700, 1000}) {
        b.Ecrire(19, 20, k);
        b.Attendre(2000);
        n.push_back(b.v.VitesseTrMin());
        t.push_back(b.v.CoupleArbre());
    }
    double pente = (n.back() - n.front()) / (t.back() - t.front());
    EXPECT_LT(pente, -5);  // tr/min per N·m
    for (size_t i = 1; i + 1 < n.size(); ++i)
        EXPECT_NEAR(n[i], n.front() + pente * (t[i] - t.front()), 0.5);
}

TEST(SimMachines, SynchroneAccrocheeJusquauDecrochage) {
    for (int frequence : {50, 60}) {
        Banc b(4, frequence);
        b.Lancer(CodeTK);
        for (int k : {0, 250, 500}) {
            b.Ecrire(19, 20, k);
            b.Attendre(3000);
            EXPECT_EQ(b.Lire().n, 30 * frequence) << "K=" << k;
        }
        b.Ecrire(19, 20, 1000);  // beyond the pull-out torque
        b.Attendre(3000);
        EXPECT_LT(b.Lire().n, 30 * frequence * 95 / 100);
    }
}

TEST(SimMachines, MotovariateursTiennentLaVitesse) {
    for (int machine : {5, 6, 7}) {
        Banc b(machine);
        b.Lancer(CodeTK);
        double nominal = b.v.PuissanceMachine() / (1500 * M_PI / 30);
        for (double fraction : {0.0, 0.5, 1.0}) {
            b.Ecrire(19, 20, static_cast<int>(1000 * fraction * nominal / b.v.CoupleEchelle()));
            b.Attendre(2000);
            EXPECT_NEAR(b.Lire().n, 1500, 1500 * 0.04) << "machine " << machine;
        }
    }
}

// The steady torque of each industrial law at the speed where it settles,
// with the words exactly as the program converts them for the 1.5 kW range.
TEST(SimLois, CoupleDesLoisIndustrielles) {
    struct Cas {
        int machine, code;
        std::initializer_list<int> p;
        double (*attendu)(double n);  // N·m at n tr/min
    };
    const Cas cas[] = {
        {3, CodeLineaire, {0, 400, 0}, [](double) { return 4.0; }},  // constant torque
        {3, CodeLineaire, {500, 200, 1500}, [](double n) { return 2 + 3 * n / 1500; }},
        {3,
         CodeQuadratique,
         {800, 200, 1500},
         [](double n) { return 2 + 6 * n * n / 1500 / 1500; }},
        {3, CodePuissance, {1000, 0, 1000}, [](double n) { return 10 * 1000 / n; }},
        {6, CodePuissance, {500, 0, 2000}, [](double) { return 5.0; }},  // below the corner
        {3, CodeDecollage, {300, 1200, 10}, [](double) { return 3.0; }},
        {6, CodeLevage, {130, 85, 10}, [](double) { return 130 * 625 * 10 / 85 / 10 / 100.0; }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code);
        Banc b(c.machine);
        b.Lancer(c.code, c.p);
        b.Attendre(4000);
        Lecture l = b.Lire();
        EXPECT_NEAR(l.t / 100.0, c.attendu(l.n), 0.03);
    }
}

TEST(SimLois, CycliqueEnTours) {
    Banc b(6);
    b.Lancer(CodeCyclique, {800, 200, 18, 2});  // period 20 revolutions, 0.8 s at 1500 tr/min
    b.Attendre(1000);
    int mini = 100000, maxi = -100000;
    for (int i = 0; i < 200; ++i) {
        b.v.Avancer(5);
        mini = std::min(mini, b.Lire().t);
        maxi = std::max(maxi, b.Lire().t);
    }
    b.Ecrire(18, 30, 1);
    EXPECT_NEAR(mini, 200, 20);
    EXPECT_NEAR(maxi, 800, 20);
}

// Parameters that would divide by zero are held to a sane law.
TEST(SimLois, DiviseursNulsSansEffet) {
    const std::initializer_list<int> blocs[] = {{500, 300, 0}, {500, 300, 0, 0}, {0, 0, 0}};
    for (int code :
         {CodeLineaire, CodeQuadratique, CodePuissance, CodeCyclique, CodeDecollage, CodeLevage})
        for (const auto& p : blocs) {
            Banc b(3);
            b.Lancer(code, p);
            b.Attendre(1000);
            double n = b.v.VitesseTrMin();
            EXPECT_TRUE(std::isfinite(n) && std::isfinite(b.v.CoupleArbre())) << code;
            EXPECT_GT(n, 1000) << code;
        }
}

TEST(SimLois, VitesseImposeeEtAideAuCouplage) {
    Banc b(3);
    b.Lancer(CodeVitesse);
    b.Ecrire(19, 20, 500);
    b.Attendre(3000);
    EXPECT_NEAR(b.Lire().n, 750, 2);
    EXPECT_GT(b.Lire().t, 0);  // the machine motors against the load

    Banc s(4);
    s.Lancer(CodeCouplage);
    s.Ecrire(19, 20, 600);  // +2 % around synchronism
    s.Attendre(3000);
    Lecture l = s.Lire();
    EXPECT_NEAR(l.n, 1530, 2);
    EXPECT_EQ(l.iac, 0);                 // alternator off the mains
    EXPECT_GT(l.uac, 2300 * 102 / 100);  // open-circuit EMF, over-excited
    s.Ecrire(20, 29, 1);                 // back to rest: coupled again, it pulls into step
    s.Attendre(5000);
    EXPECT_EQ(s.Lire().n, 1500);
}

TEST(SimLois, InertieAjouteeRalentitLaReponse) {
    double chute[2];
    for (int j : {0, 1}) {
        Banc b(3);
        b.Attendre(500);
        double avant = b.v.VitesseTrMin();
        b.Lancer(CodeLineaire, {0, 1000, 0, 0, j * 500});  // 10 N·m, 0.5 kg·m² added
        b.Attendre(100);
        chute[j] = avant - b.v.VitesseTrMin();
    }
    EXPECT_GT(chute[0], 3 * chute[1]);
    EXPECT_GT(chute[1], 0);
}

// The rising and falling sweeps of the automatic acquisition, sampled every
// 50 ms as the program does: phase 0x0100 then 0x0200, 0x0004 throughout,
// cleared at the end; K follows the ramps.
TEST(SimVariateur, BalayageAutomatique) {
    struct Cas {
        int p2, p3, bits;
    };
    const int d = 50;  // tenths of a second
    for (Cas c : {Cas{d, 10, 0x4000}, Cas{5, d, 0x8000}}) {
        Banc b(3);
        b.Lancer(CodeTK, {1000, 0, c.p2, c.p3}, c.bits);
        int t = 0, fin1 = -1, fin2 = -1, kPrec = -1;
        bool croissant = true, decroissant = true;
        for (; t < 20000; t += 50) {
            Lecture l = b.Lire();
            if (!(l.statut & 0x0004)) break;
            if (l.statut & 0x0100) {
                EXPECT_EQ(fin1, -1) << "phase 1 after phase 2";
                croissant &= l.k >= kPrec;
            } else {
                ASSERT_TRUE(l.statut & 0x0200);
                if (fin1 < 0) fin1 = t, kPrec = 1001;
                decroissant &= l.k <= kPrec;
            }
            kPrec = l.k;
            b.Attendre(50);
        }
        fin2 = t;
        EXPECT_TRUE(croissant && decroissant);
        EXPECT_NEAR(fin1, c.p2 * 100, 50);
        EXPECT_NEAR(fin2, (c.p2 + c.p3) * 100, 50);
        Lecture l = b.Lire();
        EXPECT_EQ(l.statut & 0x0304, 0);
        EXPECT_EQ(l.k, 0);  // K stays where the sweep ended
        EXPECT_TRUE(l.statut & 0x0002);
    }
}

TEST(SimVariateur, ChienDeGarde) {
    Banc b(3);
    b.Lancer(CodeTK, {500});
    b.Attendre(10000);  // echoes every 50 ms keep it running
    EXPECT_EQ(b.Lire().statut & 0x000A, 0x0002);
    b.v.Avancer(1900);
    EXPECT_TRUE(b.Lire().statut & 0x0002);
    b.v.Avancer(200);
    Lecture l = b.Lire();
    EXPECT_EQ(l.statut & 0x000F, 0x0009);  // at rest, heartbeat lost
    b.Ecrire(20, 29, 1);
    EXPECT_EQ(b.Lire().statut & 0x0008, 0);
}

TEST(SimVariateur, Registres) {
    Variateur v;
    uint16_t x = 1;
    EXPECT_EQ(v.LireRegistre(AdresseRegistre(11, 32), x), Succes);
    EXPECT_EQ(x, 1500);
    EXPECT_EQ(v.LireRegistre(AdresseRegistre(5, 5), x), Succes);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(v.LireRegistre(AdresseRegistre(23, 1), x), AdresseIllegale);
    EXPECT_EQ(v.EcrireRegistre(AdresseRegistre(20, 3), 1), AdresseIllegale);
    EXPECT_EQ(v.EcrireRegistre(AdresseRegistre(11, 32), 300), AdresseIllegale);
    // a block that strays onto a read-only address writes nothing
    const uint16_t bloc[7] = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(v.EcrireRegistres(AdresseRegistre(19, 20), 7, bloc), AdresseIllegale);
    uint16_t lus[6];
    v.LireRegistres(AdresseRegistre(19, 20), 6, lus);
    EXPECT_EQ(lus[0], 0);
    EXPECT_EQ(v.EcrireRegistres(AdresseRegistre(19, 20), 6, bloc), Succes);
    v.LireRegistres(AdresseRegistre(19, 20), 6, lus);
    EXPECT_EQ(lus[5], 6);
    EXPECT_EQ(v.EcrireRegistre(AdresseRegistre(18, 30), 0x0105), Succes);
    v.LireRegistre(AdresseRegistre(18, 30), x);
    EXPECT_EQ(x, 0x0105);
    // as the program's client delivers them: single read unsigned, block signed
    int32_t seul = 0, blocSigne[2] = {};
    EXPECT_EQ(v.EcrireRegistre(19, 21, -2), Succes);
    EXPECT_EQ(v.LireRegistre(19, 21, seul), Succes);
    EXPECT_EQ(seul, 65534);
    EXPECT_EQ(v.LireRegistres(19, 20, 2, blocSigne), Succes);
    EXPECT_EQ(blocSigne[1], -2);
}

TEST(SimVariateur, BruitReproductible) {
    auto suite = [](uint64_t graine, bool bruit) {
        Banc b(3, 50, CalibreParDefaut, graine);
        b.v.SetBruit(bruit);
        std::vector<int> couples;
        for (int i = 0; i < 20; ++i) {
            b.v.Avancer(10);
            couples.push_back(b.Lire().t);
        }
        return couples;
    };
    EXPECT_EQ(suite(7, true), suite(7, true));
    EXPECT_NE(suite(7, true), suite(8, true));
    std::vector<int> calme = suite(7, false);
    EXPECT_EQ(std::count(calme.begin(), calme.end(), calme[0]), 20);
}
