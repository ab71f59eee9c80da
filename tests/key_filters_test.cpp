#include "main_window/key_filters.h"
#include "tests/gui_test_support.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* key;
    bool wholeNumberTakes;
    bool decimalTakes;
};

// Every key the field does not take beeps once and is swallowed; every key it
// takes passes silently.
void ExpectRule(KeyRule rule, const char* key, bool takes) {
    const int beepsBefore = TestDesktop().beeps;
    EXPECT_EQ(FilterKey(rule, key), !takes) << "key \"" << key << "\"";
    EXPECT_EQ(TestDesktop().beeps - beepsBefore, takes ? 0 : 1) << "key \"" << key << "\"";
}

}  // namespace

TEST(FilterKey, LetsThroughOnlyWhatANumberNeeds) {
    const KeyCase cases[] = {
        // Digits, and the characters just outside them.
        {"0", true, true}, {"5", true, true}, {"9", true, true}, {"/", false, false},
        {":", false, false},
        // The decimal point only where decimals belong.
        {".", false, true},
        // Signs, separators, exponents and blanks cannot be typed.
        {" ", false, false}, {"+", false, false}, {"-", false, false}, {",", false, false},
        {"e", false, false}, {"A", false, false}, {"z", false, false}, {"é", false, false},
        // Editing and navigation keys arrive as control characters or DEL.
        {"\b", true, true}, {"\t", true, true}, {"\r", true, true}, {"\x1b", true, true},
        {"\x1c", true, true}, {"\x7f", true, true}, {"", true, true},
    };
    for (const KeyCase& c : cases) {
        ExpectRule(KeyRule::WholeNumber, c.key, c.wholeNumberTakes);
        ExpectRule(KeyRule::Decimal, c.key, c.decimalTakes);
    }
}
