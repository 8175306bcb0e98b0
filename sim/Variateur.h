// The simulated drive of the active load, coupled to a machine under study.
//
// It answers as the real drive does at the register level: parameters are
// Modbus holding registers at menu × 100 + parameter − 1.
//
//   11.32        rating (read only here; a setting of the bench). 10..500
//                gives the 300 W bench, 501..1500 the 1.5 kW bench (the
//                default, 1500), 1501..5000 the 3 kW bench; any other value
//                keeps the 1.5 kW machines
//   18.30        echo of the status word, written by the program after each
//                read; it is also the heartbeat: running without a write here
//                for 2 s returns the drive to rest (status 0x0008)
//   19.20        load constant K, tenths of a per cent; also P0
//   19.20..19.25 parameter block P0..P5 of the load laws (see Lois.h)
//   20.02        status word (bits below)
//   20.03..20.11 measurements R3..R11:
//                R3 speed (tr/min), R4 shaft torque (0.01 N·m), R5 field
//                current (0.1 mA), R6 DC current, R7 AC line current (mA on
//                the 20 A range, 0.1 mA on the 2 A range), R8 DC voltage and
//                R9 AC phase voltage (0.1 V), R10 the load constant K in use
//                (19.20, or the value the automatic sweep has reached), R11
//                active power (W on the 20 A range, 0.1 W on the 2 A range;
//                per phase for the three-phase machines and the
//                three-phase-fed drive). Values beyond a range saturate at
//                ±32767, as the instrument's converter does.
//   20.29        control word: 0 off, 1 rest; mode code × 256 + 1 selects a
//                mode, + 5 runs it; 0x4000 or 0x8000 with the run bits starts
//                the automatic sweep of K: from P1 to P0 over P2 tenths of a
//                second (status 0x0100), back to P1 over P3 tenths (0x0200),
//                0x0004 throughout; K then stays at P1 until the next command.
//                Under the imposed speeds (modes 1 and 4) K sets the speed,
//                and a shaft already turning (51 tr/min or more on the speed
//                register when the sweep starts) stands at the P0 end: the
//                drive then starts from P0, down to P1 over P3 tenths
//                (0x0100), and back up to P0 over P2 tenths (0x0200), where K
//                stays. Each direction keeps its time either way: P2 for
//                P1 to P0, P3 for P0 to P1. So an acquisition started at
//                speed takes its rising points in the second phase and its
//                falling ones in the first, each over the time it asked for.
//
// Reading an address of menus 0..22 that the drive does not use gives 0;
// addresses beyond menu 22 answer "illegal data address". Only 18.30,
// 19.20..19.25 and 20.29 can be written; writing any other address answers
// "illegal data address" and changes nothing.
//
// Time only advances through `Avancer`, in a fixed integration step, so a
// given sequence of calls always gives the same results (noise included, for
// a given seed). Not thread-safe: one caller at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/Registres.h"
#include "sim/Lois.h"
#include "sim/Machines.h"

namespace orvane::sim {

// Result codes of the register operations: 0 or a Modbus exception code.
inline constexpr int Succes = 0;
inline constexpr int FonctionIllegale = 1;
inline constexpr int AdresseIllegale = 2;
inline constexpr int ValeurIllegale = 3;
inline constexpr int DefautEsclave = 4;

inline constexpr int CalibreParDefaut = 1500;
inline constexpr int DelaiChienDeGardeMs = 2000;

// One write the drive accepted on the load parameters (19.20..19.25) or the
// control word (20.29); the status echo (18.30), written at every step, is
// not kept.
struct Ecriture {
    int menu = 0, parametre = 0;    // first register written
    std::vector<uint16_t> valeurs;  // register by register, as received
    int64_t tempsMs = 0;            // the drive's time then
    bool operator==(const Ecriture&) const = default;
};
// "19.20 0,0,0,0,0,0", "20.29 1285": the parameters signed, the control word unsigned.
std::string TexteEcriture(const Ecriture& e);
// The journal keeps this many of the latest writes.
inline constexpr size_t JournalEcrituresMax = 1000;

class Variateur {
public:
    explicit Variateur(uint64_t graine = 1);
    ~Variateur();
    Variateur(const Variateur&) = delete;
    Variateur& operator=(const Variateur&) = delete;

    // ---- settings of the bench ----
    // Machine type 1..7; 0 (none chosen) or any other value: the DC machine
    // with independent excitation, which is what the program measures then.
    void SetTypeMachine(int type);
    int TypeMachine() const { return typeMachine_; }
    // The physical current range switch: true for 2 A, false for 20 A.
    void SetCalibreDeuxAmperes(bool deuxAmperes) { deuxAmperes_ = deuxAmperes; }
    bool CalibreDeuxAmperes() const { return deuxAmperes_; }
    // Rating read at 11.32; it sizes the machines.
    void SetCalibre(int calibre);
    int Calibre() const { return calibre_; }
    // 50 or 60 Hz (any other value: 50).
    void SetFrequenceReseau(int hertz);
    int FrequenceReseau() const { return frequence_; }
    void SetBruit(bool actif) { bruit_ = actif; }
    // The supply of the machine under study, switched at the bench (safe to
    // call from another thread while the drive is served). Off, the machine
    // gives no torque, draws nothing and coasts down under its friction and
    // the load; switched on again, it starts from the speed it has come to.
    void SetMachineAlimentee(bool alimentee) { alimentee_.store(alimentee); }
    bool MachineAlimentee() const { return alimentee_.load(); }

    // ---- register operations (result 0 = success, else an exception code) ----
    int LireRegistre(int adresse, uint16_t& valeur);
    int LireRegistres(int adresse, int n, uint16_t* valeurs);
    int EcrireRegistre(int adresse, uint16_t valeur);
    int EcrireRegistres(int adresse, int n, const uint16_t* valeurs);
    // The same, addressed as menu.parametre and with the values as the
    // program's Modbus client delivers them: the single read unsigned
    // (0..65535), the block read signed, the writes taking the low 16 bits.
    int LireRegistre(int menu, int parametre, int32_t& valeur);
    int LireRegistres(int menu, int parametre, int n, int32_t* valeurs);
    int EcrireRegistre(int menu, int parametre, int32_t valeur);
    int EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs);

    // ---- journal of the writes received (safe to read from another thread) ----
    // The latest writes, oldest first (at most JournalEcrituresMax).
    std::vector<Ecriture> JournalEcritures() const;
    // Writes received since the drive was made or the journal emptied,
    // including those the journal no longer holds.
    uint64_t NbEcritures() const;
    void ViderJournal();
    // `suivi` is called with each write as it is journalled, in the writer's
    // thread; an empty one stops it.
    void SuivreEcritures(std::function<void(const Ecriture&)> suivi);

    // ---- time ----
    void Avancer(int ms);
    int64_t TempsMs() const { return tempsUs_ / 1000; }

    // ---- state, for tools and tests ----
    uint16_t Statut() const;
    double VitesseTrMin() const;
    double CoupleArbre() const { return coupleArbre_; }  // N·m, at the coupling
    EtatElectrique Electrique() const;
    int KCourant() const;             // load constant in use, tenths of a per cent
    double PuissanceMachine() const;  // rated power of the bench's machines, W
    double CoupleEchelle() const;     // torque of K = 100 %, N·m

private:
    void Reconstruire();
    void Pas();
    void Commande(uint16_t mot);
    void Repos();
    EffortCharge Charge(double omega, double inertie);
    uint16_t Mesure(int adresse) const;
    void TirerBruit();

    // settings
    int typeMachine_ = MachineAucune;
    bool deuxAmperes_ = false;
    int calibre_ = CalibreParDefaut;
    int frequence_ = 50;
    bool bruit_ = false;
    std::atomic<bool> alimentee_{true};
    bool alimenteeVue_ = true;  // the supply as the last step saw it

    // registers
    uint16_t echo_ = 0;
    int16_t param_[6] = {};
    uint16_t controle_ = 0;
    bool chienDeGarde_ = false;

    // running law
    int code_ = ModeRepos;
    bool marche_ = false;
    int64_t dernierSigneUs_ = 0;
    double tours_ = 0;
    double consigne_ = 0;   // ramped speed set point, rad/s
    double integrale_ = 0;  // speed loop, N·m
    bool kFige_ = false;
    int kFinal_ = 0;

    struct Balayage {
        bool actif = false;
        int64_t debutUs = 0;
        int depart = 0, arrivee = 0;         // K at the ends of the first leg
        int64_t duree1Us = 0, duree2Us = 0;  // first leg, return leg
    } balayage_;

    // mechanics
    std::unique_ptr<Machine> machine_;
    double omega_ = 0;
    double coupleArbre_ = 0;
    int64_t tempsUs_ = 0;

    // journal of the writes
    void Journaliser(int adresse, int n, const uint16_t* valeurs);
    mutable std::mutex journalVerrou_;
    std::deque<Ecriture> journal_;
    uint64_t nbEcritures_ = 0;
    std::function<void(const Ecriture&)> suiviEcritures_;

    // measurement noise
    uint64_t graine_;
    int64_t prochainBruitUs_ = 0;
    double bruitTire_[9] = {};
};

}  // namespace orvane::sim
