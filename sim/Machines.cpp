#include "sim/Machines.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace orvane::sim {

namespace {

using Complexe = std::complex<double>;

constexpr double Pi = std::numbers::pi;
constexpr double PairesPoles = 2;        // four-pole machines
constexpr double TensionContinue = 220;  // armature and field supplies of the DC machines, V
constexpr double TensionPhase = 230;     // mains phase voltage, V

double Limiter(double x, double bas, double haut) { return std::min(std::max(x, bas), haut); }

// Rotor inertia of a four-pole machine of `puissance` watts, kg·m².
double InertieRotor(double puissance) {
    if (puissance <= 500) return 0.0008;
    if (puissance <= 2000) return 0.004;
    return 0.010;
}

// Choice among the three sizes of bench machines: 0 = 300 W, 1 = 1.5 kW, 2 = 3 kW.
int Taille(double puissance) { return puissance <= 500 ? 0 : (puissance <= 2000 ? 1 : 2); }

// Magnetisation curve of the DC machines: flux per unit of its rated value
// for a field current per unit `x`, with a small remanent flux.
double Magnetisation(double x) {
    constexpr double remanence = 0.04;
    constexpr double coude = 0.5;  // lower values saturate sooner
    double a = std::abs(x);
    double f = remanence + (1 - remanence) * a * (1 + coude) / (a + coude);
    return x < 0 ? -f : f;
}

// ---- DC machine with independent excitation ----
//
// Armature fed at 220 V by a supply limited to twice the rated current, field
// fed separately at its rated current. E = kΦ·ω, U = E + Ra·I, T = kΦ·I.
class MachineCcIndependante : public Machine {
public:
    explicit MachineCcIndependante(double puissance) {
        const double rendements[] = {0.70, 0.78, 0.82};
        const double excitations[] = {0.25, 0.45, 0.70};
        int t = Taille(puissance);
        double in = puissance / (rendements[t] * TensionContinue);
        double pertes = TensionContinue * in - puissance;
        ra_ = 0.5 * pertes / (in * in);
        kphi_ = (TensionContinue - ra_ * in) / OmegaNominal;
        iLimite_ = 2 * in;
        excitation_ = excitations[t];
        inertie_ = InertieRotor(puissance);
        SetFrottements(0.5 * pertes, OmegaNominal, 0.5, 0.3);
    }

    double Couple(double omega, double) override {
        courant_ = CourantInduit(omega);
        return kphi_ * courant_;
    }
    double CoupleRegime(double omega) const override { return kphi_ * CourantInduit(omega); }
    EtatElectrique Electrique(double omega) const override {
        EtatElectrique e;
        // the supply holds 220 V unless it is limiting the current
        e.tension =
            std::abs(courant_) < iLimite_ ? TensionContinue : kphi_ * omega + ra_ * courant_;
        e.courant = courant_;
        e.puissance = e.tension * e.courant;
        e.excitation = excitation_;
        return e;
    }

private:
    double CourantInduit(double omega) const {
        return Limiter((TensionContinue - kphi_ * omega) / ra_, -iLimite_, iLimite_);
    }

    double ra_, kphi_, iLimite_, excitation_;
    double courant_ = 0;
};

// ---- DC series machine ----
//
// The field carries the armature current: E = kΦ(I)·ω, U = E + R·I,
// T = kΦ(I)·I, with a saturating magnetisation curve. The no-load speed is
// bounded only by friction and windage.
class MachineCcSerie : public Machine {
public:
    explicit MachineCcSerie(double puissance) {
        const double rendements[] = {0.70, 0.78, 0.82};
        int t = Taille(puissance);
        in_ = puissance / (rendements[t] * TensionContinue);
        double pertes = TensionContinue * in_ - puissance;
        r_ = 0.55 * pertes / (in_ * in_);
        kphiN_ = (TensionContinue - r_ * in_) / OmegaNominal;
        iLimite_ = 2 * in_;
        inertie_ = InertieRotor(puissance);
        SetFrottements(0.45 * pertes, OmegaNominal, 0.25, 0.25);
    }

    double Couple(double omega, double) override {
        courant_ = Courant(omega);
        return Flux(courant_) * courant_;
    }
    double CoupleRegime(double omega) const override {
        double i = Courant(omega);
        return Flux(i) * i;
    }
    EtatElectrique Electrique(double omega) const override {
        EtatElectrique e;
        e.tension = std::min(TensionContinue, Flux(courant_) * omega + r_ * courant_);
        e.courant = courant_;
        e.puissance = e.tension * e.courant;
        return e;
    }

private:
    double Flux(double i) const { return kphiN_ * Magnetisation(i / in_); }
    // Solves kΦ(I)·ω + R·I = U for I, which increases with I at positive speed;
    // the supply limits the current. A reversed shaft is treated as at rest.
    double Courant(double omega) const {
        double w = std::max(omega, 0.0);
        double bas = 0, haut = iLimite_;
        if (Flux(haut) * w + r_ * haut <= TensionContinue) return haut;
        for (int k = 0; k < 50; ++k) {
            double m = 0.5 * (bas + haut);
            (Flux(m) * w + r_ * m < TensionContinue ? bas : haut) = m;
        }
        return 0.5 * (bas + haut);
    }

    double in_, r_, kphiN_, iLimite_;
    double courant_ = 0;
};

// ---- Three-phase asynchronous machine ----
//
// Per-phase equivalent circuit on the 230 V mains: R1 + jX1 in series with the
// magnetising branch (Rc ∥ jXm) in parallel with R2'/s + jX2'. The rotor
// branch is handled as an admittance s / (R2' + j·s·X2') so that s = 0 is
// regular. T = Pag / ωs with Pag = 3·|E|²·s·R2' / (R2'² + s²·X2'²).
class MachineAsynchrone : public Machine {
public:
    MachineAsynchrone(double puissance, double frequence) {
        // per-unit values on the impedance base of the rated current
        struct Pu {
            double r1, r2, x, xm, rc;
        };
        const Pu tailles[] = {{0.11, 0.085, 0.09, 1.6, 14},
                              {0.075, 0.06, 0.085, 1.9, 20},
                              {0.06, 0.047, 0.085, 2.1, 26}};
        const Pu& pu = tailles[Taille(puissance)];
        double in = puissance / (3 * TensionPhase * 0.78 * 0.78);
        double zb = TensionPhase / in;
        double f = frequence / 50;  // reactances are given at 50 Hz
        r1_ = pu.r1 * zb;
        r2_ = pu.r2 * zb;
        x1_ = pu.x * zb * f;
        x2_ = pu.x * zb * f;
        ym_ = Complexe(1 / (pu.rc * zb), -1 / (pu.xm * zb * f));
        omegaS_ = 2 * Pi * frequence / PairesPoles;
        inertie_ = InertieRotor(puissance);
        SetFrottements(0.03 * puissance, OmegaNominal, 0.5, 0.3);
    }

    double Couple(double omega, double) override {
        Point p = Calculer(omega);
        courant_ = p.courant;
        puissance_ = p.puissance;
        return p.couple;
    }
    double CoupleRegime(double omega) const override { return Calculer(omega).couple; }
    EtatElectrique Electrique(double) const override {
        EtatElectrique e;
        e.tension = TensionPhase;
        e.courant = courant_;
        e.puissance = puissance_;
        e.alternatif = e.triphase = true;
        return e;
    }

private:
    struct Point {
        double couple, courant, puissance;
    };
    Point Calculer(double omega) const {
        double s = (omegaS_ - omega) / omegaS_;
        Complexe y2 = s / Complexe(r2_, s * x2_);
        Complexe z = Complexe(r1_, x1_) + 1.0 / (y2 + ym_);
        Complexe i1 = TensionPhase / z;
        Complexe e = TensionPhase - i1 * Complexe(r1_, x1_);
        double pag = 3 * std::norm(e) * s * r2_ / (r2_ * r2_ + s * s * x2_ * x2_);
        return {pag / omegaS_, std::abs(i1), 3 * TensionPhase * i1.real()};
    }

    double r1_, r2_, x1_, x2_, omegaS_;
    Complexe ym_;
    double courant_ = 0, puissance_ = 0;
};

// ---- Three-phase synchronous machine on the mains ----
//
// Round rotor, synchronous reactance Xs and stator resistance Rs. At its
// rated field current the EMF is proportional to the speed, 1.25 times the
// mains voltage at 1500 tr/min; the reactance is proportional to the mains
// frequency. So E/Xs, and with it the pull-out power, is the same on a 50
// and a 60 Hz mains, and the pull-out torque stays about twice the rated
// torque (rated power at the synchronous speed). The load angle δ
// (electrical) grows while the rotor lags the mains field:
// dδ/dt = p·(ωs − ω); the stator phasor
// I = (V − E∠−δ)/(Rs + jXs) gives the synchronous torque, the damper cage an
// asynchronous torque D·(ωs − ω). Beyond the pull-out torque δ runs away and
// the machine slips, held only by its damper cage.
class MachineSynchrone : public Machine {
public:
    MachineSynchrone(double puissance, double frequence) {
        const double excitations[] = {0.8, 1.2, 1.6};
        int t = Taille(puissance);
        double in = puissance / (3 * TensionPhase * 0.85);
        double zb = TensionPhase / in;
        double f = frequence / 50;
        omegaS_ = 2 * Pi * frequence / PairesPoles;
        xs_ = 0.65 * zb * f;
        rs_ = 0.05 * zb;
        kE_ = 1.25 * TensionPhase / OmegaNominal;  // over-excited at the rated field current
        excitation_ = excitations[t];
        double couple = puissance / (2 * Pi * frequence / PairesPoles);
        amortisseur_ = couple / (0.15 * omegaS_);
        inertie_ = InertieRotor(puissance);
        SetFrottements(0.02 * puissance, OmegaNominal, 0.5, 0.3);
        Initialiser(omegaS_);
    }

    double Couple(double omega, double dt) override {
        double t = 0;
        if (decouple_) {
            courant_ = puissance_ = 0;
        } else {
            Point p = Calculer(omega, delta_);
            courant_ = p.courant;
            puissance_ = p.puissance;
            t = p.couple;
        }
        delta_ = std::remainder(delta_ + PairesPoles * (omegaS_ - omega) * dt, 2 * Pi);
        return t;
    }
    double CoupleRegime(double omega) const override {
        return decouple_ ? 0 : amortisseur_ * (omegaS_ - omega);
    }
    double VitesseAVide() const override { return omegaS_; }
    EtatElectrique Electrique(double omega) const override {
        EtatElectrique e;
        // uncoupled, the voltmeter reads the EMF at the terminals
        e.tension = decouple_ ? kE_ * omega : TensionPhase;
        e.courant = courant_;
        e.puissance = puissance_;
        e.excitation = excitation_;
        e.alternatif = e.triphase = true;
        return e;
    }
    void Initialiser(double omega) override {
        // load angle at which the synchronous torque meets the friction
        double besoin = FrottementSec() + FrottementVisqueux(omega);
        double bas = -Pi / 2, haut = Pi / 2;
        for (int k = 0; k < 50; ++k) {
            double m = 0.5 * (bas + haut);
            (Calculer(omegaS_, m).couple < besoin ? bas : haut) = m;
        }
        delta_ = 0.5 * (bas + haut);
        Point p = Calculer(omegaS_, delta_);
        courant_ = p.courant;
        puissance_ = p.puissance;
    }
    void SetDecouple(bool d) override { decouple_ = d; }

private:
    struct Point {
        double couple, courant, puissance;
    };
    Point Calculer(double omega, double delta) const {
        Complexe e = std::polar(kE_ * omega, -delta);
        Complexe i = (TensionPhase - e) / Complexe(rs_, xs_);
        double p = 3 * TensionPhase * i.real();
        double synchrone = (p - 3 * std::norm(i) * rs_) / omegaS_;
        double asynchrone = amortisseur_ * (omegaS_ - omega);
        // the cage's power is drawn in phase with the voltage
        double pCage = asynchrone * omegaS_;
        i += pCage / (3 * TensionPhase);
        return {synchrone + asynchrone, std::abs(i), p + pCage};
    }

    double omegaS_, xs_, rs_, kE_, excitation_, amortisseur_;
    double delta_ = 0;
    bool decouple_ = false;
    double courant_ = 0, puissance_ = 0;
};

// ---- Motor with its variable-speed drive ----
//
// The drive holds 1500 tr/min with a proportional speed loop whose gain gives
// a 3 % droop at rated torque, within a torque limit of 1.8 times the rated
// torque. Its input power is the motor's air-gap power plus copper losses
// (square of the torque) and the no-load losses of motor and converter; the
// diode front end cannot return power, so a braking motor dissipates in the
// drive's resistor and the supply only sees the no-load losses. The supply
// power factor of the rectifier falls at light load.
class Motovariateur : public Machine {
public:
    Motovariateur(int type, double puissance) : type_(type) {
        couple_ = puissance / OmegaNominal;
        gain_ = couple_ / (0.03 * OmegaNominal);
        limite_ = 1.8 * couple_;
        pertesVide_ = 0.06 * puissance;
        cuivre_ = 0.10 * puissance / (couple_ * couple_);
        puissanceNominale_ = 1.2 * puissance;
        inertie_ = InertieRotor(puissance);
        SetFrottements(0.02 * puissance, OmegaNominal, 0.5, 0.3);
    }

    double Couple(double omega, double) override { return tem_ = CoupleRegime(omega); }
    double CoupleRegime(double omega) const override {
        return Limiter(gain_ * (OmegaNominal - omega), -limite_, limite_);
    }
    EtatElectrique Electrique(double omega) const override {
        EtatElectrique e;
        double p = tem_ * omega + cuivre_ * tem_ * tem_ + pertesVide_;
        e.puissance = std::max(p, pertesVide_);
        double x = e.puissance / puissanceNominale_;
        if (type_ == VariateurContinu) {
            e.tension = 300;
            e.courant = e.puissance / e.tension;
        } else if (type_ == VariateurTriphase) {
            double fp = 0.93 * x / (x + 0.1);
            e.tension = TensionPhase;
            e.courant = e.puissance / (3 * TensionPhase * fp);
            e.alternatif = e.triphase = true;
        } else {
            double fp = 0.72 * x / (x + 0.15);
            e.tension = TensionPhase;
            e.courant = e.puissance / (TensionPhase * fp);
            e.alternatif = true;
        }
        return e;
    }

private:
    int type_;
    double couple_, gain_, limite_, pertesVide_, cuivre_, puissanceNominale_;
    double tem_ = 0;
};

}  // namespace

double Machine::FrottementVisqueux(double omega) const {
    return visqueux_ * omega + ventilation_ * omega * std::abs(omega);
}

void Machine::SetFrottements(double pertes, double omega, double sec, double visqueux) {
    double couple = pertes / omega;
    frottementSec_ = sec * couple;
    visqueux_ = visqueux * couple / omega;
    ventilation_ = (1 - sec - visqueux) * couple / (omega * omega);
}

double Machine::VitesseAVide() const {
    // the net torque falls with the speed for every model
    double bas = 0, haut = 5 * OmegaNominal;
    for (int k = 0; k < 60; ++k) {
        double m = 0.5 * (bas + haut);
        double net = CoupleRegime(m) - FrottementSec() - FrottementVisqueux(m);
        (net > 0 ? bas : haut) = m;
    }
    return 0.5 * (bas + haut);
}

std::unique_ptr<Machine> CreerMachine(int type, double puissance, double frequence) {
    switch (type) {
        case MccSerie: return std::make_unique<MachineCcSerie>(puissance);
        case MasTriphasee: return std::make_unique<MachineAsynchrone>(puissance, frequence);
        case MsTriphasee: return std::make_unique<MachineSynchrone>(puissance, frequence);
        case VariateurContinu:
        case VariateurTriphase:
        case VariateurMonophase: return std::make_unique<Motovariateur>(type, puissance);
        default: return std::make_unique<MachineCcIndependante>(puissance);
    }
}

}  // namespace orvane::sim
