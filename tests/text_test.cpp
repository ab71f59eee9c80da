#include "framework/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ValCase {
    std::string text;
    double expected;
};

void ExpectVal(const ValCase& c) {
    EXPECT_EQ(fw::Val(c.text), c.expected) << "text: \"" << c.text.substr(0, 40) << "\"";
}

// Puts the process locale back however the test ends.
class LocaleGuard {
public:
    LocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

}  // namespace

TEST(Val, ReadsTheNumberATextBeginsWith) {
    const ValCase cases[] = {
        {"42", 42},       {" \t7", 7},    {"+5", 5},        {"-2.5", -2.5},   {".5", 0.5},
        {"5.", 5},        {"0.3", 0.3},   {"1.2.3", 1.2},   {"12abc", 12},    {"1,5", 1},
        {"1e3", 1000},    {"2E-2", 0.02}, {"1e", 1},        {"1e+", 1},       {"1ex", 1},
        {"5é", 5},        {"1 2", 1},
    };
    for (const ValCase& c : cases) ExpectVal(c);
}

TEST(Val, GivesZeroWithoutALeadingNumber) {
    const ValCase cases[] = {
        {"", 0},   {"   ", 0}, {".", 0},   {"-", 0},    {"abc", 0},  {"nan", 0},
        {"inf", 0}, {"-inf", 0}, {"0x10", 0}, {"- 5", 0}, {"+-5", 0}, {"é5", 0},
        {"\xff\xfe", 0},
    };
    for (const ValCase& c : cases) ExpectVal(c);
    EXPECT_TRUE(std::signbit(fw::Val("-0")));
}

TEST(Val, SaturatesNumbersBeyondADouble) {
    const std::string megabyte(1'000'000, '9');
    const ValCase cases[] = {
        {"1e999", kInf},
        {"-1e999", -kInf},
        {"1e-999", 0},
        {megabyte, kInf},
        {"0." + std::string(1'000'000, '0') + "1", 0},
        {"1" + std::string(1'000'000, '0') + "e-1000000", 1},
        {"1e" + megabyte, kInf},
        {"1e-" + megabyte, 0},
        {"0e" + megabyte, 0},
    };
    for (const ValCase& c : cases) ExpectVal(c);
}

TEST(Val, IgnoresADecimalCommaLocale) {
    LocaleGuard guard;
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale here";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    EXPECT_EQ(fw::Val("0.3"), 0.3);
    EXPECT_EQ(fw::Val("1,5"), 1);
    EXPECT_EQ(fw::Format(4.775549, "###.#"), "4.8");
}

TEST(Format, RendersByPattern) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {75, "###.#", "75"},
        {12.25, "###.#", "12.3"},
        {0.15, "###.#", "0.2"},
        {28.749999999999996, "###.#", "28.8"},  // 23 / 80 * 100, a tie missed in the last bits
        {28.7499999999999, "###.#", "28.7"},  // no tie in the first 15 digits
        {1.2345678901234568e17, "###.#", "123456789012345680"},  // more than 15 digits shown
        {4.775549, "###.#", "4.8"},
        {50.25126, "###.#", "50.3"},
        {0.5, "###.#", "0.5"},
        {0.04, "###.#", "0"},
        {-3.25, "###.#", "-3.3"},
        {-0.04, "###.#", "0"},
        {-0.0, "###.#", "0"},
        {9.96, "###.#", "10"},
        {1234.56, "###.#", "1234.6"},
        {1e22, "###.#", "10000000000000000000000"},
        {kInf, "###.#", "Infinity"},
        {-kInf, "###.#", "-Infinity"},
        {std::nan(""), "###.#", "NaN"},
        {0.5, "0.00", "0.50"},
        {7, "000", "007"},
        {1, "#.0#", "1.0"},
        {1.257, "#.0#", "1.26"},
        {2.5, "#", "3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fw::Format(c.value, c.pattern), c.expected) << c.value << " by " << c.pattern;
    }
}

TEST(Asc, GivesTheFirstCodePoint) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},           {"Ab", 65},           {"\x7f", 127},        {"é", 0xE9},
        {"€", 0x20AC},     {"😀", 0x1F600},      {"\x80", 0xFFFD},     {"\xC3", 0xFFFD},
        {"\xC0\xAF", 0xFFFD}, {"\xED\xA0\x80", 0xFFFD}, {"\xF4\x90\x80\x80", 0xFFFD},
        {"\xC3(", 0xFFFD},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(fw::Asc(text), code) << text;
}

TEST(StrComp, OrdersByCodePointCaseSensitively) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"a", "a", 0},  {"a", "b", -1}, {"b", "a", 1},   {"", "0", -1}, {"5", "9", -1},
        {"a", "B", 1},  {"é", "z", 1},  {"9x", "9", 1}, {"ab", "abc", -1},
    };
    for (const auto& [a, b, order] : cases) EXPECT_EQ(fw::StrComp(a, b), order) << a << " vs " << b;
}
