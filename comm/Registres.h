// The drive's register map, in one place: the parameters the program reads
// and writes (menu.parameter, with their units), the bits of the status
// word and the bits of the control word. The gateway, the simulated drive,
// the windows and the tests all name registers through this table; the
// golden-frame tests keep bare bytes as the independent check.
//
// Parameter m.p is the Modbus holding register m × 100 + p − 1 on the
// serial link; the network library receives the menu and the parameter
// apart.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane {

// Register address of parameter menu.parametre.
constexpr int AdresseRegistre(int menu, int parametre) { return menu * 100 + parametre - 1; }

struct Parametre {
    int menu;
    int parametre;
    constexpr int Adresse() const { return AdresseRegistre(menu, parametre); }
    // The parameter `i` places further (a block).
    constexpr Parametre Suivant(int i) const { return {menu, parametre + i}; }
    constexpr bool operator==(const Parametre&) const = default;
};

// ---- parameters ----
inline constexpr Parametre ParamCalibre{11, 32};     // drive rating, read at each opening
inline constexpr Parametre ParamEchoStatut{18, 30};  // status echo, bit 0 set, after each read
inline constexpr Parametre ParamConstanteK{19, 20};  // load constant K, 0.1 %
inline constexpr Parametre ParamBlocCharge{19, 20};  // P0..P5 of the load laws, one block
inline constexpr Parametre ParamStatut{20, 2};       // status word, first of the measurements
inline constexpr Parametre ParamVitesse{20, 3};      // R3
inline constexpr Parametre ParamCouple{20, 4};       // R4
inline constexpr Parametre ParamCourantExcitation{20, 5};   // R5
inline constexpr Parametre ParamCourantContinu{20, 6};      // R6
inline constexpr Parametre ParamCourantAlternatif{20, 7};   // R7
inline constexpr Parametre ParamTensionContinue{20, 8};     // R8
inline constexpr Parametre ParamTensionAlternative{20, 9};  // R9
inline constexpr Parametre ParamConstanteEnCours{20, 10};   // R10 (not used by the program)
inline constexpr Parametre ParamPuissanceActive{20, 11};    // R11
inline constexpr Parametre ParamControle{20, 29};           // control word

inline constexpr int NbParamCharge = 6;  // P0..P5
inline constexpr int NbMesures = 10;     // 20.02..20.11, read as one block

enum class Acces { Lecture, Ecriture };

struct DescRegistre {
    Parametre param;
    Acces acces;
    std::string_view nom;
    std::string_view unite;
};

// What each parameter holds. The currents and the power are counted in
// the finer unit on the 2 A range (0.1 mA, 0.1 W) and in the coarser one on
// the 20 A range (mA, W).
inline constexpr std::array<DescRegistre, 19> TableRegistres{{
    {ParamCalibre, Acces::Lecture, "drive rating", "W"},
    {ParamEchoStatut, Acces::Ecriture, "status echo", "bits"},
    {ParamConstanteK, Acces::Ecriture, "load constant K / P0", "0.1 %"},
    {ParamBlocCharge.Suivant(1), Acces::Ecriture, "P1", "law"},
    {ParamBlocCharge.Suivant(2), Acces::Ecriture, "P2", "law"},
    {ParamBlocCharge.Suivant(3), Acces::Ecriture, "P3", "law"},
    {ParamBlocCharge.Suivant(4), Acces::Ecriture, "P4", "law"},
    {ParamBlocCharge.Suivant(5), Acces::Ecriture, "P5", "law"},
    {ParamStatut, Acces::Lecture, "status word", "bits"},
    {ParamVitesse, Acces::Lecture, "speed", "tr/min"},
    {ParamCouple, Acces::Lecture, "torque", "0.01 N.m"},
    {ParamCourantExcitation, Acces::Lecture, "excitation current", "0.1 mA"},
    {ParamCourantContinu, Acces::Lecture, "DC current", "mA (2 A range: 0.1 mA)"},
    {ParamCourantAlternatif, Acces::Lecture, "AC line current", "mA (2 A range: 0.1 mA)"},
    {ParamTensionContinue, Acces::Lecture, "DC voltage", "0.1 V"},
    {ParamTensionAlternative, Acces::Lecture, "AC phase voltage", "0.1 V"},
    {ParamConstanteEnCours, Acces::Lecture, "load constant in use", "0.1 %"},
    {ParamPuissanceActive, Acces::Lecture, "active power per phase", "W (2 A range: 0.1 W)"},
    {ParamControle, Acces::Ecriture, "control word", "mode << 8 | bits"},
}};

// ---- status word (20.02) ----
inline constexpr int32_t StatutActive = 0x0001;        // control word bit 0 seen
inline constexpr int32_t StatutMarche = 0x0002;        // a mode runs
inline constexpr int32_t StatutBalayage = 0x0004;      // automatic sweep running
inline constexpr int32_t StatutChienDeGarde = 0x0008;  // heartbeat lost; cleared by a command
inline constexpr int32_t StatutPhase1 = 0x0100;        // sweep, first leg (see the simulated drive)
inline constexpr int32_t StatutPhase2 = 0x0200;        // sweep, second leg

// ---- control word (20.29): mode code << 8 | these bits ----
inline constexpr int32_t ControleLibre = 0;          // sent when the link closes cleanly
inline constexpr int32_t ControleRepos = 1;          // drive at rest
inline constexpr int32_t ControleMarche = 5;         // bits 0 and 2: load running
inline constexpr int32_t ControleMontee = 0x4000;    // rising automatic sweep
inline constexpr int32_t ControleDescente = 0x8000;  // falling or two-way sweep
inline constexpr int32_t ControleBalayage = ControleMontee | ControleDescente;

}  // namespace orvane
