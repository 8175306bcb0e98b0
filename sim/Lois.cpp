#include "sim/Lois.h"

#include <algorithm>
#include <cmath>

namespace orvane::sim {

namespace {

double Nm(int centiemes) { return centiemes / 100.0; }
double FractionK(int k) { return std::clamp(k, 0, 1000) / 1000.0; }

EffortCharge Passif(double couple) {
    EffortCharge e;
    e.passifAvant = e.passifArriere = std::max(couple, 0.0);
    return e;
}

// Position within the cyclic trapezoid: minimum for P2/2 revolutions, ramp
// up over P3/2, maximum for P2/2, ramp down over P3/2.
double CoupleCyclique(double tMax, double tMin, int paliers, int rampes, double tours) {
    double plat = std::max(paliers, 0) / 2.0;
    double rampe = std::max(rampes, 0) / 2.0;
    double periode = 2 * (plat + rampe);
    if (periode <= 0) return tMin;
    double x = std::fmod(std::abs(tours), periode);
    if (x < plat) return tMin;
    x -= plat;
    if (x < rampe) return tMin + (tMax - tMin) * x / rampe;
    x -= rampe;
    if (x < plat) return tMax;
    x -= plat;
    return tMax + (tMin - tMax) * x / rampe;
}

}  // namespace

bool LoiEnVitesse(int code) {
    return code == ModeVitesseImposee || code == ModeVitesseK || code == ModeCouplage;
}

double ConsigneVitesse(int code, int k, const ContexteLoi& c) {
    if (code == ModeCouplage) return c.n0 * (1 + (std::clamp(k, 0, 1000) - 500) / 5000.0);
    return FractionK(k) * c.n0;
}

EffortCharge EffortLoi(int code, const int16_t p[6], int k, double n, double tours,
                       const ContexteLoi& c) {
    double an = std::abs(n);
    switch (code) {
        case ModeCoupleK: return Passif(FractionK(k) * c.coupleEchelle);
        case ModeEntrainant: {
            EffortCharge e;
            double limite = 2 * c.coupleEchelle;
            e.actif =
                std::clamp(FractionK(k) * c.coupleEchelle * (n - 2 * c.n0) / c.n0, -limite, limite);
            return e;
        }
        case ModeLineaire:
            if (p[2] <= 0) return Passif(Nm(p[1]));
            return Passif(Nm(p[1]) + (Nm(p[0]) - Nm(p[1])) * an / p[2]);
        case ModeQuadratique: {
            if (p[2] <= 0) return Passif(Nm(p[1]));
            double r = an / p[2];
            return Passif(Nm(p[1]) + (Nm(p[0]) - Nm(p[1])) * r * r);
        }
        case ModePuissanceConstante:
            // a corner speed of 0 leaves only the holding torque at rest
            if (an <= std::max<int>(p[2], 0)) return Passif(Nm(p[0]));
            return Passif(Nm(p[0]) * p[2] / an);
        case ModeCyclique: return Passif(CoupleCyclique(Nm(p[0]), Nm(p[1]), p[2], p[3], tours));
        case ModeDecollage: {
            double nd = std::max<int>(p[2], 0) * c.n0 / 100;
            if (an >= nd) return Passif(an > 0 || nd > 0 ? Nm(p[0]) : Nm(p[1]));
            return Passif(Nm(p[1]) + (Nm(p[0]) - Nm(p[1])) * an / nd);
        }
        case ModeLevage: {
            double masse = std::max<int>(p[0], 0);
            double rendement = std::clamp<int>(p[1], 1, 100) / 100.0;
            double vitesse = std::max<int>(p[2], 0);
            double gravite = masse * 625 * vitesse / 100000;  // N·m
            EffortCharge e;
            e.actif = gravite;
            e.passifAvant = gravite / rendement - gravite;
            e.passifArriere = gravite - gravite * rendement;
            return e;
        }
        default: return {};
    }
}

double InertieLoi(int code, const int16_t p[6]) {
    switch (code) {
        case ModeQuadratique:
        case ModePuissanceConstante:
        case ModeCyclique:
        case ModeLineaire:
        case ModeDecollage: break;
        case ModeLevage: {
            // the mass moving at v m/s when the shaft turns at 1500 tr/min
            double v = std::max<int>(p[2], 0) / 10.0;
            double omega = 1500 * 3.141592653589793 / 30;
            return std::max<int>(p[4], 0) / 1000.0 +
                   std::max<int>(p[0], 0) * v * v / (omega * omega);
        }
        default: return 0;
    }
    return std::max<int>(p[4], 0) / 1000.0;
}

}  // namespace orvane::sim
