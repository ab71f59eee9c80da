#include "main_window/calculation.h"

#include "framework/text.h"

#include <cmath>

namespace {

// The number of persons into which percentage mode turns the percentages.
constexpr int PopulationSize = 10000;
constexpr double kHundred = 100.0;
constexpr char kResultPattern[] = "###.#";

struct EntryValues {
    double tp, fp, fn, tn, pre, dt, t;
};

// Read one after the other, each text as it comes: counts row by row, then
// the percentages.
EntryValues ReadValues(const EntryTexts& texts) {
    EntryValues v{};
    v.tp = fw::Val(texts.tp);
    v.fp = fw::Val(texts.fp);
    v.fn = fw::Val(texts.fn);
    v.tn = fw::Val(texts.tn);
    v.pre = fw::Val(texts.pre);
    v.dt = fw::Val(texts.dt);
    v.t = fw::Val(texts.t);
    return v;
}

// An infinity (a pasted "1e999") would turn the ratio into NaN.
bool IsCount(double value) { return std::isfinite(value) && value > 0.0; }

// Above 100 the persons without the disorder would number below zero, and
// the "percent" would leave 0 to 100 or divide by zero. NaN and the
// infinities fail too.
bool IsPercentage(double value) { return value > 0.0 && value <= kHundred; }

bool CountsComplete(const EntryValues& v) {
    return IsCount(v.tp) && IsCount(v.fp) && IsCount(v.fn) && IsCount(v.tn);
}

bool PercentagesComplete(const EntryValues& v) {
    return IsPercentage(v.pre) && IsPercentage(v.dt) && IsPercentage(v.t);
}

// FN and TN take part only in the completeness test. Two finite counts
// whose sum overflows (pasted 300-digit numbers) would make the ratio 0;
// halving both is exact at that size and keeps the ratio, while any sum that
// fits takes the plain formula and its bits.
double FrequencyModeValue(const EntryValues& v) {
    if (std::isfinite(v.tp + v.fp)) return v.tp / (v.tp + v.fp);
    return (v.tp / 2) / (v.tp / 2 + v.fp / 2);
}

// Spreads the prevalence over a population and counts the positives in it.
// DT and T stay percentages: both products carry the same factor 100, which
// the ratio cancels. The order of the operations fixes the last bits.
double PercentageModeValue(const EntryValues& v) {
    const double share = v.pre / kHundred;
    const double cases = share * PopulationSize;
    const double truePositives = cases * v.dt;
    const double nonCases = PopulationSize - cases;
    const double falsePositives = nonCases * v.t;
    return truePositives / (truePositives + falsePositives);
}

CalculationOutcome Computed(CalculationMode mode, double positivePredictiveValue) {
    CalculationOutcome outcome;
    outcome.mode = mode;
    if (mode == CalculationMode::Frequency) {
        outcome.fieldsToEmpty = {EntryField::preFld, EntryField::dtFld, EntryField::tFld};
    } else {
        outcome.fieldsToEmpty = {EntryField::tpFld, EntryField::fpFld, EntryField::fnFld,
                                 EntryField::tnFld};
    }
    outcome.resultText = fw::Format(positivePredictiveValue * kHundred, kResultPattern);
    return outcome;
}

}  // namespace

CalculationOutcome CalculationStep(const EntryTexts& texts) {
    const EntryValues values = ReadValues(texts);
    if (CountsComplete(values)) {
        return Computed(CalculationMode::Frequency, FrequencyModeValue(values));
    }
    if (PercentagesComplete(values)) {
        return Computed(CalculationMode::Percentage, PercentageModeValue(values));
    }
    CalculationOutcome message;
    message.showMessage = true;
    return message;
}
