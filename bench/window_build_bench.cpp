// What building a window from property streams costs, against making the
// same Qt widgets directly in code. Both benchmarks build the main window's
// 25 controls (2 rectangles holding 4 text areas, 4 text fields, 2 buttons,
// 12 labels and the info icon) with the same places, fonts, palettes and
// texts, on Qt's offscreen platform:
//
//   WindowFromStreams   a framework window class whose Layout and
//                       CreateControls handlers apply one stream to the
//                       window and one to each control, as the application's
//                       windows do; then Close and release;
//   WindowInDirectCode  the same widgets made by hand; then deleted.
//
// Neither shows its window (the window stream says Visible false), so both
// measure building and tearing down, not painting. Every iteration destroys
// all the widgets it made.
#include "framework/canvas.h"
#include "framework/contrast.h"
#include "framework/control_table.h"
#include "framework/label.h"
#include "framework/property_encoder.h"
#include "framework/property_stream.h"
#include "framework/push_button.h"
#include "framework/qt_conversions.h"
#include "framework/rectangle.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/window.h"
#include "resources/notices.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <qdrawutil.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>

namespace {

using fw::Color;
using fw::Prop;
using fw::PropertyLiteral;

constexpr Color kWhite{0xFF, 0xFF, 0xFF, 0};
constexpr Color kBlack{0x00, 0x00, 0x00, 0};
constexpr Color kRed{0xCD, 0x22, 0x18, 0};
constexpr Color kMaroon{0x80, 0x00, 0x00, 0};
constexpr Color kFill{0xE6, 0xE6, 0xE6, 0};
constexpr Color kTopLeft{0x80, 0x80, 0x80, 0};
constexpr Color kBottomRight{0x33, 0x33, 0x33, 0};
constexpr double kBorder = 2.0;

enum class Kind { Rectangle, TextArea, TextField, PushButton, Label, Canvas };

// One control's layout: its place in window coordinates, its parent ("" for
// the window) and, for controls that show text, the text and its look. Both
// builders read this one table, so they make the same window.
struct ControlLayout {
    Kind kind;
    std::string_view name, parent;
    int left, top, width, height, tabIndex;
    bool tabStop = true, enabled = true;
    std::string_view text = "";
    float fontSize = 0;
    bool bold = false;
    int alignment = 0;  // 0 default, 2 centred, 3 right
    Color textColor = kBlack;
};

constexpr int kWindowWidth = 515, kWindowHeight = 440;

// kind, name, parent, left, top, width, height, tab index, tab stop, enabled,
// text, font size, bold, alignment, text colour
constexpr std::array kControls{
    ControlLayout{Kind::Rectangle, "Rectangle1", "", 201, 128, 72, 74, 0},
    ControlLayout{Kind::TextArea, "tpFld", "Rectangle1", 213, 138, 46, 18, 1, true, true, "", 0, true, 0, kRed},
    ControlLayout{Kind::TextArea, "fnFld", "Rectangle1", 213, 172, 46, 18, 3, true, true, "", 0, true, 0, kRed},
    ControlLayout{Kind::Rectangle, "Rectangle2", "", 272, 128, 72, 74, 1},
    ControlLayout{Kind::TextArea, "fpFld", "Rectangle2", 286, 138, 46, 18, 2, true, true, "", 0, true, 0, kRed},
    ControlLayout{Kind::TextArea, "tnFld", "Rectangle2", 286, 172, 46, 18, 4, true, true, "", 0, true, 0, kRed},
    ControlLayout{Kind::TextField, "preFld", "", 397, 240, 80, 20, 2, true, true, "", 0, false, 0, kMaroon},
    ControlLayout{Kind::TextField, "dtFld", "", 397, 270, 80, 20, 3, true, true, "", 0, false, 0, kMaroon},
    ControlLayout{Kind::TextField, "tFld", "", 397, 300, 80, 20, 4, true, true, "", 0, false, 0, kMaroon},
    ControlLayout{Kind::TextField, "pppFld", "", 397, 330, 80, 20, 5, true, false, "", 0, false, 0, kBlack},
    ControlLayout{Kind::PushButton, "ClearBtn", "", 407, 390, 70, 30, 6, true, true, "Clear", 12},
    ControlLayout{Kind::PushButton, "CalculateBtn", "", 35, 390, 80, 30, 7, true, true, "Calculate", 12},
    ControlLayout{Kind::Label, "StaticText4", "", 35, 240, 355, 20, 8, true, true,
                "Percent prevalence in population:", 12},
    ControlLayout{Kind::Label, "StaticText5", "", 35, 270, 355, 20, 9, false, true,
                "If person has disorder, percent with positive test:", 12},
    ControlLayout{Kind::Canvas, "Canvas2", "", 240, 388, 32, 32, 10},
    ControlLayout{Kind::Label, "cTxt", "", 0, 30, 514, 20, 11, false, false, kNotice, 10, false, 2, kMaroon},
    ControlLayout{Kind::Label, "StaticText6", "", 35, 300, 355, 20, 12, false, true,
                "If person does not have disorder, percent with positive test:", 12},
    ControlLayout{Kind::Label, "StaticText7", "", 4, -11, 509, 44, 13, false, true, kProductName, 28, true, 2, kMaroon},
    ControlLayout{Kind::Label, "StaticText11", "", 241, 81, 66, 20, 14, false, true, "Disorder", 14, true},
    ControlLayout{Kind::Label, "StaticText12", "", 209, 108, 54, 19, 15, false, true, "Present", 12, false, 2},
    ControlLayout{Kind::Label, "StaticText13", "", 287, 107, 49, 20, 16, false, true, "Absent", 12, false, 2},
    ControlLayout{Kind::Label, "StaticText14", "", 80, 151, 34, 19, 17, false, true, "Test", 14, true},
    ControlLayout{Kind::Label, "StaticText15", "", 132, 138, 54, 20, 18, false, true, "Positive", 12, false, 3},
    ControlLayout{Kind::Label, "StaticText16", "", 126, 171, 62, 20, 19, false, true, "Negative", 12, false, 3},
    ControlLayout{Kind::Label, "StaticText1", "", 35, 330, 355, 20, 20, false, true,
                "Percent with positive test and disorder:", 12},
};

constexpr std::size_t IndexOf(std::string_view name) {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].name == name) return i;
    return kControls.size();
}

// ---------------------------------------------------------------------------
// The streams, in the key order the application's layout data uses.

inline constexpr auto kWindowStream = fw::PropertyStream([] {
    return std::array{
        Prop("Width", kWindowWidth),     Prop("Height", kWindowHeight),       Prop("MinimumWidth", 64),
        Prop("MinimumHeight", 64),       Prop("MaximumWidth", 500),           Prop("MaximumHeight", 500),
        Prop("Type", 0),                 Prop("Title", kProductName),         Prop("HasCloseButton", true),
        Prop("HasMaximizeButton", false), Prop("HasMinimizeButton", true),    Prop("HasFullScreenButton", false),
        Prop("Resizeable", false),       Prop("Composite", false),            Prop("MacProcID", 0),
        Prop("FullScreen", false),       Prop("DefaultLocation", 0),          Prop("Visible", false),
        Prop("HasBackgroundColor", true), Prop("BackgroundColor", kWhite),    Prop("MenuBarVisible", true),
        Prop("LiveResize", false),
    };
});

template <std::size_t A, std::size_t B>
consteval std::array<PropertyLiteral, A + B> Join(const std::array<PropertyLiteral, A>& a,
                                                  const std::array<PropertyLiteral, B>& b) {
    std::array<PropertyLiteral, A + B> out{};
    std::copy(a.begin(), a.end(), out.begin());
    std::copy(b.begin(), b.end(), out.begin() + A);
    return out;
}

// The twelve keys every control stream begins with. Only the count fields
// follow the window's edges.
consteval auto Head(const ControlLayout& c) {
    const bool locked = c.kind == Kind::TextArea;
    return std::array{
        Prop("Name", c.name),          Prop("Index", -2147483648LL),  Prop("Left", c.left),
        Prop("Top", c.top),            Prop("Width", c.width),        Prop("Height", c.height),
        Prop("LockLeft", locked),      Prop("LockTop", locked),       Prop("LockRight", locked),
        Prop("LockBottom", locked),    Prop("TabIndex", c.tabIndex),  Prop("TabPanelIndex", 0),
    };
}

// The keys that follow, by class.
template <Kind K>
consteval auto Body(const ControlLayout& c) {
    if constexpr (K == Kind::Rectangle) {
        return std::array{
            Prop("AllowAutoDeactivate", true), Prop("BorderThickness", kBorder),  Prop("BottomRightColor", kBottomRight),
            Prop("Enabled", c.enabled),        Prop("FillColor", kFill),          Prop("Tooltip", ""),
            Prop("TopLeftColor", kTopLeft),    Prop("Transparent", true),         Prop("Visible", true),
            Prop("InitialParent", c.parent),
        };
    } else if constexpr (K == Kind::TextArea) {
        return std::array{
            Prop("TabStop", c.tabStop),         Prop("AllowAutoDeactivate", true),   Prop("BackgroundColor", kWhite),
            Prop("HasBorder", true),            Prop("Enabled", c.enabled),          Prop("Format", ""),
            Prop("Tooltip", ""),                Prop("HideSelection", true),         Prop("LineHeight", 0.0),
            Prop("LineSpacing", 1.0),           Prop("Multiline", false),            Prop("HasHorizontalScrollbar", false),
            Prop("HasVerticalScrollbar", false), Prop("AllowStyledText", true),      Prop("TextColor", c.textColor),
            Prop("Transparent", true),          Prop("AllowFocusRing", true),        Prop("Visible", true),
            Prop("Bold", c.bold),               Prop("Italic", false),               Prop("FontName", "System"),
            Prop("FontSize", c.fontSize),       Prop("FontUnit", 0),                 Prop("Underline", false),
            Prop("Value", c.text),              Prop("AllowTabs", false),            Prop("TextAlignment", c.alignment),
            Prop("AllowSpellChecking", true),   Prop("MaximumCharactersAllowed", 0), Prop("ValidationMask", ""),
            Prop("ReadOnly", false),            Prop("DataSource", ""),              Prop("DataField", ""),
            Prop("InitialParent", c.parent),
        };
    } else if constexpr (K == Kind::TextField) {
        return std::array{
            Prop("TabStop", c.tabStop),       Prop("AllowAutoDeactivate", true),    Prop("BackgroundColor", kWhite),
            Prop("HasBorder", true),          Prop("Enabled", c.enabled),           Prop("Format", ""),
            Prop("Tooltip", ""),              Prop("Password", false),              Prop("TextColor", c.textColor),
            Prop("Transparent", true),        Prop("AllowFocusRing", true),         Prop("Visible", true),
            Prop("FontName", "System"),       Prop("FontSize", c.fontSize),         Prop("FontUnit", 0),
            Prop("Bold", c.bold),             Prop("Italic", false),                Prop("Underline", false),
            Prop("Hint", ""),                 Prop("Value", c.text),                Prop("AllowTabs", false),
            Prop("TextAlignment", c.alignment), Prop("AllowSpellChecking", false),  Prop("MaximumCharactersAllowed", 0),
            Prop("ValidationMask", ""),       Prop("ReadOnly", false),              Prop("DataSource", ""),
            Prop("DataField", ""),            Prop("InitialParent", c.parent),
        };
    } else if constexpr (K == Kind::PushButton) {
        return std::array{
            Prop("TabStop", c.tabStop),     Prop("AllowAutoDeactivate", true), Prop("MacButtonStyle", 0),
            Prop("Cancel", false),          Prop("Caption", c.text),           Prop("Default", false),
            Prop("Enabled", c.enabled),     Prop("Tooltip", ""),               Prop("Transparent", true),
            Prop("Visible", true),          Prop("FontName", "System"),        Prop("FontSize", c.fontSize),
            Prop("FontUnit", 0),            Prop("Bold", c.bold),              Prop("Italic", false),
            Prop("Underline", false),       Prop("InitialParent", c.parent),
        };
    } else if constexpr (K == Kind::Label) {
        return std::array{
            Prop("TabStop", c.tabStop),      Prop("AllowAutoDeactivate", true),    Prop("Enabled", c.enabled),
            Prop("Tooltip", ""),             Prop("Multiline", false),             Prop("Selectable", false),
            Prop("TextAlignment", c.alignment), Prop("TextColor", c.textColor),    Prop("Transparent", true),
            Prop("Value", c.text),           Prop("Visible", true),                Prop("Bold", c.bold),
            Prop("Italic", false),           Prop("FontName", "System"),           Prop("Underline", false),
            Prop("FontSize", c.fontSize),    Prop("FontUnit", 0),                  Prop("DataSource", ""),
            Prop("DataField", ""),           Prop("InitialParent", c.parent),
        };
    } else {
        // The info icon's stream carries Transparent twice.
        return std::array{
            Prop("TabStop", c.tabStop),      Prop("AllowAutoDeactivate", true), Prop("Enabled", c.enabled),
            Prop("Tooltip", ""),             Prop("AllowFocusRing", true),      Prop("Visible", true),
            Prop("AllowFocus", false),       Prop("AllowTabs", false),          Prop("Transparent", true),
            Prop("DoubleBuffer", false),     Prop("Transparent", true),         Prop("InitialParent", c.parent),
        };
    }
}

template <std::size_t I>
inline constexpr auto kControlStream =
    fw::PropertyStream([] { return Join(Head(kControls[I]), Body<kControls[I].kind>(kControls[I])); });

template <std::size_t... I>
constexpr std::array<fw::PropertyStreamView, sizeof...(I)> ControlStreams(std::index_sequence<I...>) {
    return {fw::PropertyStreamView(kControlStream<I>)...};
}

constexpr auto kControlStreams = ControlStreams(std::make_index_sequence<kControls.size()>());

// ---------------------------------------------------------------------------
// The window built from streams.

class StreamBuiltWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
            .name = "StreamBuiltWnd.StreamBuiltWnd",
            .base = &fw::Window::Class(),
            .events = {fw::On<&StreamBuiltWnd::Layout>("Layout"),
                       fw::On<&StreamBuiltWnd::CreateControls>("CreateControls")},
        });
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }

    void Layout() { fw::SetProperties(*this, kWindowStream); }
    // As the application's windows do: one stream to the window, then the
    // controls from their table.
    void CreateControls();

    bool AreaKeyDown(fw::TextArea&, const fw::String&) { return false; }
    bool FieldKeyDown(fw::TextField&, const fw::String&) { return false; }
    void Action(fw::PushButton&) {}
    bool IconMouseDown(fw::Canvas&, std::int64_t, std::int64_t) { return true; }
};

constexpr auto ClassOf(Kind kind) -> const fw::ClassRecord& (*)() {
    switch (kind) {
        case Kind::Rectangle: return fw::Rectangle::Class;
        case Kind::TextArea: return fw::TextArea::Class;
        case Kind::TextField: return fw::TextField::Class;
        case Kind::PushButton: return fw::PushButton::Class;
        case Kind::Label: return fw::Label::Class;
        case Kind::Canvas: return fw::Canvas::Class;
    }
    return nullptr;
}

constexpr fw::Connection ConnectionOf(Kind kind) {
    switch (kind) {
        case Kind::TextArea:
            return fw::Connect<&StreamBuiltWnd::AreaKeyDown>(fw::TextArea::kKeyDown);
        case Kind::TextField:
            return fw::Connect<&StreamBuiltWnd::FieldKeyDown>(fw::TextField::kKeyDown);
        case Kind::PushButton: return fw::Connect<&StreamBuiltWnd::Action>(fw::PushButton::kAction);
        case Kind::Canvas:
            return fw::Connect<&StreamBuiltWnd::IconMouseDown>(fw::Canvas::kMouseDown);
        default: return {};
    }
}

constexpr auto kEntries = [] {
    std::array<fw::ControlEntry, kControls.size()> entries{};
    for (std::size_t i = 0; i < kControls.size(); ++i)
        entries[i] = {ClassOf(kControls[i].kind), kControls[i].name, kControlStreams[i], ConnectionOf(kControls[i].kind)};
    return entries;
}();

void StreamBuiltWnd::CreateControls() { fw::BuildControls(*this, kEntries); }

// ---------------------------------------------------------------------------
// The same window in direct Qt code.

using fw::ToQColor;

class BevelledRect : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPalette bevel;
        bevel.setColor(QPalette::Light, ToQColor(kTopLeft));
        bevel.setColor(QPalette::Dark, ToQColor(kBottomRight));
        const QBrush fill(ToQColor(kFill));
        qDrawShadePanel(&painter, rect(), bevel, false, int(kBorder), &fill);
    }
};

class InfoIcon : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
};

// Sees every key typed into a field first, as the key filters do.
class KeyScreen : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent*) override { return false; }
};

Qt::Alignment HorizontalAlignment(int alignment) {
    return alignment == 2 ? Qt::AlignHCenter : alignment == 3 ? Qt::AlignRight : Qt::AlignLeft;
}

QWidget* MakeTextArea(QWidget* parent) {
    auto* edit = new QTextEdit(parent);
    edit->setAcceptRichText(false);
    edit->setTabChangesFocus(true);
    edit->setWordWrapMode(QTextOption::NoWrap);  // a count is one line
    edit->document()->setDocumentMargin(2);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->installEventFilter(new KeyScreen(edit));
    return edit;
}

QWidget* MakeTextField(QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setMaxLength(std::numeric_limits<int>::max());  // pastes are never cut
    line->installEventFilter(new KeyScreen(line));
    return line;
}

QWidget* MakeButton(const ControlLayout& c, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(c.text.data(), qsizetype(c.text.size())), parent);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    QObject::connect(button, &QPushButton::clicked, button, [] {});
    return button;
}

QWidget* MakeLabel(const ControlLayout& c, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(c.text.data(), qsizetype(c.text.size())), parent);
    label->setAlignment(HorizontalAlignment(c.alignment) | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QWidget* MakeWidget(const ControlLayout& c, QWidget* parent) {
    switch (c.kind) {
        case Kind::Rectangle: return new BevelledRect(parent);
        case Kind::TextArea: return MakeTextArea(parent);
        case Kind::TextField: return MakeTextField(parent);
        case Kind::PushButton: return MakeButton(c, parent);
        case Kind::Label: return MakeLabel(c, parent);
        case Kind::Canvas: return new InfoIcon(parent);
    }
    std::abort();
}

// The font and the colours of a control that shows text, each set once:
// the same font (sized in pixels, as layout sizes are) and the same colours,
// the dimmed text of a disabled control too, that the framework gives.
void StyleText(QWidget* widget, const ControlLayout& c) {
    QFont font = QApplication::font();
    if (c.fontSize > 0) font.setPixelSize(std::max(1, qRound(c.fontSize)));
    font.setBold(c.bold);
    widget->setFont(font);
    if (c.kind == Kind::PushButton) return;
    QPalette palette = widget->palette();
    const QColor text = ToQColor(c.textColor);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
    }
    const bool field = c.kind == Kind::TextArea || c.kind == Kind::TextField;
    if (field) palette.setColor(QPalette::Base, ToQColor(kWhite));
    const QColor dimmed = fw::ReadablyDimmed(text, palette.color(QPalette::Active, field ? QPalette::Base : QPalette::Window));
    palette.setColor(QPalette::Disabled, QPalette::Text, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, dimmed);
    widget->setPalette(palette);
}

std::unique_ptr<QWidget> BuildDirectWindow() {
    auto frame = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                        Qt::WindowMinimizeButtonHint);
    frame->setWindowTitle(kProductName);
    auto* layout = new QVBoxLayout(frame.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* content = new QWidget(frame.get());
    layout->addWidget(content);
    content->setFixedSize(kWindowWidth, kWindowHeight);
    content->setAutoFillBackground(true);
    QPalette background = content->palette();
    background.setColor(QPalette::Window, ToQColor(kWhite));
    content->setPalette(background);

    std::array<QWidget*, kControls.size()> widgets{};
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlLayout& c = kControls[i];
        const std::size_t parent = IndexOf(c.parent);
        const bool inWindow = parent == kControls.size();
        QWidget* widget = MakeWidget(c, inWindow ? content : widgets[parent]);
        const QPoint origin = inWindow ? QPoint() : QPoint(kControls[parent].left, kControls[parent].top);
        widget->setGeometry(c.left - origin.x(), c.top - origin.y(), c.width, c.height);
        if (!c.enabled) widget->setEnabled(false);
        if (c.kind != Kind::Rectangle && c.kind != Kind::Canvas) StyleText(widget, c);
        widgets[i] = widget;
    }

    // The count fields row by row across the two columns, then the rest.
    constexpr std::array kTabOrder{"tpFld", "fpFld", "fnFld", "tnFld", "preFld",
                                   "dtFld", "tFld", "pppFld", "ClearBtn", "CalculateBtn"};
    for (std::size_t i = 1; i < kTabOrder.size(); ++i)
        QWidget::setTabOrder(widgets[IndexOf(kTabOrder[i - 1])], widgets[IndexOf(kTabOrder[i])]);
    widgets[IndexOf(kTabOrder.front())]->setFocus(Qt::OtherFocusReason);
    return frame;
}

// ---------------------------------------------------------------------------

void WindowFromStreams(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_shared<StreamBuiltWnd>();
        window->Constructor();
        window->Close();
        window.reset();
        // Drops the closed window, whose release otherwise waits for the
        // event loop, and with it every widget.
        fw::RuntimeReleaseWindows();
        QCoreApplication::sendPostedEvents();
    }
}

void WindowInDirectCode(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<QWidget> window = BuildDirectWindow();
        benchmark::DoNotOptimize(window.get());
        window.reset();
        QCoreApplication::sendPostedEvents();
    }
}

BENCHMARK(WindowFromStreams)->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowInDirectCode)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fw::RuntimeReleaseWindows();
    return 0;
}
