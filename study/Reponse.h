// Step-response measurements of a sampled quantity against time. No Qt.
#pragma once

#include <optional>
#include <vector>

namespace orvane {

struct MesuresReponse {
    std::optional<double> initiale;       // mean of the samples before the step
    std::optional<double> finale;         // mean of the last 10 % of the capture
    std::optional<double> debut;          // s: the last sample before it moves beyond 2 %
    std::optional<double> montee;         // s: 10 % to 90 % of the change
    std::optional<double> constante;      // s: from the start to 63.2 % of the change
    std::optional<double> depassement;    // % of the change
    std::optional<double> etablissement;  // s: from the start until it stays within ±5 %
};

// Times t (s, increasing) and values y of the same length:
// - final: the mean of the last 10 % of the samples (at least one);
// - the step's start: the time of the last sample before the first one that
//   lies beyond 2 % of the change (final − first sample) from the first
//   sample; initial: the mean of the samples up to the start, the change then
//   final − initial;
// - rise time: from 10 % to 90 % of the change; time constant: from the
//   start to 63.2 %; overshoot: the largest excursion beyond the final value
//   in the change's direction, in % of the change (0 when none); settling
//   time: from the start to the last time the quantity is outside ±5 % of the
//   change around the final value;
// - times between samples by linear interpolation.
// Nothing where a measure does not apply: fewer than 3 samples, lengths that
// differ, times that do not increase or values that are not finite (all
// nothing); no step (a change of zero, or no sample beyond the 2 % band:
// only the final value and, as initial value, the mean of every sample); a
// level never reached; still outside the ±5 % band at the last sample.
MesuresReponse MesurerReponse(const std::vector<double>& t, const std::vector<double>& y);

// The measurements of trial k (1..5) on quantity q against its time
// (quantity 11), both in the study's units; nothing for a trial or quantity
// out of range.
MesuresReponse MesurerEssai(int k, int q);

}  // namespace orvane
