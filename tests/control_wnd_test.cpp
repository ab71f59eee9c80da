// The main window as a user meets it: what its layout data builds, typing
// into its fields, the two commands through real clicks, the info icon, and
// its window events.
#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/contrast.h"
#include "framework/label.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/push_button.h"
#include "framework/rectangle.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/window_impl.h"
#include "main_window/control_wnd.h"
#include "resources/notices.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/menu.h"
#include "tests/gui_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using MainWindow = class ControlWnd;

const char* const kMessage = "Enter the 4 frequencies OR the 3 percentages.";
const std::array<const char*, 4> kCountFields = {"tpFld", "fpFld", "fnFld", "tnFld"};
const std::array<const char*, 3> kPercentFields = {"preFld", "dtFld", "tFld"};

class MainWindowTest : public testing::Test {
protected:
    std::shared_ptr<MainWindow> window = ControlWnd();

    QWidget* Frame() const { return window->Impl().frame.get(); }
    QWidget* Content() const { return window->Impl().content; }

    template <class T = fw::RectControl>
    T& Get(std::string_view name) {
        return fw::RuntimeCheckCast<T>(window->ControlByName(name));
    }
    fw::TextEdit& Field(std::string_view name) { return Get<fw::TextEdit>(name); }
    fw::String Text(std::string_view name) { return Field(name).Text(); }

    QRect InWindow(std::string_view name) {
        QWidget* widget = Get(name).Widget();
        return QRect(widget->mapTo(Content(), QPoint(0, 0)), widget->size());
    }

    // The control whose widget has the window's keyboard focus.
    std::string Focused() {
        for (fw::Control* control : window->Controls()) {
            auto* rect = fw::As<fw::RectControl>(control);
            if (rect && rect->Widget() == Frame()->focusWidget()) return rect->Name();
        }
        return "(none)";
    }

    void Type(std::string_view field, const char* keys) {
        Field(field).SetFocus();
        QTest::keyClicks(Field(field).Widget(), keys);
    }

    void Click(std::string_view name, QPoint at = QPoint()) {
        QTest::mouseClick(Get(name).Widget(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // The seven entry fields typed in, the result set as a calculation left it.
    void Enter(const std::array<const char*, 4>& counts, const std::array<const char*, 3>& percents,
               const char* result = "") {
        for (std::size_t i = 0; i < counts.size(); ++i) Type(kCountFields[i], counts[i]);
        for (std::size_t i = 0; i < percents.size(); ++i) Type(kPercentFields[i], percents[i]);
        Field("pppFld").SetText(result);
    }

    std::vector<fw::String> AllTexts() {
        std::vector<fw::String> texts;
        for (const char* name : {"tpFld", "fpFld", "fnFld", "tnFld", "preFld", "dtFld", "tFld", "pppFld"})
            texts.push_back(Text(name));
        return texts;
    }
};

// ---------------------------------------------------------------------------
// What the layout data builds

TEST_F(MainWindowTest, OpensAsAFixedWhiteWindowOf515By440) {
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(window->Title(), "Quillon");
    EXPECT_EQ(window->Width(), 515);
    EXPECT_EQ(window->Height(), 440);
    EXPECT_EQ(Content()->palette().color(QPalette::Window), QColor(Qt::white));

    // The stored maximum width of 500 does not narrow it, and the user
    // cannot resize it: there is no maximise button and the frame holds.
    EXPECT_FALSE(window->Resizeable());
    EXPECT_FALSE(Frame()->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(Frame()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(Frame()->windowFlags() & Qt::WindowCloseButtonHint);
    Frame()->resize(800, 300);
    QApplication::processEvents();
    EXPECT_EQ(Content()->size(), QSize(515, 440));
}

struct Built {
    const char* name;
    const fw::ClassRecord& (*type)();
    QRect box;  // window coordinates
    const char* parent;
    fw::String text;
    bool enabled;
};

TEST_F(MainWindowTest, BuildsTheTwentyFiveControlsInOrderWhereTheLayoutPutsThem) {
    const Built built[] = {
        {"Rectangle1", fw::Rectangle::Class, {201, 128, 72, 74}, "", "", true},
        {"tpFld", fw::TextArea::Class, {213, 138, 46, 18}, "Rectangle1", "", true},
        {"fnFld", fw::TextArea::Class, {213, 172, 46, 18}, "Rectangle1", "", true},
        {"Rectangle2", fw::Rectangle::Class, {272, 128, 72, 74}, "", "", true},
        {"fpFld", fw::TextArea::Class, {286, 138, 46, 18}, "Rectangle2", "", true},
        {"tnFld", fw::TextArea::Class, {286, 172, 46, 18}, "Rectangle2", "", true},
        {"preFld", fw::TextField::Class, {397, 240, 80, 20}, "", "", true},
        {"dtFld", fw::TextField::Class, {397, 270, 80, 20}, "", "", true},
        {"tFld", fw::TextField::Class, {397, 300, 80, 20}, "", "", true},
        {"pppFld", fw::TextField::Class, {397, 330, 80, 20}, "", "", false},
        {"ClearBtn", fw::PushButton::Class, {407, 390, 70, 30}, "", "Clear", true},
        {"CalculateBtn", fw::PushButton::Class, {35, 390, 80, 30}, "", "Calculate", true},
        {"StaticText4", fw::Label::Class, {35, 240, 355, 20}, "", "Percent prevalence in population:", true},
        {"StaticText5", fw::Label::Class, {35, 270, 355, 20}, "",
         "If person has disorder, percent with positive test:", true},
        {"Canvas2", fw::Canvas::Class, {240, 388, 32, 32}, "", "", true},
        {"cTxt", fw::Label::Class, {0, 30, 514, 20}, "", kNotice, false},
        {"StaticText6", fw::Label::Class, {35, 300, 355, 20}, "",
         "If person does not have disorder, percent with positive test:", true},
        {"StaticText7", fw::Label::Class, {4, -11, 509, 44}, "", "Tesmora", true},
        {"StaticText11", fw::Label::Class, {241, 81, 66, 20}, "", "Disorder", true},
        {"StaticText12", fw::Label::Class, {209, 108, 54, 19}, "", "Present", true},
        {"StaticText13", fw::Label::Class, {287, 107, 49, 20}, "", "Absent", true},
        {"StaticText14", fw::Label::Class, {80, 151, 34, 19}, "", "Test", true},
        {"StaticText15", fw::Label::Class, {132, 138, 54, 20}, "", "Positive", true},
        {"StaticText16", fw::Label::Class, {126, 171, 62, 20}, "", "Negative", true},
        {"StaticText1", fw::Label::Class, {35, 330, 355, 20}, "", "Percent with positive test and disorder:", true},
    };
    const std::vector<fw::Control*> controls = window->Controls();
    ASSERT_EQ(controls.size(), std::size(built));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Built& b = built[i];
        SCOPED_TRACE(b.name);
        ASSERT_EQ(controls[i]->Name(), b.name);
        EXPECT_EQ(&controls[i]->Record(), &b.type());
        auto& control = Get(b.name);
        EXPECT_EQ(InWindow(b.name), b.box);
        QWidget* parent = *b.parent ? Get(b.parent).Widget() : Content();
        EXPECT_EQ(control.Widget()->parentWidget(), parent);
        EXPECT_TRUE(control.Widget()->isVisible());
        EXPECT_EQ(control.Widget()->isEnabled(), b.enabled);
        if (auto* label = fw::As<fw::Label>(&control)) { EXPECT_EQ(label->Value(), b.text); }
        if (auto* edit = fw::As<fw::TextEdit>(&control)) { EXPECT_EQ(edit->Text(), b.text); }
        if (auto* button = fw::As<fw::PushButton>(&control)) { EXPECT_EQ(button->Caption(), b.text); }
        // Of the labels only StaticText4 is stored as a tab stop; no label
        // takes the focus all the same.
        const bool label = b.type == fw::Label::Class;
        EXPECT_EQ(control.TabStop(), !label || b.name == std::string_view("StaticText4"));
        if (label) { EXPECT_EQ(control.Widget()->focusPolicy(), Qt::NoFocus); }
    }
}

const QColor kCountRed(0xCD, 0x22, 0x18);
const QColor kDarkRed(0x80, 0x00, 0x00);

struct Look {
    const char* name;
    int size;  // in window units; 0 is the desktop's standard size
    bool bold;
    Qt::Alignment alignment;
    QColor color;  // invalid: the control has no text colour of its own
};

Qt::Alignment HorizontalAlignment(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->alignment() & Qt::AlignHorizontal_Mask;
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->alignment() & Qt::AlignHorizontal_Mask;
    if (auto* area = qobject_cast<QTextEdit*>(widget)) return area->alignment() & Qt::AlignHorizontal_Mask;
    return Qt::AlignHCenter;  // a button's caption
}

TEST_F(MainWindowTest, GivesEachTextItsFontAlignmentAndColour) {
    const Look looks[] = {
        {"tpFld", 0, true, Qt::AlignLeft, kCountRed},
        {"fnFld", 0, true, Qt::AlignLeft, kCountRed},
        {"fpFld", 0, true, Qt::AlignLeft, kCountRed},
        {"tnFld", 0, true, Qt::AlignLeft, kCountRed},
        {"preFld", 0, false, Qt::AlignLeft, kDarkRed},
        {"dtFld", 0, false, Qt::AlignLeft, kDarkRed},
        {"tFld", 0, false, Qt::AlignLeft, kDarkRed},
        {"pppFld", 0, false, Qt::AlignLeft, Qt::black},
        {"ClearBtn", 12, false, Qt::AlignHCenter, {}},
        {"CalculateBtn", 12, false, Qt::AlignHCenter, {}},
        {"StaticText4", 12, false, Qt::AlignLeft, Qt::black},
        {"StaticText5", 12, false, Qt::AlignLeft, Qt::black},
        {"cTxt", 10, false, Qt::AlignHCenter, kDarkRed},
        {"StaticText6", 12, false, Qt::AlignLeft, Qt::black},
        {"StaticText7", 28, true, Qt::AlignHCenter, kDarkRed},
        {"StaticText11", 14, true, Qt::AlignLeft, Qt::black},
        {"StaticText12", 12, false, Qt::AlignHCenter, Qt::black},
        {"StaticText13", 12, false, Qt::AlignHCenter, Qt::black},
        {"StaticText14", 14, true, Qt::AlignLeft, Qt::black},
        {"StaticText15", 12, false, Qt::AlignRight, Qt::black},
        {"StaticText16", 12, false, Qt::AlignRight, Qt::black},
        {"StaticText1", 12, false, Qt::AlignLeft, Qt::black},
    };
    for (const Look& look : looks) {
        SCOPED_TRACE(look.name);
        QWidget* widget = Get(look.name).Widget();
        const QFont font = widget->font();
        if (look.size == 0) {
            EXPECT_EQ(font.pointSizeF(), QApplication::font().pointSizeF());
        } else {
            EXPECT_EQ(font.pixelSize(), look.size);
        }
        EXPECT_EQ(font.bold(), look.bold);
        EXPECT_FALSE(font.italic() || font.underline());
        EXPECT_EQ(HorizontalAlignment(widget), look.alignment);
        if (!look.color.isValid()) continue;
        const QPalette::ColorRole role = qobject_cast<QLabel*>(widget) ? QPalette::WindowText : QPalette::Text;
        EXPECT_EQ(widget->palette().color(QPalette::Active, role), look.color);
        if (widget->isEnabled()) continue;
        // A disabled text (the result, the notice) is dimmed but readable
        // as drawn, in 8-bit colour.
        const QPalette::ColorRole ground = role == QPalette::Text ? QPalette::Base : QPalette::Window;
        const QColor dimmed = widget->palette().color(QPalette::Disabled, role);
        EXPECT_NE(dimmed, look.color);
        const QColor drawn(dimmed.rgb()), drawnGround(widget->palette().color(QPalette::Disabled, ground).rgb());
        EXPECT_GE(fw::ContrastRatio(drawn, drawnGround), 4.5) << drawn.name().toStdString();
    }
    // The first colour byte is red.
    EXPECT_EQ(Get("tpFld").Widget()->palette().color(QPalette::Active, QPalette::Text).red(), 0xCD);
}

TEST_F(MainWindowTest, EveryLabelShowsAllOfItsText) {
    for (fw::Control* control : window->Controls()) {
        auto* label = qobject_cast<QLabel*>(static_cast<fw::RectControl*>(control)->Widget());
        if (!label) continue;
        SCOPED_TRACE(control->Name());
        const QFont drawn = fw::FittedFont(*label);
        EXPECT_LE(QFontMetrics(drawn).horizontalAdvance(label->text()), label->contentsRect().width());
        // Shrunk, if at all, by no more than a quarter.
        EXPECT_GE(QFontInfo(drawn).pixelSize() * 4, QFontInfo(label->font()).pixelSize() * 3);
    }
}

TEST_F(MainWindowTest, CountFieldsAreOneLineAreasAndTheOthersSingleLineFields) {
    for (const char* name : kCountFields) {
        SCOPED_TRACE(name);
        auto* area = qobject_cast<QTextEdit*>(Get(name).Widget());
        ASSERT_NE(area, nullptr);
        EXPECT_TRUE(area->tabChangesFocus());
        EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_FALSE(area->isReadOnly());
        EXPECT_EQ(area->palette().color(QPalette::Base), QColor(Qt::white));
        // A count wider than the field stays on its one line, and so does a
        // pasted text with blanks, which could otherwise wrap.
        Type(name, "123456789");
        EXPECT_EQ(area->document()->firstBlock().layout()->lineCount(), 1);
        area->setPlainText("30 5 and more words than the field is wide");
        EXPECT_EQ(area->document()->firstBlock().layout()->lineCount(), 1);
    }
    for (const char* name : {"preFld", "dtFld", "tFld", "pppFld"}) {
        SCOPED_TRACE(name);
        auto* line = qobject_cast<QLineEdit*>(Get(name).Widget());
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(line->hasFrame());
        EXPECT_FALSE(line->isReadOnly());
        EXPECT_EQ(line->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(line->palette().color(QPalette::Base), QColor(Qt::white));
    }
}

TEST_F(MainWindowTest, TheInfoIconShowsItsPictureAndTakesNoFocus) {
    auto& icon = Get<fw::Canvas>("Canvas2");
    ASSERT_NE(icon.Backdrop(), nullptr);
    EXPECT_EQ(icon.Backdrop()->Width(), 32);
    EXPECT_EQ(icon.Widget()->focusPolicy(), Qt::NoFocus);

    Field("preFld").SetFocus();
    Click("Canvas2", QPoint(16, 16));
    EXPECT_EQ(Focused(), "preFld");
}

// ---------------------------------------------------------------------------
// The keyboard

TEST_F(MainWindowTest, TabVisitsTheTableRowByRowThenThePercentagesThenTheButtons) {
    EXPECT_EQ(Focused(), "tpFld");  // where a new window starts
    std::vector<std::string> visited;
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(Frame()->focusWidget(), Qt::Key_Tab);
        visited.push_back(Focused());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"fpFld", "fnFld", "tnFld", "preFld", "dtFld", "tFld", "ClearBtn",
                                                 "CalculateBtn", "tpFld"}));
    // Tab moved the focus; it put no tab into a field.
    for (const char* name : kCountFields) EXPECT_EQ(Text(name), "");
}

struct Typing {
    const char* field;
    const char* expected;  // after typing "12.a- 3"
    int beeps;
};

TEST_F(MainWindowTest, EachFieldTakesOnlyWhatItsNumbersNeedAndBeepsAtTheRest) {
    const Typing typing[] = {
        {"tpFld", "123", 4}, {"fnFld", "123", 4},   {"fpFld", "123", 4},   {"tnFld", "123", 4},
        {"preFld", "12.3", 3}, {"dtFld", "12.3", 3}, {"tFld", "12.3", 3},
    };
    for (const Typing& t : typing) {
        SCOPED_TRACE(t.field);
        const int beepsBefore = TestDesktop().beeps;
        Type(t.field, "12.a- 3");
        EXPECT_EQ(Text(t.field), t.expected);
        EXPECT_EQ(TestDesktop().beeps - beepsBefore, t.beeps);
        // Editing keys reach the field.
        QTest::keyClick(Field(t.field).Widget(), Qt::Key_Backspace);
        EXPECT_EQ(Text(t.field), fw::String(t.expected).substr(0, std::strlen(t.expected) - 1));
    }
}

// Dead keys and input methods commit their text without a key press; it
// meets the field's rule all the same, taken whole or refused whole.
TEST_F(MainWindowTest, TextAnInputMethodCommitsMeetsTheFieldsRule) {
    const struct {
        const char* field;
        const char* commit;
        const char* expected;
        int beeps;
    } commits[] = {
        {"tpFld", "12", "12", 0}, {"tpFld", "\u00e9", "", 1},  {"preFld", "~", "", 1},
        {"dtFld", "1.5", "1.5", 0}, {"fpFld", "1.5", "", 1}, {"tFld", "5\u0301", "", 1},
    };
    for (const auto& c : commits) {
        SCOPED_TRACE(c.commit);
        Field(c.field).SetText("");
        Field(c.field).SetFocus();
        const int beepsBefore = TestDesktop().beeps;
        QInputMethodEvent event;
        event.setCommitString(QString::fromUtf8(c.commit));
        QApplication::sendEvent(Field(c.field).Widget(), &event);
        EXPECT_EQ(Text(c.field), c.expected);
        EXPECT_EQ(TestDesktop().beeps - beepsBefore, c.beeps);
    }
}

TEST_F(MainWindowTest, TheDisabledResultFieldStillHasTheDecimalFilter) {
    auto& result = Field("pppFld");
    const int beepsBefore = TestDesktop().beeps;
    EXPECT_FALSE(result.FilterKey("7"));
    EXPECT_FALSE(result.FilterKey("."));
    EXPECT_TRUE(result.FilterKey("x"));
    EXPECT_EQ(TestDesktop().beeps - beepsBefore, 1);
}

TEST_F(MainWindowTest, ReturnAndEscapePressNeitherButton) {
    Enter({"30", "10", "1", "1"}, {"", "", ""});
    const auto before = AllTexts();
    for (const char* name : {"preFld", "ClearBtn", "CalculateBtn"}) {
        SCOPED_TRACE(name);
        Get(name).Widget()->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(Get(name).Widget(), key);
        EXPECT_EQ(AllTexts(), before);  // no result written, nothing cleared
    }
    EXPECT_TRUE(TestDesktop().messages.empty());
}

// What the user sees in a field is what Calculate reads: no line break
// hides the first line of a count, and no paste is cut short.
TEST_F(MainWindowTest, ReturnAndPastesLeaveEachFieldOneWholeLine) {
    const std::string longPercent = std::string(39999, '0') + "5";
    enum How { Keys, Paste, Drop };
    const struct {
        const char* field;
        const char* typed;
        How how;
        const char* text;  // pasted or dropped; Keys press Return and Enter
        int limit;         // MaximumCharactersAllowed, 0 for none
        std::string shown;
        int beeps;
    } cases[] = {
        {"tpFld", "30", Keys, "", 0, "30", 0},
        {"tpFld", "", Paste, "30\n5\r\n", 0, "30 5  ", 0},
        {"fnFld", "", Paste, "\u2029" "7", 0, " 7", 0},
        {"tnFld", "", Drop, "4\n2", 0, "4 2", 0},
        {"tpFld", "", Paste, "abc", 0, "abc", 0},  // a paste passes no key filter
        {"preFld", "", Paste, "\n30", 0, " 30", 0},
        {"tFld", "", Drop, "\n9", 0, " 9", 0},
        // What shows nothing goes; every kind of space is a space.
        {"tpFld", "", Paste, "\u200B" "30", 0, "30", 0},
        {"preFld", "", Paste, "\u200E" "3\U000E0001" "0\u00AD", 0, "30", 0},
        {"tnFld", "", Drop, "\uFEFF" "4\u2060" "2", 0, "42", 0},
        {"fnFld", "", Paste, "\u00A0" "7\u2009" "5", 0, " 7 5", 0},
        {"dtFld", "", Paste, "\u00A0" "7", 0, " 7", 0},
        {"tFld", "", Drop, "\u3000" "9\u0085", 0, " 9 ", 0},
        {"dtFld", "12", Paste, "\u200B" "34\u200D", 4, "1234", 0},
        {"preFld", "", Paste, longPercent.c_str(), 0, longPercent, 0},
        {"dtFld", "12", Paste, "345", 4, "12", 1},
        {"dtFld", "12", Drop, "345", 4, "12", 1},
        {"dtFld", "12", Paste, "34", 4, "1234", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + std::to_string(c.how) + " " + std::string(c.text).substr(0, 8));
        Field(c.field).SetText("");
        if (c.limit) Get<fw::TextField>(c.field).SetMaximumCharactersAllowed(c.limit);
        Type(c.field, c.typed);
        const int beepsBefore = TestDesktop().beeps;
        QWidget* widget = Get(c.field).Widget();
        if (c.how == Keys) {
            QTest::keyClick(widget, Qt::Key_Return);
            QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
        } else if (c.how == Paste) {
            QApplication::clipboard()->setText(QString::fromUtf8(c.text));
            QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
        } else {
            QMimeData dragged;
            dragged.setText(QString::fromUtf8(c.text));
            auto* area = qobject_cast<QAbstractScrollArea*>(widget);
            QWidget* target = area ? area->viewport() : widget;
            const QPoint end(target->width() - 2, 2);  // after the text
            QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
            QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QApplication::sendEvent(target, &drop);
        }
        const fw::String held = Text(c.field);
        EXPECT_TRUE(held == c.shown) << held.size() << " characters: \"" << held.substr(0, 16) << "\"";
        EXPECT_EQ(TestDesktop().beeps - beepsBefore, c.beeps);
    }
    // The long percentage is read whole: 5, not the zeros before it.
    Field("preFld").SetText(longPercent);
    Field("dtFld").SetText("90");
    Field("tFld").SetText("10");
    Click("CalculateBtn");
    EXPECT_EQ(Text("pppFld"), "32.1");

    // A multi-line area keeps a paste's line breaks; what shows nothing goes.
    Get<fw::TextArea>("tpFld").SetMultiLine(true);
    Field("tpFld").SetText("");
    QApplication::clipboard()->setText(QString::fromUtf8("3\u200B" "0\n\u00A0" "5"));
    QTest::keyClick(Get("tpFld").Widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text("tpFld"), "30\r 5");
}

// ---------------------------------------------------------------------------
// Calculate and Clear through the real buttons

struct Calculation {
    std::array<const char*, 4> counts;
    std::array<const char*, 3> percents;
    std::vector<fw::String> after;  // the eight fields, the result last
};

TEST_F(MainWindowTest, CalculateWorksInEitherModeAndWritesTheResult) {
    const Calculation calculations[] = {
        // All four counts: frequency mode, the percentages go.
        {{"30", "10", "1", "1"}, {"10", "90", "10"}, {"30", "10", "1", "1", "", "", "", "75"}},
        // A count missing: percentage mode, the counts go.
        {{"30", "10", "", "1"}, {"10", "90", "10"}, {"", "", "", "", "10", "90", "10", "50"}},
        {{"", "", "", ""}, {"10", "90", "20"}, {"", "", "", "", "10", "90", "20", "33.3"}},
    };
    for (const Calculation& c : calculations) {
        Click("ClearBtn");
        Enter(c.counts, c.percents, "12.3");
        Click("CalculateBtn");
        EXPECT_EQ(AllTexts(), c.after);
    }
    EXPECT_TRUE(TestDesktop().messages.empty());
}

TEST_F(MainWindowTest, IncompleteValuesGetTheMessageChangeNothingAndFocusTheFirstCount) {
    Enter({"30", "10", "0", "1"}, {"10", "", "10"}, "62.5");
    const auto before = AllTexts();
    Field("preFld").SetFocus();
    Click("CalculateBtn");
    ASSERT_EQ(TestDesktop().messages.size(), 1u);
    EXPECT_EQ(TestDesktop().messages[0].text, kMessage);
    EXPECT_EQ(AllTexts(), before);
    EXPECT_EQ(Focused(), "tpFld");
}

TEST_F(MainWindowTest, ClearEmptiesAllEightFieldsAndFocusesTheFirstCount) {
    Enter({"30", "10", "1", "1"}, {"10", "90", "10"}, "75");
    Click("ClearBtn");
    EXPECT_EQ(AllTexts(), std::vector<fw::String>(8, ""));
    EXPECT_EQ(Focused(), "tpFld");
}

// ---------------------------------------------------------------------------
// The info icon, the menus and the window's events

TEST_F(MainWindowTest, TheInfoIconShowsTheOneDescriptionWindowWhereverItIsPressed) {
    EXPECT_EQ(fw::GetImplicitWindow("DescriptionWnd.DescriptionWnd"), nullptr);
    Click("Canvas2", QPoint(0, 0));
    auto description = fw::GetImplicitWindow("DescriptionWnd.DescriptionWnd");
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->IsVisible());

    description->Hide();
    Click("Canvas2", QPoint(31, 31));
    EXPECT_EQ(fw::GetImplicitWindow("DescriptionWnd.DescriptionWnd"), description);
    EXPECT_TRUE(description->IsVisible());

    // Once closed, the next press builds a new one.
    description->Close();
    Click("Canvas2", QPoint(5, 20));
    auto another = fw::GetImplicitWindow("DescriptionWnd.DescriptionWnd");
    ASSERT_NE(another, nullptr);
    EXPECT_NE(another, description);
    EXPECT_TRUE(another->IsVisible());
}

TEST(MainWindowWithoutItsPicture, StillBuildsAndTheIconStillAnswers) {
    auto window = [] {
        WithoutTheApplicationsPictures missing;
        return ControlWnd();
    }();
    auto& icon = fw::RuntimeCheckCast<fw::Canvas>(window->ControlByName("Canvas2"));
    EXPECT_EQ(icon.Backdrop(), nullptr);
    QTest::mouseClick(icon.Widget(), Qt::LeftButton);
    EXPECT_NE(fw::GetImplicitWindow("DescriptionWnd.DescriptionWnd"), nullptr);
}

TEST_F(MainWindowTest, MenuHandlersShowTheirWindowsAndActivationHidesTheAboutWindow) {
    const std::function<bool()>* description = window->MenuHandler("DescriptionMenuItem");
    const std::function<bool()>* about = window->MenuHandler("AboutDOR");
    ASSERT_TRUE(description && about);
    EXPECT_EQ(window->MenuHandler("AboutMenuItem"), nullptr);
    EXPECT_EQ(window->MenuHandler("ControlMenuItem"), nullptr);

    EXPECT_FALSE((*description)());
    EXPECT_TRUE(DescriptionWnd()->IsVisible());
    EXPECT_FALSE((*about)());
    EXPECT_TRUE(AboutWnd()->IsVisible());

    window->Show();  // the main window becomes active again
    QTRY_VERIFY(!AboutWnd()->IsVisible());
}

TEST_F(MainWindowTest, ActivationAfterTheAboutWindowWasClosedBuildsOneAndHidesIt) {
    AboutWnd()->Close();
    window->Event_Activate();
    auto about = fw::GetImplicitWindow("AboutWnd.AboutWnd");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->IsVisible());
    window->Event_Activate();
    EXPECT_EQ(fw::GetImplicitWindow("AboutWnd.AboutWnd"), about);
}

TEST_F(MainWindowTest, ClosingItQuitsWithZeroEvenWithAnotherWindowOpen) {
    DescriptionWnd()->Show();
    Frame()->close();
    EXPECT_EQ(fw::GetImplicitWindow("ControlWnd.ControlWnd"), nullptr);
    EXPECT_EQ(RunEndsWith(), 0);
}

TEST_F(MainWindowTest, ImplementsExactlyItsOwnWindowEvents) {
    for (const char* event : {"Activate", "AddMenuHandlers", "Close", "CreateControls", "EnableMenuItems", "Layout"})
        EXPECT_TRUE(window->IsEventImplemented(event)) << event;
    for (const char* event : {"Open", "Deactivate", "KeyDown", "MouseDown", "Paint"})
        EXPECT_FALSE(window->IsEventImplemented(event)) << event;
}

// The application object with the application's menu bar, as start-up
// registers it.
void RegisterApplicationWith(std::shared_ptr<fw::MenuBar> bar) {
    auto app = std::make_shared<fw::Application>();
    app->SetMenuBar(std::move(bar));
    fw::RuntimeRegisterAppObject(app);
}

TEST(MainWindowMenus, EnablingLeavesControlOffAndDescriptionAndAboutOnWhateverTheyWere) {
    RegisterApplicationWith(Menu());
    auto window = ControlWnd();
    for (bool before : {true, false}) {
        ControlMenuItem()->SetEnabled(before);
        DescriptionMenuItem()->SetEnabled(!before);
        AboutMenuItem()->SetEnabled(!before);
        AboutDOR()->SetEnabled(before);
        window->RaiseEvent("EnableMenuItems");
        EXPECT_FALSE(ControlMenuItem()->Enabled());
        EXPECT_TRUE(DescriptionMenuItem()->Enabled());
        EXPECT_TRUE(AboutMenuItem()->Enabled());
        EXPECT_EQ(AboutDOR()->Enabled(), before);  // the application object's to set
    }
}

TEST(MainWindowMenus, AMissingMenuItemIsANilObject) {
    RegisterApplicationWith(std::make_shared<fw::MenuBar>());
    auto window = ControlWnd();
    EXPECT_THROW(window->RaiseEvent("EnableMenuItems"), fw::NilObjectException);
}

TEST_F(MainWindowTest, IsTheOneImplicitInstanceWhileItLives) {
    EXPECT_EQ(ControlWnd(), window);
    window->Hide();
    EXPECT_EQ(ControlWnd(), window);
    EXPECT_FALSE(window->IsVisible());  // the accessor does not show it
}

// A picture of the window for a person to look at.
TEST_F(MainWindowTest, SavesAScreenshot) {
    Enter({"1234", "99999", "7", "0"}, {"12.5", "", ""}, "62.5");
    const QImage shot = Frame()->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(515, 440));
    EXPECT_TRUE(shot.save(TESMORA_BINARY_DIR "/control_wnd.png"));
}

}  // namespace
