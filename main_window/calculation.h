// The calculation of the positive predictive value: from the seven entry
// texts of the main window to either the message that asks for values or a
// result text and the fields to empty. It depends on nothing but the texts,
// so it runs without a window.
#pragma once

#include "framework/property_types.h"

#include <vector>

// The main window's eight fields: the four counts of the test-by-disorder
// table, the three percentages and the result.
enum class EntryField { tpFld, fpFld, fnFld, tnFld, preFld, dtFld, tFld, pppFld };

enum class CalculationMode { Frequency, Percentage };

// The entry fields' texts: true positives, false positives, false negatives,
// true negatives (counts); prevalence, percent positive among persons with
// the disorder, percent positive among persons without it (percentages).
struct EntryTexts {
    fw::String tp, fp, fn, tn, pre, dt, t;
};

// Either the message (showMessage; nothing else applies, no field is
// written) or a result: the fields of the unused set to empty, in order,
// and the text for the result field.
struct CalculationOutcome {
    bool showMessage = false;
    CalculationMode mode = CalculationMode::Frequency;
    std::vector<EntryField> fieldsToEmpty;
    fw::String resultText;
};

inline constexpr char kEnterValuesMessage[] = "Enter the 4 frequencies OR the 3 percentages.";

// Frequency mode when all four counts are complete (they win over the
// percentages), else percentage mode when all three percentages are, else
// the message. A count is complete when it is a finite number above 0, a
// percentage when it is above 0 and at most 100; so the result is always a
// percent from 0 to 100.
CalculationOutcome CalculationStep(const EntryTexts& texts);
