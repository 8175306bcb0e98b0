// What a plot frame reads off its view besides the curves: the load line of
// a torque-speed view with the operating points it makes with the machine
// characteristics, and the values of the trials under a time cursor. No Qt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "study/PointFonctionnement.h"
#include "study/Records.h"
#include "study/Reponse.h"

namespace orvane {

// A view of torque (quantity 2) against speed (quantity 1): the only kind
// that takes a load line.
bool VueCoupleVitesse(const VueGraphe& v);
// A view against time (quantity 11): the kind that takes cursors.
bool VueTemporelle(const VueGraphe& v);

// The load line of a view as stored with it, the law of a trial resolved
// from that trial's settings (nothing once the trial is no static load).
std::optional<LoiCharge> LoiDeVue(const VueGraphe& v);

// One operating point of a view: the machine trial it lies on, the crossing,
// and its distance from the nearest point of the static-load trial that
// follows the same law, when the study holds one.
struct PointVue {
    int essai;
    Croisement point;
    std::optional<Ecart> ecart;
    int essaiCharge = 0;
};
// Every crossing of the view's load line with each machine characteristic
// of the study that has at least two points, trial by trial.
std::vector<PointVue> PointsDeFonctionnement(const VueGraphe& v);

// The value of quantity qY of trial k at the abscissa x (counts of qX), by
// linear interpolation between the two samples around it (abscissas in
// increasing order); nothing outside the trial's abscissas.
std::optional<double> ValeurEn(int k, int qX, int qY, double x);

// ---- the texts of these readings, in the current language (UTF-8) ----

// The unit of quantity q from the study's descriptors.
std::string UniteGrandeur(int q);
// A value in a quantity's unit with `decimales` decimals, the program's
// decimal comma and one blank before the unit; "—" for none or for one no
// text can hold.
std::string TexteMesure(const std::optional<double>& v, int decimales, const std::string& unite);
// The seven step measurements of quantity q: values with the quantity's
// decimals, times in its time unit with 3, the overshoot in % with 1.
std::array<std::string, 7> TextesMesures(const MesuresReponse& m, int q);
// An operating point: "n* = … T* = … P* = … stable", then, with a load
// trial's points, the distance from the nearest one.
std::vector<std::string> TextesPoint(const PointVue& p);

}  // namespace orvane
