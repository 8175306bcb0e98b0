// The pure rules of the acquisitions on an emulated load: the spacing test
// of the automatic points on a static load, the trigger of the oscilloscope
// mode and its thresholds. No Qt.
#pragma once

#include <array>
#include <cstdint>

#include "study/Records.h"

namespace orvane {

// Trigger thresholds, per mille of the quantity's full scale; rows by power
// range 0..3, columns by quantity 0..11.
inline constexpr int NbGammesSeuils = 4;
extern const std::array<std::array<int32_t, NbGrandeurs>, NbGammesSeuils> TableSeuils;

// Threshold of the trigger on quantity `grandeur` (1..4) whose full scale is
// `pleineEchelle`: pleineEchelle × TableSeuils[gamme][grandeur] / 1000 (integer
// division). A range or quantity outside the table gives 0.
int32_t SeuilDeclenchement(int32_t pleineEchelle, int32_t gamme, int32_t grandeur);

// The trigger fires when the quantity has moved away from its reference
// strictly more than the threshold.
bool Declenche(int32_t valeur, int32_t reference, int32_t seuil);

// Torque weight of the spacing tests (machine sweep and static load), by power range: 100
// for range 1, 10 for range 2; range 0 has range 2's torque scale and takes
// its weight, range 3 twice that scale and a quarter of it (rounded up), so
// that a step of the same share of the full scale weighs the same.
int32_t PoidsCoupleCharge(int32_t gamme);

// Squared distance of the operating point (n, T) from the last stored point,
// the torque weighted by w, in 64 bits.
int64_t DistanceCarree(int32_t n, int32_t t, int32_t nRef, int32_t tRef, int32_t w);

// Smallest squared distance that takes an automatic point is above this.
inline constexpr int64_t DistanceMinimaleCarree = 2000;
inline bool AssezLoin(int64_t d2) { return d2 > DistanceMinimaleCarree; }

// The trigger items "Vitesse", "Couple", "Tension", "Courant" and the
// quantity number header word 18 holds for each (1, 2, 4, 5).
inline constexpr std::array<int32_t, 4> GrandeursSynchro = {1, 2, 4, 5};
// Quantity of an item; 0 for an index outside 0..3.
int32_t GrandeurSynchroDeItem(int item);
// Item of a quantity; -1 for a quantity no item designates.
int ItemDeGrandeurSynchro(int32_t grandeur);

// The five first parameter words of the load law of `type` for the drive,
// from the header words of `r`, with the scales of power range `gamme` and
// the mains frequency `frequence` (all zero outside 6..18).
std::array<int32_t, 5> ParametresDeCharge(int32_t type, const EnteteCaract& r, int32_t gamme,
                                          int32_t frequence);

// End of an oscilloscope capture: the elapsed time (hundredths of a second)
// strictly past the duration.
inline bool CaptureFinie(int32_t temps, int32_t fin) { return temps > fin; }

// Readings of the oscilloscope: 20 a second, one every 50 ms.
inline constexpr int32_t LecturesParSeconde = 20;

// A capture of `duree` seconds fits in an empty trial: its readings from 0 to
// the duration (20 a second, both ends) take no more than its 2001 points.
inline constexpr bool CaptureTientDansEssai(int32_t duree) {
    return duree >= 0 && int64_t{duree} * LecturesParSeconde + 1 <= NbPointsMax;
}

}  // namespace orvane
