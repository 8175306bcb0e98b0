// The study held in memory: process-wide records and their operations.
//
// Every window reads and changes these data in place; nothing keeps a copy.
// Values are signed 32-bit integers counting 10^-d of their unit, d being the
// quantity's number of decimals.
#pragma once

#include <cstdint>
#include <string>

#include "study/Records.h"

namespace orvane {

// ---- process-wide data ----

extern EnteteEtude Etude;                   // study header
extern Caracteristique Caracts[NbRecords];  // records 0..5; 1..NbCaract are the study's
extern EnteteCaract ReglagesCourants;       // the characteristic being prepared
extern ValeursPoint ValeursCourantes;       // latest measurement or selected point
extern int32_t PointSelectionne;
extern int32_t CaractCourante;  // characteristic receiving points, 0 = none
extern int32_t AcquisitionEnCours;
extern uint8_t EtudeEnregistree;  // 1 while unchanged since reset, open or save
extern uint8_t LiaisonInitialisee;
extern std::string RepertoireDepart;
extern std::string NomFichierEtude;
extern std::string AdresseReseau;
extern TConfigGenerale ConfigGenerale;
extern int64_t DernierPointN;
extern int64_t DernierPointT;
extern int32_t FinOscillo;

// ---- defaults ----

extern const EnteteCaract EnteteCaractDefaut;
extern const TConfigGenerale ConfigDefaut;
inline constexpr uint16_t VersionEtude = 1020;
inline constexpr const char* SignatureEtude = "MACHINE2";

// Descriptor q of the current text table, converted for the study header.
DescGrandeur DescripteurTexte(int q);

// ---- operations ----

void InitEtude();
void NouvelleCaract();
void SupprimerCaract(int k);
// Adds the current values as the next point of the current characteristic.
// Returns false, storing nothing, when there is no current characteristic
// (none chosen, or one beyond the study's count after `SupprimerCaract`) or
// when it already holds 2001 points.
bool AjouterPoint();
void SupprimerPoint(int p, int k);
void SelectionnerPoint(int p);
void TrierPoints(int ordre, int q, int k);
void RetrierCaracts();
void TrierParNumero();
bool CaractCompatible(int k);
int32_t TypeMachineCourant();
int32_t TypeCaractCourant();
int NbVuesGraphe();
void SupprimerVueGraphe(int k);

// The most decimals a fixed-point text shows. A value has at most 19 digits:
// more decimals would only add zeros, which a damaged descriptor (its
// decimals come from the work file unchecked) could make endless.
inline constexpr int DecimalesMax = 18;
// Decimals of a descriptor or an axis brought into 0..DecimalesMax.
int BornerDecimales(int64_t d);

// Fixed-point text: "-" for negatives, a decimal comma before the last d
// digits, zero-padded so that a digit precedes the comma. d is bounded by
// `BornerDecimales`: every fixed-point text of the program comes from here.
std::string FormatFixe(int64_t v, int d, char virgule = ',');
// Value q of `ValeursCourantes` with one blank and its unit (UTF-8).
std::string FormatGrandeur(int q);
// A count of a quantity whose descriptor has `exposant` in the quantity's
// unit: count × 10^exposant (divided by the power for a negative exponent, so
// that 1234 counts of 0.01 give the double nearest to 12.34).
double ValeurPhysique(int64_t compte, int32_t exposant);

// ---- read-only tables ----

extern const uint8_t DisponibiliteGrandeurs[NbTypesMachine][NbGrandeurs];
extern const int32_t ChoixAxes[NbTypesMachine][NbGrandeurs];
extern const int32_t ZoomDefaut[4][NbGrandeurs];
inline constexpr int NbInerties = 62;
extern const int32_t TableInertie[NbInerties];

// Entry i of the inertia table, 0 outside 0..61.
int32_t InertieDeIndex(int i);
// First index whose entry is at least v; 61 for anything above the last entry.
int IndexDeInertie(int32_t v);

// Characteristic groups.
enum class GroupeCaract { Aucun, Machine, Statique, Dynamique };

// Machine study 1..5; static load 6..9, 15, 17; dynamic load 10..14, 16, 18;
// any other type belongs to no group.
GroupeCaract GroupeDeType(int32_t type);

// The value of a table index read from a file, brought into 0..n-1.
inline int Borner(int32_t v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

}  // namespace orvane
