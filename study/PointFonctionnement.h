// The load line and the operating point: a static load law in physical units
// (N·m against tr/min), its crossings with a machine characteristic, their
// stability, and the comparison with the steady points of a static-load
// trial. No Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "study/Records.h"

namespace orvane {

// The static laws a load line may follow.
enum class GenreLoi : int32_t {
    Aucune = 0,
    CoupleConstant = 1,      // T = T0
    Lineaire = 2,            // T = a·n + b
    Quadratique = 3,         // T = a·n² + b (n² signed: a·n·|n| for negative speeds)
    PuissanceConstante = 4,  // T = P / (n·π/30) for n > 0, capped at Tmax when Tmax > 0
                             // (then Tmax from standstill on)
    Decollage = 5,           // break-away: Tc at standstill down (linearly) to Tr at nd, Tr beyond;
                             // the same against |n| at negative speeds
};

struct LoiCharge {
    GenreLoi Genre = GenreLoi::Aucune;
    double A = 0;     // Lineaire: N·m per tr/min; Quadratique: N·m per (tr/min)²
    double B = 0;     // CoupleConstant: T0; Lineaire, Quadratique: b (N·m)
    double P = 0;     // PuissanceConstante: W
    double Tmax = 0;  // PuissanceConstante: torque limit below the corner speed (N·m), 0: none
    double Tc = 0;    // Decollage: sticking torque at standstill (N·m)
    double Tr = 0;    // Decollage: running torque (N·m)
    double Nd = 0;    // Decollage: break-away speed (tr/min), > 0
};

// A law that can be drawn and crossed: a known kind, finite parameters, a
// non-negative power, a positive break-away speed.
bool LoiValide(const LoiCharge& loi);

// The law's torque at speed n (tr/min); nothing where it is not defined
// (constant power at n < 0, and at n = 0 without a torque limit; an invalid
// law).
std::optional<double> CoupleLoi(const LoiCharge& loi, double n);
// Its slope dT/dn at n (N·m per tr/min), where defined.
std::optional<double> PenteLoi(const LoiCharge& loi, double n);

// The law of a static-load trial from its header words (types 6, 7, 8, 9,
// 15; 10, 11, 12, 13, 16 likewise), with the scales of power range `gamme`
// and the mains frequency `frequence` (the same words the drive receives);
// nothing for any other type or for words that make no valid law.
std::optional<LoiCharge> LoiDeEssai(const EnteteCaract& e, int32_t gamme, int32_t frequence);

// Whether a trial of this type is a machine characteristic (types 1..5).
bool EstCaracteristiqueMachine(int32_t type);

struct PointMachine {
    double n;  // tr/min
    double T;  // N·m
};

struct Croisement {
    double n;     // tr/min
    double T;     // N·m
    double P;     // W: n·T·π/30
    bool stable;  // the load's slope exceeds the machine's there
};

// The crossings of the law with the machine curve: the points in speed order
// (equal speeds: the mean torque), joined by straight segments; in speed
// order, a crossing at a shared end counted once. Fewer than two distinct
// speeds: none. A segment lying on the law (touching along its length)
// gives its ends.
std::vector<Croisement> Croisements(std::vector<PointMachine> points, const LoiCharge& loi);

// The points of trial k (1..5) in physical units (speed quantity 1, torque
// quantity 2, scaled by the study's descriptors).
std::vector<PointMachine> PointsEssai(int k);

// The point of static-load trial k nearest to a crossing, speeds counted in
// shares of the speed's full scale and torques of the torque's: its index
// and its distance from the prediction. Nothing for a trial without points.
struct Ecart {
    int point;  // index in the trial
    double dn;  // measured − predicted, tr/min
    double dT;  // measured − predicted, N·m
};
std::optional<Ecart> EcartMesure(int k, const Croisement& c);

// Stored with a view in its reserved words (0 everywhere: no load line):
// ReserveX[0] kind (1..5) or 100 + trial number (the law of that trial),
// ReserveX[1], ReserveY[0], ReserveY[1] the parameters in fixed point
// (see the implementation; a law they cannot hold is not stored: four
// zeros). Reading gives nothing for words that hold no valid law; a trial's
// law is read again from its header, with the power range and mains
// frequency of `ConfigGenerale`.
void EcrireLoiVue(VueGraphe& v, const std::optional<LoiCharge>& loi, int essaiCharge = 0);
struct LoiVue {
    LoiCharge loi;
    int essaiCharge = 0;  // > 0: the law of that static-load trial
};
std::optional<LoiVue> LireLoiVue(const VueGraphe& v);

}  // namespace orvane
