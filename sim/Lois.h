// Load laws of the simulated drive: what torque the active load applies in
// each operating mode, from the load constant K and the parameter words
// P0..P5 (19.20..19.25) exactly as the program sends them.
//
// Torque words are in hundredths of N·m, speeds in tr/min, durations of the
// cyclic law in revolutions, inertias in thousandths of kg·m². Tscale is the
// torque of K = 100 % (3, 15 or 30 N·m on the 300 W, 1.5 kW and 3 kW
// benches), N0 the synchronous speed of the bench's mains (1500 or 1800).
//
// Laboratory modes (K in tenths of a per cent, 0..1000):
//   2  T = K           passive torque K × Tscale
//   1  imposed speed   the load holds n = K × N0 in both torque directions
//   4  speed K         the same set point, but the load only brakes
//   3  driving torque  T = K × Tscale × (n − 2·N0) / N0: below twice the
//                      nominal speed the load drives the machine (generator
//                      studies), limited to the drive's torque
//   10 coupling aid    the load holds n = N0 × (1 + (K − 500) / 5000), a
//                      ±10 % trim around the synchronous speed at K = 50 %
// Industrial modes (P4 = added inertia of the dynamic variants):
//   11 T = P1 + (P0 − P1)·|n| / P2 (P2 = 0: constant P1)
//   7  T = P1 + (P0 − P1)·(n / P2)² (P2 = 0: constant P1)
//   8  constant power: T = P0 up to the corner speed P2, then P0·P2 / |n|
//   9  cyclic trapezoid over P2 + P3 revolutions: P2/2 at P1 (minimum), a
//      ramp over P3/2, P2/2 at P0 (maximum), a ramp back over P3/2
//   12 break-away: P1 at rest falling linearly to P0 at P2 per cent of N0
//   13 hoist: mass P0 (kg), efficiency P1 (%), linear speed P2 (tenths of
//      m/s at 1500 tr/min); gravity holds the shaft with P0·625·P2/1000
//      hundredths of N·m, and the losses raise it to Tup = that / P1 % going
//      up and lower it to Tdown = that × P1 % going down; the lifted mass
//      adds its inertia
// Passive torques oppose the motion (and hold a shaft at rest up to their
// value); active torques (gravity, the driving law, the speed loops) act
// whatever the direction. A law never lets a passive torque become driving.
#pragma once

#include <cstdint>

namespace orvane::sim {

enum CodeMode : int {
    ModeRepos = 0,
    ModeVitesseImposee = 1,
    ModeCoupleK = 2,
    ModeEntrainant = 3,
    ModeVitesseK = 4,
    ModeQuadratique = 7,
    ModePuissanceConstante = 8,
    ModeCyclique = 9,
    ModeCouplage = 10,
    ModeLineaire = 11,
    ModeDecollage = 12,
    ModeLevage = 13,
};

// Torques applied by the load, N·m, with the sign of a load torque
// (positive = braking a machine that turns forwards).
struct EffortCharge {
    double actif = 0;          // acts whatever the motion
    double passifAvant = 0;    // ≥ 0, opposes forward motion or holds at rest
    double passifArriere = 0;  // ≥ 0, opposes backward motion or holds at rest
};

struct ContexteLoi {
    double coupleEchelle;  // Tscale of the drive's power range, N·m
    double n0;             // nominal speed from the mains frequency, tr/min
};

// True for the modes in which the load regulates the speed.
bool LoiEnVitesse(int code);
// Speed set point of those modes, tr/min.
double ConsigneVitesse(int code, int k, const ContexteLoi& c);
// Torque of the torque-imposing modes at speed `n` (tr/min); `tours` counts
// the revolutions turned since the law started (cyclic law).
EffortCharge EffortLoi(int code, const int16_t p[6], int k, double n, double tours,
                       const ContexteLoi& c);
// Inertia that the law adds to the shaft, kg·m² (P4 and the hoist's mass).
double InertieLoi(int code, const int16_t p[6]);

}  // namespace orvane::sim
