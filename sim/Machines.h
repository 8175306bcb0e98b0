// Models of the machines under study that the simulated bench couples to its
// active load. Textbook steady-state electrical models (the electrical time
// constants are far shorter than the mechanical ones), with the internal
// states that matter mechanically: the load angle of the synchronous machine
// and the speed loop of the drive-fed motors.
//
// Units are SI throughout: speeds in rad/s, torques in N·m, powers in W.
// Motor convention: positive torque drives the shaft in the positive
// direction, positive power is drawn from the supply.
#pragma once

#include <memory>

#include "study/Records.h"

namespace orvane::sim {

// The electrical quantities the bench's instruments see.
struct EtatElectrique {
    double tension = 0;     // V: DC voltage, or phase voltage of an AC supply
    double courant = 0;     // A: DC current, or line current
    double puissance = 0;   // W: total active power drawn from the supply
    double excitation = 0;  // A: field current (separately excited machines), else 0
    bool alternatif = false;
    bool triphase = false;
};

class Machine {
public:
    virtual ~Machine() = default;

    // Electromagnetic torque at shaft speed `omega`, advancing the internal
    // states by `dt` seconds.
    virtual double Couple(double omega, double dt) = 0;
    // Supply quantities at the last state computed by `Couple`.
    virtual EtatElectrique Electrique(double omega) const = 0;

    // Friction and windage: a dry part (magnitude, opposing motion) and a
    // speed-dependent part (odd function of the speed).
    double FrottementSec() const { return frottementSec_; }
    double FrottementVisqueux(double omega) const;

    double Inertie() const { return inertie_; }
    // Steady-state electromagnetic torque at `omega`, leaving the states alone.
    virtual double CoupleRegime(double omega) const = 0;
    // Speed at which the machine settles with nothing coupled to it.
    virtual double VitesseAVide() const;
    // Places the machine in the steady state at `omega` (bench start-up).
    virtual void Initialiser(double omega) { (void)omega; }
    // The synchronous machine leaves the mains while an external drive holds
    // its speed for coupling; the others ignore it.
    virtual void SetDecouple(bool) {}

protected:
    // Friction and windage taking `pertes` watts at the rated speed `omega`,
    // shared between the dry, viscous and windage parts.
    void SetFrottements(double pertes, double omega, double sec, double visqueux);

    double inertie_ = 0;
    double frottementSec_ = 0;  // N·m
    double visqueux_ = 0;       // N·m per rad/s
    double ventilation_ = 0;    // N·m per (rad/s)²
};

// Builds the machine of `type` for the rated power `puissance` (W) and mains
// frequency `frequence` (Hz). Type 0 (none chosen) and any value outside
// 1..7 give the DC machine with independent excitation, the machine the
// program measures when no type is chosen.
std::unique_ptr<Machine> CreerMachine(int type, double puissance, double frequence);

// Rated speed of the DC machines and of the drive-fed motors, rad/s (1500 tr/min).
inline constexpr double OmegaNominal = 157.07963267948966;

}  // namespace orvane::sim
