#include "framework/exceptions.h"
#include "framework/property_encoder.h"
#include "framework/property_stream.h"
#include "fuzz/seeds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Raw(std::string_view text) { return Bytes(text.begin(), text.end()); }

template <class... Parts>
Bytes Join(const Parts&... parts) {
    Bytes out;
    (out.insert(out.end(), parts.begin(), parts.end()), ...);
    return out;
}

// A key, its blank and the value's bytes, as written by hand.
Bytes Entry(std::string_view key, std::initializer_list<std::uint8_t> value) {
    return Join(Raw(key), Bytes{' '}, Bytes(value));
}

Bytes AsBytes(fw::PropertyStreamView stream) { return Bytes(stream.begin(), stream.end()); }

template <class F>
Bytes Encoded(F) {
    return AsBytes(fw::PropertyStream(F{}));
}

std::vector<fw::PropertyEntry> ReadAll(fw::PropertyStreamView stream) {
    std::vector<fw::PropertyEntry> entries;
    fw::ReadPropertyStream(stream, [&](const fw::PropertyEntry& entry) { entries.push_back(entry); });
    return entries;
}

std::string FailureOf(const Bytes& stream) {
    try {
        ReadAll(stream);
    } catch (const fw::UnsupportedFormatException& e) {
        return e.what();
    }
    return "(read without an exception)";
}

// Streams live at namespace scope, as in the application: clang 14 crashes on
// two compile-time streams inside one function body.
inline constexpr auto kTwoByteStream = fw::PropertyStream([] { return std::array{
    fw::Prop("Value", "\u00A92020"),
    fw::Prop("Visible", true),
}; });

inline constexpr auto kTwiceStream = fw::PropertyStream([] { return std::array{
    fw::Prop("Transparent", true),
    fw::Prop("DoubleBuffer", false),
    fw::Prop("Transparent", true),
}; });

static_assert(kTimer1Stream.size() == 31);

inline constexpr auto kReversedLabelStream = fw::PropertyStream([] {
    auto entries = LabelEntries();
    std::reverse(entries.begin(), entries.end());
    return entries;
});

}  // namespace

// Each row: the encoder's bytes for one entry equal the bytes computed by
// hand, and reading those bytes gives the value back.
TEST(PropertyStream, EncodesAndReadsEachType) {
    struct Case {
        const char* what;
        Bytes encoded;
        Bytes expected;
        fw::PropertyValue value;
    };
    const Case cases[] = {
        {"integer", Encoded([] { return std::array{fw::Prop("Period", 4000)}; }),
         Entry("Period", {0xA0, 0x0F, 0, 0, 0, 0, 0, 0}), std::int64_t{4000}},
        {"negative integer", Encoded([] { return std::array{fw::Prop("Top", -11)}; }),
         Entry("Top", {0xF5, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), std::int64_t{-11}},
        {"no index", Encoded([] { return std::array{fw::Prop("Index", -2147483648)}; }),
         Entry("Index", {0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}), std::int64_t{-2147483648}},
        {"double 2.0", Encoded([] { return std::array{fw::Prop("BorderThickness", 2.0)}; }),
         Entry("BorderThickness", {0, 0, 0, 0, 0, 0, 0x00, 0x40}), 2.0},
        {"double 1.0", Encoded([] { return std::array{fw::Prop("LineSpacing", 1.0)}; }),
         Entry("LineSpacing", {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), 1.0},
        {"single 10", Encoded([] { return std::array{fw::Prop("FontSize", 10.0f)}; }),
         Entry("FontSize", {0x00, 0x00, 0x20, 0x41}), 10.0f},
        {"single 11", Encoded([] { return std::array{fw::Prop("FontSize", 11.0f)}; }),
         Entry("FontSize", {0x00, 0x00, 0x30, 0x41}), 11.0f},
        {"single 12 from an integer", Encoded([] { return std::array{fw::Prop("FontSize", 12)}; }),
         Entry("FontSize", {0x00, 0x00, 0x40, 0x41}), 12.0f},
        {"single 14", Encoded([] { return std::array{fw::Prop("FontSize", 14.0f)}; }),
         Entry("FontSize", {0x00, 0x00, 0x60, 0x41}), 14.0f},
        {"single 28", Encoded([] { return std::array{fw::Prop("FontSize", 28.0f)}; }),
         Entry("FontSize", {0x00, 0x00, 0xE0, 0x41}), 28.0f},
        {"true", Encoded([] { return std::array{fw::Prop("Visible", true)}; }), Entry("Visible", {1}), true},
        {"false", Encoded([] { return std::array{fw::Prop("Bold", false)}; }), Entry("Bold", {0}), false},
        {"small enumeration", Encoded([] { return std::array{fw::Prop("FontUnit", 200)}; }), Entry("FontUnit", {0xC8}),
         std::uint8_t{200}},
        {"colour", Encoded([] { return std::array{fw::Prop("TextColor", fw::Color{0xCD, 0x22, 0x18, 0})}; }),
         Entry("TextColor", {0xCD, 0x22, 0x18, 0x00}), fw::Color{0xCD, 0x22, 0x18, 0}},
        {"empty string", Encoded([] { return std::array{fw::Prop("Title", "")}; }), Entry("Title", {0, 0, 0, 0}),
         std::string_view()},
        {"string", Encoded([] { return std::array{fw::Prop("Caption", "Clear")}; }),
         Entry("Caption", {5, 0, 0, 0, 'C', 'l', 'e', 'a', 'r'}), std::string_view("Clear")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.encoded, c.expected);
        const auto entries = ReadAll(c.expected);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].value, c.value);
        EXPECT_EQ(entries[0].offset, 0u);
    }
}

TEST(PropertyStream, ReadsTheTimerStreamToItsEnd) {
    const auto entries = ReadAll(kTimer1Stream);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].key, "Period");
    EXPECT_EQ(entries[0].value, fw::PropertyValue(std::int64_t{4000}));
    EXPECT_EQ(entries[1].key, "RunMode");
    EXPECT_EQ(entries[1].value, fw::PropertyValue(std::int64_t{1}));
    EXPECT_EQ(entries[1].offset, 15u);
    EXPECT_EQ(fw::kPropertyKeys[entries[1].keyIndex].name, "RunMode");
}

TEST(PropertyStream, StringCountsBytesNotCharacters) {
    EXPECT_EQ(Bytes(kTwoByteStream.begin() + 6, kTwoByteStream.begin() + 10), (Bytes{6, 0, 0, 0}));
    const auto entries = ReadAll(kTwoByteStream);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].value, fw::PropertyValue(std::string_view("\u00A92020")));
    EXPECT_EQ(entries[1].offset, 16u);
    EXPECT_EQ(entries[1].value, fw::PropertyValue(true));
}

TEST(PropertyStream, KeyThatStandsTwiceIsReadTwice) {
    const auto entries = ReadAll(kTwiceStream);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].key, "Transparent");
    EXPECT_EQ(entries[2].key, "Transparent");
    EXPECT_EQ(entries[2].offset, kTwiceStream.size() - 13);
}

TEST(PropertyStream, OrderOfKeysDoesNotChangeTheValues) {
    const auto byKey = [](fw::PropertyStreamView stream) {
        std::map<std::string_view, fw::PropertyValue> values;
        for (const fw::PropertyEntry& entry : ReadAll(stream)) values.emplace(entry.key, entry.value);
        return values;
    };
    ASSERT_NE(AsBytes(kLabelStream), AsBytes(kReversedLabelStream));
    const auto values = byKey(kLabelStream);
    EXPECT_EQ(values.size(), LabelEntries().size());
    EXPECT_EQ(values, byKey(kReversedLabelStream));
}

TEST(PropertyStream, ApplyExceptionPassesThroughAfterEarlierEntries) {
    struct Refused {};
    int applied = 0;
    EXPECT_THROW(fw::ReadPropertyStream(kTimer1Stream,
                                        [&](const fw::PropertyEntry& entry) {
                                            if (entry.key == "RunMode") throw Refused{};
                                            ++applied;
                                        }),
                 Refused);
    EXPECT_EQ(applied, 1);
}

TEST(PropertyKeys, LookupIgnoresLetterCase) {
    const struct {
        const char* name;
        const char* found;
    } cases[] = {
        {"Multiline", "Multiline"}, {"MultiLine", "Multiline"}, {"MULTILINE", "Multiline"},
        {"MacProcId", "MacProcID"}, {"fontsize", "FontSize"},   {"Multilin", nullptr},
        {"Multiline ", nullptr},    {"", nullptr},              {"Colour", nullptr},
    };
    for (const fw::PropertyKey& key : fw::kPropertyKeys) {
        std::string upper(key.name), lower(key.name);
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(fw::FindPropertyKey(upper), &key) << upper;
        EXPECT_EQ(fw::FindPropertyKey(lower), &key) << lower;
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fw::PropertyKey* key = fw::FindPropertyKey(c.name);
        if (c.found == nullptr) {
            EXPECT_EQ(key, nullptr);
        } else {
            ASSERT_NE(key, nullptr);
            EXPECT_EQ(key->name, c.found);
        }
    }
}

// The encoder's checks: a value whose C++ type does not fit the key's type
// makes no entry, so Prop stops the build.
namespace {
constexpr fw::PropertyKey Key(std::string_view name) { return fw::kPropertyKeys[fw::PropertyKeyIndex(name)]; }
}  // namespace
static_assert(fw::detail::MakeLiteral(Key("FontSize"), 16777216));
static_assert(!fw::detail::MakeLiteral(Key("FontSize"), 16777217));  // not exact in a float
static_assert(!fw::detail::MakeLiteral(Key("FontSize"), 12.0));
static_assert(!fw::detail::MakeLiteral(Key("LineSpacing"), 1));
static_assert(!fw::detail::MakeLiteral(Key("LineSpacing"), 1.0f));
static_assert(!fw::detail::MakeLiteral(Key("Top"), 1.5));
static_assert(!fw::detail::MakeLiteral(Key("Top"), true));
static_assert(!fw::detail::MakeLiteral(Key("Top"), 'a'));
static_assert(!fw::detail::MakeLiteral(Key("Top"), 18446744073709551615u));
static_assert(!fw::detail::MakeLiteral(Key("Visible"), 1));
static_assert(!fw::detail::MakeLiteral(Key("FontUnit"), 256));
static_assert(!fw::detail::MakeLiteral(Key("FontUnit"), -1));
static_assert(!fw::detail::MakeLiteral(Key("TextColor"), 0));
static_assert(!fw::detail::MakeLiteral(Key("Name"), fw::Color{}));
static_assert(!fw::detail::MakeLiteral(Key("Width"), "515"));

TEST(PropertyStream, MalformedStreamsNameKeyAndOffset) {
    const Bytes visible = Entry("Visible", {1});
    const struct {
        const char* what;
        Bytes stream;
        std::vector<std::string> mentions;
    } cases[] = {
        {"integer cut short", Join(visible, Entry("Top", {0xF5, 0xFF, 0xFF})), {"\"Top\" at byte 13", "past the end"}},
        {"double cut short", Entry("LineSpacing", {0, 0, 0, 0, 0, 0, 0xF0}), {"\"LineSpacing\" at byte 12"}},
        {"single cut short", Entry("FontSize", {0, 0, 0x40}), {"\"FontSize\" at byte 9"}},
        {"boolean missing", Join(visible, Entry("Bold", {})), {"\"Bold\" at byte 14", "past the end"}},
        {"enumeration missing", Entry("FontUnit", {}), {"\"FontUnit\" at byte 9"}},
        {"colour cut short", Entry("TextColor", {0xCD, 0x22}), {"\"TextColor\" at byte 10"}},
        {"string cut short", Entry("Value", {5, 0, 0, 0, 'a', 'b', 'c'}), {"\"Value\" at byte 6", "counts 5 bytes"}},
        {"count cut short", Join(visible, Entry("Value", {2, 0})), {"\"Value\" at byte 15", "past the end"}},
        {"boolean not 0 or 1", Entry("Visible", {2}), {"\"Visible\" at byte 8", "is 2"}},
        {"unknown key", Join(visible, Entry("Colour", {0, 0, 0, 0})), {"\"Colour\" at byte 9", "unknown"}},
        {"no blank", Join(visible, Raw("Visible")), {"\"Visible\" at byte 9", "no blank"}},
        {"empty key", Join(visible, Entry("", {1})), {"\"\" at byte 9", "empty"}},
        {"control byte in a key", Raw("Vis\x01ible \x01"), {"\"Vis\\x01ible\" at byte 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string message = FailureOf(c.stream);
        EXPECT_EQ(message.rfind("property stream: ", 0), 0u) << message;
        const std::string size = "(stream is " + std::to_string(c.stream.size()) + " bytes)";
        EXPECT_NE(message.find(size), std::string::npos) << message;
        for (const std::string& mention : c.mentions) EXPECT_NE(message.find(mention), std::string::npos) << message;
    }
}

// The fuzz target starts from the streams in fuzz/corpus/, which must be what
// the encoder makes of fuzz/seeds.h. The test only reads them:
// fuzz/write_seeds.sh writes them anew.
TEST(PropertyStream, FuzzSeedsMatchTheEncoder) {
    const auto corpus = std::filesystem::path(__FILE__).parent_path().parent_path() / "fuzz" / "corpus";
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no " << corpus;
    for (const FuzzSeed& seed : kFuzzSeeds) {
        std::ifstream in(corpus / seed.name, std::ios::binary);
        const Bytes committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(committed, AsBytes(seed.stream))
            << (corpus / seed.name) << " is not what the encoder makes; run fuzz/write_seeds.sh and commit it";
    }
}
