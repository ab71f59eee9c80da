#include "main_window/calculation.h"

#include <gtest/gtest.h>

namespace {

using Mode = CalculationMode;

struct ResultCase {
    const char* name;
    EntryTexts texts;  // tp, fp, fn, tn, pre, dt, t
    Mode mode;
    const char* result;
};

}  // namespace

TEST(CalculationStep, ChoosesTheModeAndComputes) {
    const ResultCase cases[] = {
        {"counts", {"30", "10", "1", "1", "", "", ""}, Mode::Frequency, "75"},
        {"FN and TN unused", {"30", "10", "5000", "1e9", "", "", ""}, Mode::Frequency, "75"},
        {"percentages", {"", "", "", "", "10", "90", "10"}, Mode::Percentage, "50"},
        {"low prevalence", {"", "", "", "", "0.3", "50", "3"}, Mode::Percentage, "4.8"},
        {"full sensitivity", {"", "", "", "", "1", "100", "1"}, Mode::Percentage, "50.3"},
        {"whole population ill", {"", "", "", "", "100", "50", "7"}, Mode::Percentage, "100"},
        {"tiny prevalence", {"", "", "", "", "1e-300", "1e-300", "100"}, Mode::Percentage, "0"},
        // Complete counts win over the percentages, complete or not.
        {"both complete", {"30", "10", "1", "1", "10", "90", "10"}, Mode::Frequency, "75"},
        {"one percentage empty", {"30", "10", "1", "1", "10", "", "10"}, Mode::Frequency, "75"},
        {"fourth count 0", {"30", "10", "1", "0", "10", "90", "10"}, Mode::Percentage, "50"},
        {"fourth count empty", {"30", "10", "1", "", "10", "90", "10"}, Mode::Percentage, "50"},
        {"count infinite", {"1e999", "10", "1", "1", "10", "90", "10"}, Mode::Percentage, "50"},
        // Counts whose sum overflows still give their ratio.
        {"sum overflows", {"1e308", "1e308", "1", "1", "38", "1", "18"}, Mode::Frequency, "50"},
        {"sum overflows, uneven", {"1.5e308", "0.5e308", "1", "1", "", "", ""}, Mode::Frequency, "75"},
    };
    for (const ResultCase& c : cases) {
        const CalculationOutcome outcome = CalculationStep(c.texts);
        ASSERT_FALSE(outcome.showMessage) << c.name;
        EXPECT_EQ(outcome.mode, c.mode) << c.name;
        EXPECT_EQ(outcome.resultText, c.result) << c.name;
    }
}

TEST(CalculationStep, EmptiesTheUnusedSetInOrder) {
    using F = EntryField;
    EXPECT_EQ(CalculationStep({"30", "10", "1", "1", "10", "90", "10"}).fieldsToEmpty,
              (std::vector{F::preFld, F::dtFld, F::tFld}));
    EXPECT_EQ(CalculationStep({"30", "10", "1", "", "10", "90", "10"}).fieldsToEmpty,
              (std::vector{F::tpFld, F::fpFld, F::fnFld, F::tnFld}));
}

TEST(CalculationStep, AsksForValuesWhenNeitherSetIsComplete) {
    const std::pair<const char*, EntryTexts> cases[] = {
        {"all empty", {}},
        {"FN 0", {"30", "10", "0", "1", "", "", ""}},
        {"count and percentage missing", {"30", "", "1", "1", "10", "90", ""}},
        {"negative count", {"30", "-10", "1", "1", "", "", ""}},
        {"no leading number", {"30", "x10", "1", "1", "", "", ""}},
        {"negative percentage", {"", "", "", "", "10", "-90", "10"}},
        {"prevalence above 100", {"", "", "", "", "200", "50", "50"}},
        {"zero denominator", {"", "", "", "", "150", "50", "150"}},
        {"just above 100", {"", "", "", "", "100.0001", "50", "50"}},
        {"sensitivity above 100", {"", "", "", "", "10", "101", "10"}},
        {"infinite percentage", {"", "", "", "", "10", "90", "1e999"}},
        {"infinite count", {"30", "1e999", "1", "1", "", "", ""}},
    };
    for (const auto& [name, texts] : cases) {
        const CalculationOutcome outcome = CalculationStep(texts);
        EXPECT_TRUE(outcome.showMessage) << name;
        EXPECT_TRUE(outcome.fieldsToEmpty.empty()) << name;
        EXPECT_TRUE(outcome.resultText.empty()) << name;
    }
}

// Results that are exact ties at the shown decimal, while the doubles land a
// few bits below them.
TEST(CalculationStep, RoundsExactTiesAwayFromZero) {
    const std::pair<EntryTexts, const char*> ties[] = {
        {{"23", "57", "1", "1", "", "", ""}, "28.8"},    // 23/80 = 28.75 %
        {{"41", "39", "1", "1", "", "", ""}, "51.3"},    // 41/80 = 51.25 %
        {{"51", "29", "1", "1", "", "", ""}, "63.8"},    // 51/80 = 63.75 %
        {{"9", "1991", "1", "1", "", "", ""}, "0.5"},    // 9/2000 = 0.45 %
        {{"", "", "", "", "50", "8.2", "7.8"}, "51.3"},  // 8.2/16 = 51.25 %
        {{"", "", "", "", "50", "20.3", "19.7"}, "50.8"},  // 20.3/40 = 50.75 %
    };
    for (const auto& [texts, shown] : ties) EXPECT_EQ(CalculationStep(texts).resultText, shown) << texts.tp << texts.dt;

    // Every ratio a/(a+b) of small whole numbers, as counts a and b and as
    // the percentages a/10 and b/10 at a prevalence of 50, against its
    // tenths of a percent rounded half up in whole numbers.
    for (int a = 1; a <= 150; ++a) {
        for (int b = 1; b <= 150; ++b) {
            const int tenths = (2000 * a + (a + b)) / (2 * (a + b));
            const std::string shown = std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
            const auto percent = [](int n) { return std::to_string(n / 10) + "." + std::to_string(n % 10); };
            const EntryTexts counts{std::to_string(a), std::to_string(b), "1", "1", "", "", ""};
            const EntryTexts percents{"", "", "", "", "50", percent(a), percent(b)};
            ASSERT_EQ(CalculationStep(counts).resultText, shown) << a << " and " << b;
            ASSERT_EQ(CalculationStep(percents).resultText, shown) << a / 10.0 << " % and " << b / 10.0 << " %";
        }
    }
}
