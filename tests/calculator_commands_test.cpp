#include "main_window/calculator_commands.h"
#include "tests/gui_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

const char* Name(EntryField field) {
    static constexpr std::array kNames = {"tp", "fp", "fn", "tn", "pre", "dt", "t", "ppp"};
    return kNames[static_cast<std::size_t>(field)];
}

// Eight texts, and a record of every call in the order made.
class FakeFields : public EntryFields {
public:
    std::array<fw::String, 8> texts;
    std::vector<std::string> calls;

    fw::String& operator[](EntryField field) { return texts[static_cast<std::size_t>(field)]; }

    fw::String Text(EntryField field) override {
        calls.push_back(std::string("read ") + Name(field));
        return (*this)[field];
    }
    void SetText(EntryField field, const fw::String& text) override {
        calls.push_back(std::string("set ") + Name(field) + "=" + text);
        (*this)[field] = text;
    }
    void SetFocus(EntryField field) override { calls.push_back(std::string("focus ") + Name(field)); }
};

const std::vector<std::string> kReads = {"read tp",  "read fp", "read fn", "read tn",
                                         "read pre", "read dt", "read t"};

std::vector<std::string> ReadsThen(std::vector<std::string> more) {
    std::vector<std::string> calls = kReads;
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

}  // namespace

TEST(CalculateBtn_Action, EmptiesTheUnusedSetThenWritesTheResult) {
    FakeFields fields;
    fields.texts = {"30", "10", "1", "1", "10", "90", "10", ""};
    CalculateBtn_Action(fields);
    EXPECT_EQ(fields.calls, ReadsThen({"set pre=", "set dt=", "set t=", "set ppp=75"}));

    fields.texts = {"30", "10", "", "1", "10", "90", "10", "75"};
    fields.calls.clear();
    CalculateBtn_Action(fields);
    EXPECT_EQ(fields.calls,
              ReadsThen({"set tp=", "set fp=", "set fn=", "set tn=", "set ppp=50"}));
}

TEST(CalculateBtn_Action, MessageLeavesEveryFieldAndFocusesTheFirstCount) {
    FakeFields fields;
    fields.texts = {"30", "10", "0", "1", "", "", "", "62.5"};
    const auto before = fields.texts;
    CalculateBtn_Action(fields);
    ASSERT_EQ(TestDesktop().messages.size(), 1u);
    EXPECT_EQ(TestDesktop().messages[0].text, kEnterValuesMessage);
    EXPECT_EQ(fields.calls, ReadsThen({"focus tp"}));
    EXPECT_EQ(fields.texts, before);
}

TEST(ClearBtn_Action, EmptiesAllEightFieldsThenFocusesTheFirstCount) {
    FakeFields fields;
    fields.texts = {"30", "10", "1", "1", "10", "90", "10", "75"};
    ClearBtn_Action(fields);
    EXPECT_EQ(fields.calls, (std::vector<std::string>{"set tp=", "set fp=", "set fn=", "set tn=",
                                                      "set pre=", "set dt=", "set t=", "set ppp=",
                                                      "focus tp"}));
}
