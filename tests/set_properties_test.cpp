// Building windows and controls from property streams: what the streams say
// is what the widgets show.
#include "framework/canvas.h"
#include "framework/control_table.h"
#include "framework/label.h"
#include "framework/property_encoder.h"
#include "framework/property_stream.h"
#include "framework/push_button.h"
#include "framework/rectangle.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/timer.h"
#include "framework/window.h"
#include "framework/window_impl.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <utility>

namespace {

inline constexpr auto kProbeWindow = fw::PropertyStream([] {
    return std::array{
        fw::Prop("Width", 320),         fw::Prop("Height", 240),          fw::Prop("Title", "Probe"),
        fw::Prop("Resizeable", false),  fw::Prop("HasBackgroundColor", true),
        fw::Prop("BackgroundColor", fw::Color{0xFF, 0xFF, 0xFF, 0}),
        fw::Prop("MaximumWidth", 300),  // below the width: a fixed window ignores it
        fw::Prop("Visible", true),      fw::Prop("MacProcID", 0),
    };
});

inline constexpr auto kFrame = fw::PropertyStream([] {
    return std::array{
        fw::Prop("Name", "Frame"),       fw::Prop("Left", 20),          fw::Prop("Top", 30),
        fw::Prop("Width", 100),          fw::Prop("Height", 80),        fw::Prop("BorderThickness", 2.0),
        fw::Prop("FillColor", fw::Color{0xE6, 0xE6, 0xE6, 0}),          fw::Prop("InitialParent", ""),
    };
});

// A field inside the frame, placed by window coordinates.
inline constexpr auto kField = fw::PropertyStream([] {
    return std::array{
        fw::Prop("Name", "Field"),      fw::Prop("Index", -2147483648LL), fw::Prop("Left", 32),
        fw::Prop("Top", 40),            fw::Prop("Width", 46),             fw::Prop("Height", 18),
        fw::Prop("Multiline", true),    fw::Prop("Bold", true),            fw::Prop("FontName", "System"),
        fw::Prop("FontSize", 0.0f),     fw::Prop("TextColor", fw::Color{0xCD, 0x22, 0x18, 0}),
        fw::Prop("Value", "12"),        fw::Prop("InitialParent", "Frame"),
    };
});

// The heading: a negative top, a size in points, centred, and keys in an
// unusual order.
inline constexpr auto kHeading = fw::PropertyStream([] {
    return std::array{
        fw::Prop("InitialParent", ""), fw::Prop("Enabled", false),     fw::Prop("TextAlignment", 2),
        fw::Prop("Value", "T\u00e9st"), fw::Prop("FontSize", 28.0f),   fw::Prop("Top", -11),
        fw::Prop("Left", 4),           fw::Prop("Height", 44),         fw::Prop("Width", 300),
        fw::Prop("Name", "Heading"),   fw::Prop("Transparent", true),  fw::Prop("Transparent", true),
    };
});

class StreamWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
            .name = "StreamWnd.StreamWnd",
            .base = &fw::Window::Class(),
            .events = {fw::On<&StreamWnd::Layout>("Layout"),
                       fw::On<&StreamWnd::CreateControls>("CreateControls")},
        });
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }

    void Layout() { fw::SetProperties(*this, kProbeWindow); }
    void CreateControls() {
        static constexpr fw::ControlEntry kControls[] = {
            {fw::Rectangle::Class, "Frame", kFrame},
            {fw::TextArea::Class, "Field", kField},
            {fw::Label::Class, "Heading", kHeading},
        };
        fw::BuildControls(*this, kControls);
        stray = New(fw::Label::Class());  // made, never added
    }

    std::shared_ptr<fw::Control> stray;

    template <class T>
    T& Get(std::string_view name) {
        return fw::RuntimeCheckCast<T>(ControlByName(name));
    }
};

QPoint InWindow(const fw::RectControl& control, const fw::Window& window) {
    return control.Widget()->mapTo(window.Impl().content, QPoint(0, 0));
}

TEST(StreamBuiltWindow, ReportsTheSizeTitleAndColourItsStreamGave) {
    auto window = fw::ImplicitInstance<StreamWnd>();
    EXPECT_EQ(window->Width(), 320);
    EXPECT_EQ(window->Height(), 240);
    EXPECT_EQ(window->Title(), "Probe");
    EXPECT_FALSE(window->Resizeable());
    EXPECT_EQ(window->Impl().content->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_TRUE(window->IsVisible());
}

TEST(StreamBuiltWindow, PlacesAControlInsideItsParentByWindowCoordinates) {
    auto window = fw::ImplicitInstance<StreamWnd>();
    auto& field = window->Get<fw::TextArea>("Field");
    EXPECT_EQ(field.Widget()->parentWidget(), window->Get<fw::Rectangle>("Frame").Widget());
    EXPECT_EQ(InWindow(field, *window), QPoint(32, 40));
    EXPECT_EQ(field.Widget()->size(), QSize(46, 18));
    EXPECT_EQ(field.Text(), "12");
    EXPECT_TRUE(field.Widget()->font().bold());
    EXPECT_EQ(field.Widget()->palette().color(QPalette::Active, QPalette::Text), QColor(0xCD, 0x22, 0x18));
}

TEST(StreamBuiltWindow, AppliesNegativeTopsSizesAlignmentAndTwoByteText) {
    auto window = fw::ImplicitInstance<StreamWnd>();
    auto& heading = window->Get<fw::Label>("Heading");
    EXPECT_EQ(InWindow(heading, *window), QPoint(4, -11));
    EXPECT_EQ(heading.Value(), "T\u00e9st");
    EXPECT_EQ(heading.Widget()->font().pixelSize(), 28);
    EXPECT_FALSE(heading.Widget()->isEnabled());
    EXPECT_TRUE(static_cast<QLabel*>(heading.Widget())->alignment() & Qt::AlignHCenter);
}

TEST(StreamBuiltWindow, AControlThatWasNeverAddedStaysHidden) {
    auto window = fw::ImplicitInstance<StreamWnd>();
    ASSERT_TRUE(window->IsVisible());
    auto& stray = fw::RuntimeCheckCast<fw::Label>(window->stray.get());
    EXPECT_FALSE(stray.Widget()->isVisible());
    EXPECT_EQ(window->Controls().size(), 3u);
}

// Font and colour entries reach the widget together at the end of the
// stream, also when a later entry fails; outside a stream at once.
inline constexpr auto kBoldRedThenFault = fw::PropertyStream([] {
    return std::array{
        fw::Prop("Bold", true), fw::Prop("FontSize", 20.0f), fw::Prop("TextColor", fw::Color{0xCD, 0x22, 0x18, 0}),
        fw::Prop("Period", 10),
    };
});

TEST(SetProperties, FontAndColoursReachTheWidgetEvenWhenALaterEntryFails) {
    fw::Label label;
    EXPECT_THROW(fw::SetProperties(label, kBoldRedThenFault), fw::UnsupportedFormatException);
    EXPECT_TRUE(label.Widget()->font().bold());
    EXPECT_EQ(label.Widget()->font().pixelSize(), 20);
    EXPECT_EQ(label.Widget()->palette().color(QPalette::Active, QPalette::WindowText), QColor(0xCD, 0x22, 0x18));

    label.SetItalic(true);
    label.SetTextColor(fw::Color{0x80, 0, 0, 0});
    EXPECT_TRUE(label.Widget()->font().italic());
    EXPECT_TRUE(label.Widget()->font().bold());
    EXPECT_EQ(label.Widget()->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(0x80, 0, 0));
}

inline constexpr auto kCentred = fw::PropertyStream([] { return std::array{fw::Prop("TextAlignment", 2)}; });
inline constexpr auto kDefaultAlignment = fw::PropertyStream([] { return std::array{fw::Prop("TextAlignment", 0)}; });

TEST(SetProperties, TextAreaAlignmentFollowsEachStream) {
    fw::TextArea area;
    auto* edit = static_cast<QTextEdit*>(area.Widget());
    for (const auto& [stream, expected] : {std::pair{fw::PropertyStreamView(kDefaultAlignment), Qt::AlignLeft},
                                          std::pair{fw::PropertyStreamView(kCentred), Qt::AlignHCenter},
                                          std::pair{fw::PropertyStreamView(kDefaultAlignment), Qt::AlignLeft}}) {
        fw::SetProperties(area, stream);
        EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, expected);
    }
}

// A record made without registering it still has its properties found.
class Unregistered : public fw::Object {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord record{.name = "Unregistered",
                                            .properties = {fw::Property<&Unregistered::SetWidth>("Width")}};
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }
    void SetWidth(std::int64_t v) { width = v; }
    std::int64_t width = 0;
};

inline constexpr auto kWidth = fw::PropertyStream([] { return std::array{fw::Prop("Width", 77)}; });

TEST(SetProperties, FindsThePropertiesOfARecordThatWasNeverRegistered) {
    Unregistered object;
    fw::SetProperties(object, kWidth);
    EXPECT_EQ(object.width, 77);
}

TEST(SetProperties, RefusesAKeyTheClassDoesNotDeclareNamingKeyAndOffset) {
    constexpr auto stream = fw::PropertyStream([] {
        return std::array{fw::Prop("Left", 1), fw::Prop("Period", 10)};
    });
    fw::Label label;
    try {
        fw::SetProperties(label, stream);
        FAIL() << "no exception";
    } catch (const fw::UnsupportedFormatException& e) {
        EXPECT_NE(std::string(e.what()).find("\"Period\" at byte 13"), std::string::npos) << e.what();
    }
    EXPECT_EQ(label.Left(), 1);  // entries before the fault stay applied
}

// Every property a framework class declares has the type layout data gives
// its key, so no stream value can reach a setter of another type.
TEST(SetProperties, EveryDeclaredPropertyHasItsKeysType) {
    for (const fw::ClassRecord* record :
         {&fw::Window::Class(), &fw::Rectangle::Class(), &fw::TextArea::Class(), &fw::TextField::Class(),
          &fw::Label::Class(), &fw::PushButton::Class(), &fw::Canvas::Class(), &fw::Timer::Class()}) {
        for (const fw::ClassRecord* r = record; r; r = r->base) {
            for (const fw::PropertyDecl& property : r->properties) {
                const fw::PropertyKey* key = fw::FindPropertyKey(property.name);
                ASSERT_NE(key, nullptr) << r->name << "." << property.name;
                EXPECT_EQ(key->type, property.type) << r->name << "." << property.name;
            }
        }
    }
}

}  // namespace
