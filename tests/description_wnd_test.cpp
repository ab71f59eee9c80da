// The Description window: its explanatory text, the window and text areas
// built from layout data, the bold title line, the menu handlers and
// printing.
#include "shell/description_wnd.h"

#include "framework/application.h"
#include "framework/property_stream.h"
#include "framework/text_area.h"
#include "framework/window_impl.h"
#include "main_window/calculation.h"
#include "main_window/control_wnd.h"
#include "resources/description_wnd_layout.h"
#include "shell/about_wnd.h"
#include "shell/menu.h"
#include "tests/gui_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string Line(std::size_t number) { return std::string(DescriptionLine(number)); }

std::size_t Occurrences(const std::string& text, const std::string& word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
    return count;
}

TEST(DescriptionText, HasTheLinesInTheirPlaces) {
    EXPECT_EQ(Line(1), "Tesmora");
    for (std::size_t empty : {2, 4, 8, 10, 13, 14, 15, 18, 20}) EXPECT_EQ(Line(empty), "") << "line " << empty;
    EXPECT_EQ(Line(6), " ");
    EXPECT_EQ(Line(16), std::string(15, ' ') + std::string(38, '*'));
    EXPECT_EQ(Line(3).back(), ':');
    EXPECT_EQ(Occurrences(Line(3), ". "), 0u) << "one sentence";
    EXPECT_EQ(Line(5).back(), '?');
    EXPECT_EQ(Line(11), "Reference");
    EXPECT_FALSE(Line(21).empty());
    EXPECT_TRUE(kDescriptionText.ends_with("\r" + Line(21))) << "21 is the last line";
}

TEST(DescriptionText, HoldsTheRequiredPhrasesWordForWord) {
    const struct {
        std::size_t line;
        const char* phrase;
    } cases[] = {
        {5, "hemoccult"},
        {5, "colorectal cancer"},
        {5, "0.3 percent"},
        {5, "50 percent"},
        {5, "3 percent"},
        {7, "Gigerenzer (2002)"},
        {7, "24 physicians, only 1 gave the correct answer of around 5 percent"},
        {7, "\"positive predictive value--the probability of having the disease conditional on a positive test "
            "result\""},
        {9, "\"population prevalence (0.3%)\""},
        {9, "\"sensitivity (50%)\""},
        {9, "\"false positive rate (3%)\""},
        {9, "all 4 test-disorder combinations"},
        {9, "the 4 appropriate cells"},
        {12, "Gigerenzer, G. (2002). Calculated risks: How to know when numbers deceive you. New York: Simon & "
             "Schuster."},
        {17, "Tesmora, version 3.0. Copyright (c) 2019-2020 The Tesmora Authors."},
        {19, "Reference as: The Tesmora Authors (2020). Tesmora [Computer software]. Uppsala: Tesmora Project."},
        {21, "expressed or implied"},
        {21, "merchantability or fitness for a particular purpose"},
        {21, "professional care and judgment"},
        {21, "necessary professional qualifications"},
        {21, "complete responsibility for any decisions"},
        {21, "no liability towards the user or any third party"},
        {21, "miscalculation or misuse"},
    };
    for (const auto& c : cases) EXPECT_NE(Line(c.line).find(c.phrase), std::string::npos) << c.line << ": " << c.phrase;
}

TEST(DescriptionText, TheDisclaimerNamesTheProductFiveTimes) {
    EXPECT_EQ(Occurrences(Line(21), kProductName), 5u);
}

// The percentages the entry hint quotes are the worked problem's, and typed
// into the main window they give the answer the text reports.
TEST(DescriptionText, TheWorkedProblemsNumbersGiveAroundFivePercent) {
    const std::string hint = Line(9);
    std::smatch pre, dt, t;
    ASSERT_TRUE(std::regex_search(hint, pre, std::regex(R"(population prevalence \(([0-9.]+)%\))")));
    ASSERT_TRUE(std::regex_search(hint, dt, std::regex(R"(sensitivity \(([0-9.]+)%\))")));
    ASSERT_TRUE(std::regex_search(hint, t, std::regex(R"(false positive rate \(([0-9.]+)%\))")));
    for (const std::string& value : {pre[1].str(), dt[1].str(), t[1].str()})
        EXPECT_NE(Line(5).find(" " + value + " percent"), std::string::npos) << value;

    const CalculationOutcome outcome = CalculationStep({"", "", "", "", pre[1], dt[1], t[1]});
    ASSERT_FALSE(outcome.showMessage);
    EXPECT_EQ(outcome.resultText, "4.8");
    EXPECT_NE(Line(7).find("around 5 percent"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Layout data

std::vector<std::string> Keys(fw::PropertyStreamView stream) {
    std::vector<std::string> keys;
    fw::ReadPropertyStream(stream, [&](const fw::PropertyEntry& entry) { keys.emplace_back(entry.key); });
    return keys;
}

std::map<std::string, fw::PropertyValue> Values(fw::PropertyStreamView stream) {
    std::map<std::string, fw::PropertyValue> values;
    fw::ReadPropertyStream(stream, [&](const fw::PropertyEntry& entry) { values[std::string(entry.key)] = entry.value; });
    return values;
}

TEST(DescriptionLayout, TheWindowStreamHoldsTheTwentyTwoWindowKeysInOrder) {
    EXPECT_EQ(Keys(kDescriptionWndStream),
              (std::vector<std::string>{"Width", "Height", "MinimumWidth", "MinimumHeight", "MaximumWidth",
                                        "MaximumHeight", "Type", "Title", "HasCloseButton", "HasMaximizeButton",
                                        "HasMinimizeButton", "HasFullScreenButton", "Resizeable", "Composite",
                                        "MacProcID", "FullScreen", "DefaultLocation", "Visible", "HasBackgroundColor",
                                        "BackgroundColor", "MenuBarVisible", "LiveResize"}));
}

TEST(DescriptionLayout, TheTextAreaStreamsShareTheirKeyOrderAndDifferOnlyWhereTheyMust) {
    const std::vector<std::string> order = {
        "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabIndex", "TabPanelIndex", "TabStop", "Enabled", "Format", "HideSelection", "LineHeight", "LineSpacing",
        "Multiline", "TextColor", "Transparent", "Visible", "Bold", "Italic", "Underline", "ReadOnly", "DataSource",
        "DataField", "InitialParent", "AllowAutoDeactivate", "BackgroundColor", "HasBorder", "Tooltip",
        "HasHorizontalScrollbar", "HasVerticalScrollbar", "AllowStyledText", "AllowFocusRing", "FontName", "FontSize",
        "FontUnit", "Value", "AllowTabs", "TextAlignment", "AllowSpellChecking", "MaximumCharactersAllowed",
        "ValidationMask"};
    EXPECT_EQ(Keys(kDescribeFldStream), order);
    EXPECT_EQ(Keys(kDescribeFld2Stream), order);

    auto first = Values(kDescribeFldStream), second = Values(kDescribeFld2Stream);
    std::vector<std::string> differing;
    for (const auto& [key, value] : first)
        if (second.at(key) != value) differing.push_back(key);
    EXPECT_EQ(differing, (std::vector<std::string>{"Height", "Name", "ReadOnly", "TabIndex", "Value", "Width"}));
    EXPECT_EQ(std::get<std::string_view>(second.at("Value")), kDescriptionText);
}

// The longest stream of the system, read to exactly its last byte.
TEST(DescriptionLayout, TheTextStreamIs3120BytesAndReadsToItsEnd) {
    ASSERT_EQ(kDescribeFld2Stream.size(), 3120u);
    std::size_t lastOffset = 0;
    fw::ReadPropertyStream(kDescribeFld2Stream, [&](const fw::PropertyEntry& entry) { lastOffset = entry.offset; });
    EXPECT_EQ(lastOffset + std::string_view("ValidationMask ").size() + 4, 3120u);
}

// ---------------------------------------------------------------------------
// The window

QRect InWindow(const fw::RectControl& control, const fw::Window& window) {
    return QRect(control.Widget()->mapTo(window.Impl().content, QPoint(0, 0)), control.Widget()->size());
}

bool IsReadOnly(const fw::TextArea& area) { return static_cast<QTextEdit*>(area.Widget())->isReadOnly(); }

// Whether exactly the title line, the product name, is bold in the text
// area's document.
::testing::AssertionResult OnlyTheTitleIsBold(const fw::TextArea& area) {
    QTextCursor cursor(static_cast<QTextEdit*>(area.Widget())->document());
    const auto title = static_cast<int>(std::string_view(kProductName).size());
    // Past each character in turn: the cursor has the format of the one before it.
    for (int at = 0; cursor.movePosition(QTextCursor::NextCharacter); ++at)
        if ((cursor.charFormat().fontWeight() >= QFont::Bold) != (at < title))
            return ::testing::AssertionFailure() << "character " << at;
    return ::testing::AssertionSuccess();
}

TEST(DescriptionWindow, IsBuiltFromItsLayoutData) {
    auto window = DescriptionWnd();
    EXPECT_EQ(window->Title(), "Description");
    EXPECT_EQ(window->Width(), 427);
    EXPECT_EQ(window->Height(), 491);
    EXPECT_TRUE(window->Resizeable());
    EXPECT_TRUE(window->IsVisible());

    const fw::TextArea& below = window->DescribeFld();
    const fw::TextArea& text = window->DescribeFld2();
    EXPECT_EQ(InWindow(below, *window), QRect(-1, -1, 427, 478));
    EXPECT_EQ(InWindow(text, *window), QRect(-1, -1, 429, 476));
    EXPECT_TRUE(IsReadOnly(below));
    EXPECT_FALSE(IsReadOnly(text));
    EXPECT_EQ(below.Text(), "");
    EXPECT_EQ(text.Text(), kDescriptionText);
    // The text lies above the empty field.
    const QObjectList& stack = window->Impl().content->children();
    EXPECT_GT(stack.indexOf(text.Widget()), stack.indexOf(below.Widget()));
}

TEST(DescriptionWindow, OpensWithExactlyTheProductNameBoldAndSelected) {
    auto window = DescriptionWnd();
    const fw::TextArea& text = window->DescribeFld2();
    EXPECT_TRUE(OnlyTheTitleIsBold(text));
    EXPECT_EQ(text.SelStart(), 0);
    EXPECT_EQ(text.SelLength(), 7);
    // The focus is in the text, not in the read-only field beneath it.
    EXPECT_EQ(text.Widget()->window()->focusWidget(), text.Widget());
}

// The bold is the window's doing, not an edit of the user's: Undo has
// nothing to take back at first, and taking back the user's typing leaves
// the title bold.
TEST(DescriptionWindow, UndoTakesBackTheUsersEditsButNotTheBoldTitle) {
    auto window = DescriptionWnd();
    fw::TextArea& text = window->DescribeFld2();
    EXPECT_FALSE(text.CanDo(fw::TextEdit::EditCommand::Undo));

    text.SetSelStart(std::int64_t(kDescriptionText.size()));
    text.SetSelLength(0);
    QTest::keyClicks(text.Widget(), "!");
    ASSERT_TRUE(text.CanDo(fw::TextEdit::EditCommand::Undo));
    text.Do(fw::TextEdit::EditCommand::Undo);
    EXPECT_EQ(text.Text(), kDescriptionText);
    EXPECT_TRUE(OnlyTheTitleIsBold(text));
    EXPECT_FALSE(text.CanDo(fw::TextEdit::EditCommand::Undo));
}

TEST(DescriptionWindow, IsOneWindowUntilClosedAndThenComesBackWithoutTheEdits) {
    auto window = DescriptionWnd();
    EXPECT_EQ(DescriptionWnd(), window);
    window->Show();
    EXPECT_EQ(DescriptionWnd(), window);

    window->DescribeFld2().SetText("my own notes");
    window->Close();

    auto reopened = DescriptionWnd();
    EXPECT_NE(reopened, window);
    EXPECT_EQ(reopened->DescribeFld2().Text(), kDescriptionText);
    EXPECT_TRUE(OnlyTheTitleIsBold(reopened->DescribeFld2()));
}

TEST(DescriptionWindow, BothTextAreasFollowEveryEdgeWhenResized) {
    auto window = DescriptionWnd();
    QWidget& frame = *window->Impl().frame;
    for (const QSize change : {QSize(100, 50), QSize(-200, -300)}) {
        const QSize before(int(window->Width()), int(window->Height()));
        frame.resize(frame.size() + change);
        ASSERT_EQ(QSize(int(window->Width()), int(window->Height())), before + change);
        const QSize grown = QSize(int(window->Width()), int(window->Height())) - QSize(427, 491);
        EXPECT_EQ(InWindow(window->DescribeFld(), *window), QRect(QPoint(-1, -1), QSize(427, 478) + grown));
        EXPECT_EQ(InWindow(window->DescribeFld2(), *window), QRect(QPoint(-1, -1), QSize(429, 476) + grown));
    }
}

TEST(DescriptionWindow, HandlesExactlyItsTableEvents) {
    auto window = DescriptionWnd();
    for (const char* event : {"AddMenuHandlers", "CreateControls", "EnableMenuItems", "Layout", "Open"})
        EXPECT_TRUE(window->IsEventImplemented(event)) << event;
    for (const char* event : {"Activate", "Deactivate", "Close", "KeyDown", "MouseDown", ""})
        EXPECT_FALSE(window->IsEventImplemented(event)) << event;
}

// ---------------------------------------------------------------------------
// Menu handlers and printing

class DescriptionMenu : public ::testing::Test {
protected:
    bool Choose(std::string_view itemName) {
        const std::function<bool()>* handler = window->MenuHandler(itemName);
        if (!handler) throw std::runtime_error("no handler for " + std::string(itemName));
        return (*handler)();
    }

    std::shared_ptr<class DescriptionWnd> window = DescriptionWnd();
    QTemporaryDir dir;
};

TEST_F(DescriptionMenu, ControlAndAboutShowTheirWindowsAndReturnFalse) {
    ControlWnd()->Hide();
    AboutWnd()->Hide();
    EXPECT_FALSE(Choose("ControlMenuItem"));
    EXPECT_TRUE(ControlWnd()->IsVisible());
    EXPECT_FALSE(Choose("AboutMenuItem"));
    EXPECT_TRUE(AboutWnd()->IsVisible());
    EXPECT_EQ(window->MenuHandler("DescriptionMenuItem"), nullptr);
}

std::shared_ptr<fw::MenuItem> Item(const fw::String& name, bool enabled) {
    auto item = std::make_shared<fw::MenuItem>();
    item->SetName(name);
    item->SetEnabled(enabled);
    return item;
}

void StartApplicationWith(std::initializer_list<std::shared_ptr<fw::MenuItem>> items) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto windowMenu = Item("WindowMenu", true);
    for (const auto& item : items) windowMenu->AddMenu(item);
    bar->AddMenu(windowMenu);
    auto app = std::make_shared<fw::Application>();
    app->SetMenuBar(bar);
    fw::RuntimeRegisterAppObject(app);
}

TEST_F(DescriptionMenu, EnablesControlAndAboutButNotDescription) {
    StartApplicationWith({Item("ControlMenuItem", false), Item("DescriptionMenuItem", false),
                          Item("AboutMenuItem", false)});
    window->RaiseEvent("EnableMenuItems");
    EXPECT_TRUE(ControlMenuItem()->Enabled());
    EXPECT_TRUE(AboutMenuItem()->Enabled());
    EXPECT_FALSE(DescriptionMenuItem()->Enabled());
}

// Control is enabled before the missing About item stops the handler.
TEST_F(DescriptionMenu, AMissingItemRaisesNilObjectException) {
    StartApplicationWith({Item("ControlMenuItem", false)});
    EXPECT_THROW(window->Event_EnableMenuItems(), fw::NilObjectException);
    EXPECT_TRUE(ControlMenuItem()->Enabled());
}

TEST_F(DescriptionMenu, ACancelledPrintDialogPrintsNothing) {
    EXPECT_FALSE(Choose("Print"));  // the test platform cancels when no file is named
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(DescriptionMenu, PrintingWritesOnePageToTheChosenPrinter) {
    const QString path = dir.filePath("description.pdf");
    TestDesktop().printTo = path;
    EXPECT_FALSE(Choose("Print"));

    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1) << "one page";
}

}  // namespace
