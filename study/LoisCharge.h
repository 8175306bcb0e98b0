// The laws of the emulated industrial loads (characteristic types 6..18):
// power-range and slider tables, the constraints between the load panel's
// sliders, the captions and values the panel shows, its torque-speed
// polyline and plot geometry, and the drive parameter words of each law.
//
// The load panel is a thin shell over these routines; the tracing window
// uses `ParametresCharge` when it starts an acquisition on a load. No Qt.
//
// Units (all integers): torque in hundredths of N·m, speed in tr/min, power
// in W, inertia in thousandths of kg·m², linear speed in tenths of m/s, mass
// in kg, efficiency and slope in per cent. Torque and power words hold slider
// units: v stands for v × scale / slider maximum.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "study/Records.h"
#include "texts/TextesOrvane.h"

namespace orvane {

// ---- power ranges ----

// One row of `TableGammes`, indexed by `GammePuissance`.
struct LigneGamme {
    int32_t VitesseNominale;   // tr/min (the panel takes N0 from the mains instead)
    int32_t EchelleCouple;     // Tscale: full-scale torque, 0.01 N·m
    int32_t EchellePuissance;  // Pscale: full-scale power, W
    int32_t EchelleInertie;    // Jscale: inertia scale, per mille
    int32_t PuissanceMachine;  // rating of the bench's machines, W
};

inline constexpr int NbGammes = 4;
extern const std::array<LigneGamme, NbGammes> TableGammes;

// Row of a power range; an out-of-range value reads row 0.
const LigneGamme& LigneDeGamme(int32_t gamme);
// Machine power of a power range, W (shown by the choice window and the
// live display).
int32_t PuissanceMachine(int32_t gamme);

// ---- the two vertical sliders ----

struct BornesCurseurs {
    int32_t MinA, MaxA;  // TrackBarA
    int32_t MinB, MaxB;  // TrackBarB
};
// One row per characteristic type 0..18.
extern const std::array<BornesCurseurs, NbTypesCaract> TableBornesCurseurs;
// Row of a type; row 0 outside 0..18.
const BornesCurseurs& BornesDe(int type);

// Range and position of TrackBarA and TrackBarB. Position 0 is the top of a
// slider, where its value is largest: the value of B is MaxB − PosB, that of A
// is MaxA − PosA + MinA.
struct EtatCurseurs {
    int32_t MinA = 0, MaxA = 150, PosA = 0;
    int32_t MinB = 0, MaxB = 150, PosB = 0;

    int32_t ValeurA() const { return MaxA - PosA + MinA; }
    int32_t ValeurB() const { return MaxB - PosB; }
    // Position for a value, brought into the slider's range as the slider
    // itself would.
    void PlacerA(int32_t valeur);
    void PlacerB(int32_t valeur);
    // Ranges of the type (positions brought into them).
    void DefinirBornes(int type);
};

enum class Curseur { A, B };

// Slider `bouge` has moved under law `type`: keeps the law's constraints
// (moving the other slider or this one) and stores the value of every slider
// that moved, and of `bouge`, into its word.
//   8/12, 14: A never below B (A follows B up, A cannot go under B);
//   9/13: A and B at least 10;
//   15/16: A never above B.
void ContraindreCurseurs(int type, Curseur bouge, EtatCurseurs& c, EnteteCaract& r);

// Positions of the sliders from the words of `type` (B, then A).
void PlacerCurseurs(int type, EtatCurseurs& c, const EnteteCaract& r);

// ---- the words of each law ----

// Brings the words that law `type` reads into their ranges: each slider word
// into its slider's range (at least 10 for the constant-power words), the
// break-away speed 1..100, the cycle length 10..100, the ramp share 0..10,
// the linear speed 5..20 and the efficiency 50..90. Words already in range
// are not touched. Returns true when a word changed.
bool BornerMotsCharge(int type, EnteteCaract& r);

// ---- inertia slider ----

inline constexpr int PositionInertieMax = 50;  // TrackBarJ is 0..50
// Position of TrackBarJ for word 14: the table index of word 14 × 1000 /
// Jscale, brought into 0..positionMax.
int PositionInertie(int64_t mot14, int32_t jscale, int positionMax = PositionInertieMax);
// Word 14 for a position of TrackBarJ: TableInertie[position] × Jscale / 1000.
int32_t InertieDePosition(int position, int32_t jscale);

// ---- what the panel shows ----

struct EchellesCharge {
    int32_t N0;      // nominal speed: 1800 at 60 Hz, else 1500 tr/min
    int32_t W10;     // N0 × π / 3 truncated: power at N0 = W10 × T / 1000 W
    int32_t Tscale;  // from TableGammes
    int32_t Pscale;
    int32_t Jscale;
};
EchellesCharge EchellesDe(int32_t gamme, int32_t frequence);

bool EstTypeCharge(int type);      // 6..18
bool TypeAvecInertie(int type);    // 10..14, 16, 18: the inertia panel is shown
int CodeTrace(int type);           // plot code 1..6, 0 outside 6..18
int IndexTexteColonnes(int type);  // index into TitreColonne1..3, 0 outside 6..18

// One axis of the torque-speed plot: minimum, maximum, label divisor,
// number of ticks on the positive side and label.
struct AxeCharge {
    int64_t Min = 0, Max = 1, Diviseur = 1, NbGraduations = 1;
    std::string Libelle;
};

struct PointCharge {
    int64_t N;  // speed (tenths of a revolution on the cyclic plot)
    int64_t T;  // torque
    bool operator==(const PointCharge&) const = default;
};

// Captions, values, visibility and polyline of the panel for one type.
struct AffichageCharge {
    bool Valide = false;     // the type is a load law (6..18)
    std::string C1, C2, C3;  // column titles
    std::string B1, B2, B3;  // column values
    bool Colonne2 = false, CurseurA = false, CurseurB = false, CurseurJ = false;
    bool PanneauN = false, PanneauCycle = false, PanneauInertie = false;
    std::string Inertie;         // StaticTextInertie
    std::string Reduction, Red;  // StaticTextReduction, StaticTextred
    std::string Pent, Pente;     // StaticTextPent, StaticTextPente
    std::string J;               // TextJ
    int Code = 0;                // plot code
    AxeCharge Vitesse, Couple;
    std::vector<PointCharge> Points;  // the load polyline
};

// Everything the panel shows for `type` from the words of `r`, with the
// sliders' current maxima (A, B and TrackBarN) and the text table `t`. For the
// lifting laws it also stores word 29 (the lifted mass's inertia).
AffichageCharge CalculerAffichage(int type, EnteteCaract& r, const EchellesCharge& e, int32_t maxA,
                                  int32_t maxB, int32_t maxN, const TTextesOrvane& t);

// ---- plot geometry ----

struct GraduationCharge {
    int Position;  // column (speed ticks) or row (torque ticks), pixels
    std::string Texte;
};

struct GeometrieTrace {
    int X0 = 0, Y0 = 0;      // axes
    int PasX = 0, PasY = 0;  // pixels between ticks
    std::vector<GraduationCharge> GradVitesse, GradCouple;
    std::vector<PointCharge> Points;  // the polyline in pixels (N column, T row)
};

// Axes, ticks and polyline in pixels for the plot rectangle (gauche, haut,
// droite, bas). `hauteurM` is the text height of "M", `largeurTmax` the text
// width of the decimal text of the torque maximum. A tick step of zero or
// less pixels gives no ticks.
GeometrieTrace CalculerTrace(int gauche, int haut, int droite, int bas, const AxeCharge& vitesse,
                             const AxeCharge& couple, const std::vector<PointCharge>& points,
                             int hauteurM, int largeurTmax);

// ---- drive parameters ----

// The five first parameter words sent to the drive for law `type` (the sixth
// is not touched): torques in drive units (Tscale × word / 150), speeds in
// tr/min, word 14 for the dynamic laws. Divisors a file could make zero are
// guarded. All zero outside 6..18.
std::array<int32_t, 5> ParametresCharge(int type, const EnteteCaract& r, const EchellesCharge& e);

}  // namespace orvane
