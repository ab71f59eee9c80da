// The window layer's runtime: implicit instances, the user-interface thread,
// checked casts, event tables, delegates, timers and the report of exceptions
// that escape a handler.
#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/control_table.h"
#include "framework/dialogs.h"
#include "framework/label.h"
#include "framework/menu.h"
#include "framework/printing_qt.h"
#include "framework/property_encoder.h"
#include "framework/push_button.h"
#include "framework/rect_control_impl.h"
#include "framework/rectangle.h"
#include "framework/text_area.h"
#include "framework/text_field.h"
#include "framework/timer.h"
#include "framework/window.h"
#include "framework/window_impl.h"
#include "main_window/control_wnd.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/startup.h"
#include "tests/gui_test_support.h"

#include <QApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QImage>
#include <QMetaProperty>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <thread>

namespace {

// A window built in code, recording the events it gets.
class ProbeWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record = fw::RuntimeRegisterClass({
            .name = "ProbeWnd.ProbeWnd",
            .base = &fw::Window::Class(),
            .events = {fw::On<&ProbeWnd::Layout>("Layout"),
                       fw::On<&ProbeWnd::CreateControls>("CreateControls"),
                       fw::On<&ProbeWnd::AddMenuHandlers>("AddMenuHandlers"),
                       fw::On<&ProbeWnd::Event_Open>("Open"), fw::On<&ProbeWnd::Event_Close>("Close")},
        });
        return record;
    }
    const fw::ClassRecord& Record() const override { return Class(); }

    void Layout() {
        events.push_back("Layout");
        SetWidth(300);
        SetHeight(200);
        SetVisible(true);
    }
    void CreateControls() {
        events.push_back("CreateControls");
        if (failWhileBuilding) throw fw::NilObjectException("no such control");
        static constexpr auto kBox = fw::PropertyStream([] {
            return std::array{fw::Prop("Left", 100), fw::Prop("Top", 50), fw::Prop("Width", 80), fw::Prop("Height", 60)};
        });
        static constexpr auto kButton = fw::PropertyStream([] {
            return std::array{fw::Prop("Left", 110), fw::Prop("Top", 60), fw::Prop("Width", 40), fw::Prop("Height", 20),
                              fw::Prop("InitialParent", "Box")};
        });
        static constexpr fw::ControlEntry kControls[] = {
            {fw::Rectangle::Class, "Box", kBox},
            {fw::PushButton::Class, "Button", kButton},
        };
        fw::BuildControls(*this, kControls);
    }
    void AddMenuHandlers(fw::Window&) { events.push_back("AddMenuHandlers"); }
    void Event_Open() { events.push_back("Open"); }
    void Event_Close() { events.push_back("Close"); }

    void Button_Action(fw::PushButton&) {
        ++pushes;
        if (throwOnPush) throw fw::NilObjectException("pressed into nothing");
    }
    bool Button_Wrong(fw::PushButton&, const fw::String&) { return false; }
    void Field_Action(fw::TextField&) {}

    static inline bool failWhileBuilding = false;
    std::vector<std::string> events;
    int pushes = 0;
    bool throwOnPush = false;
};

TEST(ImplicitInstance, IsFoundWhileItLivesShownOrHiddenAndNotAfterClosing) {
    EXPECT_EQ(fw::GetImplicitWindow("ProbeWnd.ProbeWnd"), nullptr);
    auto first = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_EQ(fw::ImplicitInstance<ProbeWnd>(), first);
    EXPECT_TRUE(first->IsVisible());

    first->Hide();
    EXPECT_FALSE(first->IsVisible());
    EXPECT_EQ(fw::ImplicitInstance<ProbeWnd>(), first);

    first->Close();
    EXPECT_EQ(fw::GetImplicitWindow("ProbeWnd.ProbeWnd"), nullptr);
    auto second = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_NE(second, first);
}

TEST(ImplicitInstance, BuildsInEventOrderAndClosingRaisesClose) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_EQ(window->events,
              (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Open"}));
    window->Close();
    EXPECT_EQ(window->events.back(), "Close");
}

TEST(ImplicitInstance, AWindowWhoseBuildingFailedIsNotLive) {
    ProbeWnd::failWhileBuilding = true;
    EXPECT_THROW(fw::ImplicitInstance<ProbeWnd>(), fw::NilObjectException);
    ProbeWnd::failWhileBuilding = false;
    EXPECT_EQ(fw::GetImplicitWindow("ProbeWnd.ProbeWnd"), nullptr);
    EXPECT_NE(fw::ImplicitInstance<ProbeWnd>(), nullptr);
}

TEST(ImplicitInstance, ClosingTheLastVisibleWindowEndsTheApplication) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    window->Close();
    EXPECT_EQ(RunEndsWith(), 0);
}

// ---------------------------------------------------------------------------
// Off the user-interface thread every window, control, menu and dialog
// operation raises, before it has changed anything. Tried on the real
// windows and the application object with its menu bar.

// Runs the operation on a thread of its own; whether it raised
// ThreadAccessingUIException.
bool RaisesOffTheUIThread(const std::function<void()>& operation) {
    std::exception_ptr raised;
    std::thread([&] {
        try {
            operation();
        } catch (...) {
            raised = std::current_exception();
        }
    }).join();
    try {
        if (raised) std::rethrow_exception(raised);
    } catch (const fw::ThreadAccessingUIException&) {
        return true;
    } catch (...) {
    }
    return false;
}

class UIThread : public testing::Test {
protected:
    void SetUp() override {
        fw::RuntimePerformInitializers(ModuleInitializers());
        EarlyStartup();
        windows = {ControlWnd(), DescriptionWnd(), AboutWnd()};
        Snapshot();  // whatever Qt works out on first asking is settled
    }

    // The windows, then every control of each.
    std::vector<fw::Object*> Objects() const {
        std::vector<fw::Object*> objects;
        for (const auto& window : windows) objects.push_back(window.get());
        for (const auto& window : windows)
            for (fw::Control* control : window->Controls()) objects.push_back(control);
        return objects;
    }

    template <class T>
    T& Control(fw::Window& window, std::string_view name) {
        return fw::RuntimeCheckCast<T>(window.ControlByName(name));
    }

    // Everything the windows, their controls and widgets, the application
    // object and its menu bar hold, one line a value.
    std::vector<std::string> Snapshot() const {
        std::vector<std::string> lines;
        auto add = [&](std::string_view where, auto&&... values) {
            std::ostringstream line;
            line << where;
            ((line << ' ' << values), ...);
            lines.push_back(line.str());
        };
        auto qtObject = [&](const QObject& object) {
            const QMetaObject* meta = object.metaObject();
            for (int i = 0; i < meta->propertyCount(); ++i) {
                QString value;
                QDebug(&value) << meta->property(i).read(&object);
                add(meta->className(), meta->property(i).name(), value.toStdString());
            }
        };
        std::function<void(const fw::MenuItem&)> menu = [&](const fw::MenuItem& item) {
            add("menu", item.Name(), item.Value(), item.Visible(), item.AutoEnabled(), item.Shortcut(), item.Enabled(),
                item.Count());
            for (std::int64_t i = 0; i < item.Count(); ++i) menu(*item.Item(i));
        };
        const auto app = fw::GetAppObject();
        add("application", app->MajorVersion(), app->MinorVersion(), app->BugVersion(), app->NonReleaseVersion(),
            app->StageCode(), app->LongVersion(), app->ShortVersion(), app->PackageInfo(), app->MenuBar(),
            QCoreApplication::applicationName().toStdString(), QCoreApplication::applicationVersion().toStdString());
        for (const char* item : {"AboutDOR", "AboutMenuItem", "Off"}) add("handler", item, app->MenuHandler(item));
        menu(*app->MenuBar());
        add("windows", fw::LiveWindows().size(), fw::FrontmostWindow());
        add("platform", TestDesktop().beeps, TestDesktop().messages.size());
        for (const auto& window : windows) {
            const fw::WindowImpl& w = window->Impl();
            add(window->Record().name, w.width, w.height, w.minWidth, w.minHeight, w.maxWidth, w.maxHeight, w.type,
                w.title, w.hasCloseButton, w.hasMaximizeButton, w.hasMinimizeButton, w.resizeable, w.visible,
                w.menuBarVisible, w.hasBackgroundColor, int(w.backgroundColor.red), w.open, w.placed,
                w.controls.size(), w.menuHandlers.size());
            qtObject(*w.frame);
            for (const QObject* object : w.frame->findChildren<QObject*>()) qtObject(*object);
        }
        for (fw::Object* object : Objects()) {
            auto* control = fw::As<fw::Control>(object);
            if (!control) continue;
            add(control->Name(), control->Owner());
            for (const fw::ClassRecord* r = &object->Record(); r; r = r->base)
                for (const fw::ControlEvent& event : r->controlEvents)
                    add(control->Name(), event.event, control->EventHandler(event.event));
            if (auto* rect = fw::As<fw::RectControl>(object)) {
                const fw::RectControlImpl& c = rect->Impl();
                add(control->Name(), c.left, c.top, c.width, c.height, c.tabIndex, c.tabStop, c.enabled, c.visible,
                    c.focusOnClick, c.lockLeft, c.lockTop, c.lockRight, c.lockBottom, c.anchorLeft, c.anchorTop,
                    c.anchorWidth, c.anchorHeight, c.geometryPending, c.streamDepth, c.pendingFont.has_value(),
                    c.pendingPalette.has_value(), c.parent);
            }
            if (auto* font = fw::As<fw::FontControl>(object))
                add(control->Name(), font->FontName(), font->FontSize(), font->Bold(), font->Italic(),
                    font->Underline());
            if (auto* canvas = fw::As<fw::Canvas>(object)) add(control->Name(), canvas->Backdrop());
            if (auto* timer = fw::As<fw::Timer>(object))
                add(control->Name(), timer->Period(), timer->RunMode(), timer->IsRunning());
            if (auto* area = fw::As<fw::TextArea>(object))
                add(control->Name(), area->SelStart(), area->SelLength());
        }
        return lines;
    }

    // The first line that differs from before, or nothing.
    std::string Changed(const std::vector<std::string>& before) const {
        const std::vector<std::string> now = Snapshot();
        const auto [was, is] = std::mismatch(before.begin(), before.end(), now.begin(), now.end());
        if (was == before.end() && is == now.end()) return "";
        return (was == before.end() ? "" : *was) + "  ->  " + (is == now.end() ? "" : *is);
    }

    std::vector<std::shared_ptr<fw::Window>> windows;
};

// Every property that a framework class declares, set on an object of each
// class of the windows and their controls with two values of its type (so
// that one of them differs from the value held).
TEST_F(UIThread, EveryPropertyOffItRaisesAndChangesNothing) {
    const std::map<fw::PropertyType, std::vector<fw::PropertyValue>> values = {
        {fw::PropertyType::Integer, {std::int64_t(3), std::int64_t(5)}},
        {fw::PropertyType::Double, {0.5, 2.5}},
        {fw::PropertyType::Single, {3.5f, 9.5f}},
        {fw::PropertyType::Boolean, {true, false}},
        {fw::PropertyType::Enum8, {std::uint8_t(1), std::uint8_t(2)}},
        {fw::PropertyType::Color, {fw::Color{1, 2, 3, 0}, fw::Color{200, 100, 50, 0}}},
        {fw::PropertyType::String, {std::string_view("Off"), std::string_view()}},
    };
    const std::vector<std::string> before = Snapshot();
    std::set<const fw::ClassRecord*> walked;
    for (fw::Object* object : Objects()) {
        const fw::ClassRecord& record = object->Record();
        if (!walked.insert(&record).second) continue;
        for (const fw::ClassRecord* r = &record; r; r = r->base)
            for (const fw::PropertyDecl& property : r->properties)
                for (const fw::PropertyValue& value : values.at(property.type)) {
                    SCOPED_TRACE(record.name + "." + fw::String(property.name));
                    EXPECT_TRUE(RaisesOffTheUIThread([&] { property.set(*object, value); }));
                }
        EXPECT_EQ(Changed(before), "") << record.name;
    }
    // Every class record that declares properties had an object walked.
    for (const fw::String& name : fw::RuntimeClassNames()) {
        const fw::ClassRecord& record = *fw::RuntimeFindClass(name);
        EXPECT_TRUE(record.properties.empty() || std::any_of(walked.begin(), walked.end(), [&](auto* w) {
                        return w->IsA(record);
                    })) << name;
    }
}

// Every other operation of the framework's classes.
TEST_F(UIThread, EveryOtherOperationOffItRaisesAndChangesNothing) {
    auto& controlWnd = *windows[0];
    auto& description = *windows[1];
    auto& about = *windows[2];
    auto& area = Control<fw::TextArea>(controlWnd, "tpFld");
    auto& field = Control<fw::TextField>(controlWnd, "preFld");
    auto& label = Control<fw::Label>(controlWnd, "StaticText1");
    auto& button = Control<fw::PushButton>(controlWnd, "CalculateBtn");
    auto& canvas = Control<fw::Canvas>(controlWnd, "Canvas2");
    auto& timer = Control<fw::Timer>(about, "Timer1");
    auto app = fw::GetAppObject();
    auto item = app->MenuBar()->Lookup("EditCopy");
    QImage page(200, 200, QImage::Format_RGB32);
    auto graphics = std::make_shared<fw::Graphics>(std::make_unique<fw::Graphics::Device>(page));
    auto printer = Control<fw::TextArea>(description, "DescribeFld2").StyledTextPrinter(graphics, 100);
    const std::pair<const char*, std::function<void()>> operations[] = {
        // Windows
        {"a window made", [] { std::make_shared<ProbeWnd>(); }},
        {"GetImplicitWindow", [] { fw::GetImplicitWindow("ControlWnd.ControlWnd"); }},
        {"ImplicitInstance", [] { fw::ImplicitInstance<ProbeWnd>(); }},
        {"LiveWindows", [] { fw::LiveWindows(); }},
        {"FrontmostWindow", [] { fw::FrontmostWindow(); }},
        {"RuntimeReleaseWindows", [] { fw::RuntimeReleaseWindows(); }},
        {"SetProperties", [&] { fw::SetProperties(controlWnd, {}); }},
        {"Window::Constructor", [&] { controlWnd.Constructor(); }},
        {"Window::Show", [&] { description.Show(); }},
        {"Window::Hide", [&] { controlWnd.Hide(); }},
        {"Window::Close", [&] { controlWnd.Close(); }},
        {"Window::IsVisible", [&] { controlWnd.IsVisible(); }},
        {"Window::IsOpen", [&] { controlWnd.IsOpen(); }},
        {"Window::New", [&] { controlWnd.New(fw::PushButton::Class()); }},
        {"BuildControls", [&] { fw::BuildControls(controlWnd, {}); }},
        {"Window::AddControl", [&] { controlWnd.AddControl("Off", nullptr); }},
        {"Window::ControlByName", [&] { controlWnd.ControlByName("tpFld"); }},
        {"Window::Controls", [&] { controlWnd.Controls(); }},
        {"Window::AddMenuHandler", [&] { controlWnd.AddMenuHandler("Off", [] { return true; }); }},
        {"Window::MenuHandler", [&] { controlWnd.MenuHandler("EditClear"); }},
        {"Window::RaiseEvent", [&] { controlWnd.RaiseEvent("Activate"); }},
        {"Window::RaiseKeyDown", [&] { about.RaiseKeyDown("a"); }},
        {"Window::RaiseMouseDown", [&] { about.RaiseMouseDown(1, 1); }},
        {"Window::Title", [&] { controlWnd.Title(); }},
        {"Window::Width", [&] { controlWnd.Width(); }},
        {"Window::Height", [&] { controlWnd.Height(); }},
        {"Window::Resizeable", [&] { controlWnd.Resizeable(); }},
        {"Window::MenuBarVisible", [&] { controlWnd.MenuBarVisible(); }},
        {"Window::Impl", [&] { controlWnd.Impl(); }},
        // Controls
        {"Control::Name", [&] { label.Name(); }},
        {"Control::Owner", [&] { label.Owner(); }},
        {"Control::AttachTo", [&] { label.AttachTo(description); }},
        {"Control::SetEventHandler", [&] { button.SetEventHandler("Action", {}); }},
        {"Control::EventHandler", [&] { button.EventHandler("Action"); }},
        {"RuntimeAddEventHandler", [&] { fw::RuntimeAddEventHandler(button, "Action", {}); }},
        {"RectControl::BeginProperties", [&] { label.BeginProperties(); }},
        {"RectControl::EndProperties", [&] { label.EndProperties(); }},
        {"RectControl::Left", [&] { label.Left(); }},
        {"RectControl::Top", [&] { label.Top(); }},
        {"RectControl::Width", [&] { label.Width(); }},
        {"RectControl::Height", [&] { label.Height(); }},
        {"RectControl::TabIndex", [&] { label.TabIndex(); }},
        {"RectControl::TabStop", [&] { label.TabStop(); }},
        {"RectControl::Enabled", [&] { label.Enabled(); }},
        {"RectControl::Parent", [&] { label.Parent(); }},
        {"RectControl::Widget", [&] { label.Widget(); }},
        {"RectControl::Impl", [&] { label.Impl(); }},
        {"FontControl::FontName", [&] { label.FontName(); }},
        {"FontControl::FontSize", [&] { label.FontSize(); }},
        {"FontControl::Bold", [&] { label.Bold(); }},
        {"FontControl::Italic", [&] { label.Italic(); }},
        {"FontControl::Underline", [&] { label.Underline(); }},
        {"Label::Value", [&] { label.Value(); }},
        {"PushButton::Caption", [&] { button.Caption(); }},
        {"PushButton::Push", [&] { button.Push(); }},
        {"Canvas::SetBackdrop", [&] { canvas.SetBackdrop(nullptr); }},
        {"Canvas::Backdrop", [&] { canvas.Backdrop(); }},
        {"Canvas::MouseDown", [&] { canvas.MouseDown(1, 1); }},
        {"Timer::Period", [&] { timer.Period(); }},
        {"Timer::RunMode", [&] { timer.RunMode(); }},
        {"Timer::IsRunning", [&] { timer.IsRunning(); }},
        {"Timer::Fire", [&] { timer.Fire(); }},
        {"TextEdit::SetFocus", [&] { field.SetFocus(); }},
        {"TextEdit::FilterKey", [&] { field.FilterKey("a"); }},
        {"TextField::Text", [&] { field.Text(); }},
        {"TextField::SetText", [&] { field.SetText("Off"); }},
        {"TextField::CanDo", [&] { field.CanDo(fw::TextEdit::EditCommand::Paste); }},
        {"TextField::Do", [&] { field.Do(fw::TextEdit::EditCommand::Cut); }},
        {"TextArea::Text", [&] { area.Text(); }},
        {"TextArea::SetText", [&] { area.SetText("Off"); }},
        {"TextArea::CanDo", [&] { area.CanDo(fw::TextEdit::EditCommand::Paste); }},
        {"TextArea::Do", [&] { area.Do(fw::TextEdit::EditCommand::Cut); }},
        {"TextArea::SetSelStart", [&] { area.SetSelStart(1); }},
        {"TextArea::SetSelLength", [&] { area.SetSelLength(1); }},
        {"TextArea::SelStart", [&] { area.SelStart(); }},
        {"TextArea::SelLength", [&] { area.SelLength(); }},
        {"TextArea::SetSelBold", [&] { area.SetSelBold(true); }},
        {"TextArea::StyledTextPrinter", [&] { area.StyledTextPrinter(nullptr, 100); }},
        // Menus
        {"a menu item made", [] { std::make_shared<fw::MenuItem>(); }},
        {"MenuItem::Name", [&] { item->Name(); }},
        {"MenuItem::SetName", [&] { item->SetName("Off"); }},
        {"MenuItem::Value", [&] { item->Value(); }},
        {"MenuItem::SetValue", [&] { item->SetValue("Off"); }},
        {"MenuItem::Visible", [&] { item->Visible(); }},
        {"MenuItem::SetVisible", [&] { item->SetVisible(false); }},
        {"MenuItem::AutoEnabled", [&] { item->AutoEnabled(); }},
        {"MenuItem::SetAutoEnabled", [&] { item->SetAutoEnabled(false); }},
        {"MenuItem::Shortcut", [&] { item->Shortcut(); }},
        {"MenuItem::SetShortcut", [&] { item->SetShortcut("Cmd+J"); }},
        {"MenuItem::Enabled", [&] { item->Enabled(); }},
        {"MenuItem::SetEnabled", [&] { item->SetEnabled(false); }},
        {"MenuItem::AddMenu", [&] { item->AddMenu(nullptr); }},
        {"MenuItem::Child", [&] { item->Child("Off"); }},
        {"MenuItem::Lookup", [&] { app->MenuBar()->Lookup("Off"); }},
        {"MenuItem::Count", [&] { item->Count(); }},
        {"MenuItem::Item", [&] { app->MenuBar()->Item(0); }},
        // The application
        {"Application::SetSupportsHiDPI", [] { fw::Application::SetSupportsHiDPI(false); }},
        {"Application::_x_SetVersionData",
         [&] { app->_x_SetVersionData(9, 9, 9, 9, 9, "Off", "Off", "Off"); }},
        {"Application::MajorVersion", [&] { app->MajorVersion(); }},
        {"Application::MinorVersion", [&] { app->MinorVersion(); }},
        {"Application::BugVersion", [&] { app->BugVersion(); }},
        {"Application::NonReleaseVersion", [&] { app->NonReleaseVersion(); }},
        {"Application::StageCode", [&] { app->StageCode(); }},
        {"Application::LongVersion", [&] { app->LongVersion(); }},
        {"Application::Copyright", [&] { app->Copyright(); }},
        {"Application::ShortVersion", [&] { app->ShortVersion(); }},
        {"Application::Version", [&] { app->Version(); }},
        {"Application::PackageInfo", [&] { app->PackageInfo(); }},
        {"Application::Description", [&] { app->Description(); }},
        {"Application::SetMenuBar", [&] { app->SetMenuBar(nullptr); }},
        {"Application::MenuBar", [&] { app->MenuBar(); }},
        {"Application::AddMenuHandler", [&] { app->AddMenuHandler("Off", [] { return true; }); }},
        {"Application::MenuHandler", [&] { app->MenuHandler("AboutDOR"); }},
        {"Application::RaiseEvent", [&] { app->RaiseEvent("EnableMenuItems"); }},
        // Dialogs and printing
        {"Beep", [] { fw::Beep(); }},
        {"MsgBox", [] { fw::MsgBox("Off"); }},
        {"OpenPrinterDialog", [] { fw::OpenPrinterDialog(); }},
        {"StyledTextPrinter::DrawBlock", [&] { printer->DrawBlock(0, 0, 100); }},
    };
    const std::vector<std::string> before = Snapshot();
    for (const auto& [what, operation] : operations) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(RaisesOffTheUIThread(operation));
        EXPECT_EQ(Changed(before), "");
    }
}

TEST(CheckedCast, RaisesOnNilAndOnAnotherClass) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    EXPECT_THROW(fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Missing")),
                 fw::NilObjectException);
    EXPECT_THROW(fw::RuntimeCheckCast<fw::TextArea>(window->ControlByName("Box")), fw::TypeMismatchException);
    // A control passes as any of its bases.
    EXPECT_NO_THROW(fw::RuntimeCheckCast<fw::RectControl>(window->ControlByName("Box")));
    EXPECT_NO_THROW(fw::RuntimeCheckCast<fw::Control>(window->ControlByName("Button")));
}

TEST(EventTable, AnswersExactlyForTheEventsOfTheClassTable) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    for (const char* event : {"Layout", "CreateControls", "AddMenuHandlers", "Open", "Close"})
        EXPECT_TRUE(fw::RuntimeIsEventHandled(*window, "ProbeWnd.ProbeWnd", event, true)) << event;
    for (const char* event : {"Activate", "KeyDown", "MouseDown", "EnableMenuItems"})
        EXPECT_FALSE(fw::RuntimeIsEventHandled(*window, "ProbeWnd.ProbeWnd", event, true)) << event;
    // Events the class has no handler for do nothing.
    EXPECT_FALSE(window->RaiseKeyDown("a"));
    EXPECT_FALSE(window->RaiseMouseDown(1, 2));
}

TEST(Delegates, ConnectOnlyWithTheEventsSignature) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    EXPECT_THROW(fw::RuntimeAddEventHandler(button, "Action",
                                            fw::RuntimeCreateDelegate(&ProbeWnd::Field_Action, window.get())),
                 fw::TypeMismatchException);
    EXPECT_THROW(fw::RuntimeAddEventHandler(button, "KeyDown",
                                            fw::RuntimeCreateDelegate(&ProbeWnd::Button_Wrong, window.get())),
                 fw::FunctionNotFoundException);

    fw::RuntimeAddEventHandler(button, "Action", fw::RuntimeCreateDelegate(&ProbeWnd::Button_Action, window.get()));
    QTest::mouseClick(button.Widget(), Qt::LeftButton);
    EXPECT_EQ(window->pushes, 1);
}

TEST(Delegates, AnExceptionEscapingAHandlerIsReportedAndEndsTheApplication) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    fw::RuntimeAddEventHandler(button, "Action", fw::RuntimeCreateDelegate(&ProbeWnd::Button_Action, window.get()));
    window->throwOnPush = true;

    testing::internal::CaptureStderr();
    QTest::mouseClick(button.Widget(), Qt::LeftButton);
    std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(report.find("Unhandled NilObjectException: pressed into nothing"), std::string::npos) << report;
    EXPECT_EQ(report.find("Unhandled"), report.rfind("Unhandled")) << "reported once";
    EXPECT_EQ(RunEndsWith(), 1);
    EXPECT_NE(fw::RuntimeExit(), 0);
}

TEST(Placement, AControlInsideAnotherIsPlacedByWindowCoordinates) {
    auto window = fw::ImplicitInstance<ProbeWnd>();
    auto& button = fw::RuntimeCheckCast<fw::PushButton>(window->ControlByName("Button"));
    auto& box = fw::RuntimeCheckCast<fw::Rectangle>(window->ControlByName("Box"));
    EXPECT_EQ(button.Widget()->parentWidget(), box.Widget());
    EXPECT_EQ(button.Widget()->geometry(), QRect(10, 10, 40, 20));
    QPoint inWindow = button.Widget()->mapTo(box.Widget()->parentWidget(), QPoint(0, 0));
    EXPECT_EQ(inWindow, QPoint(110, 60));
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 200);
}

// A timer whose Action counts its ticks.
class Timers : public testing::Test {
protected:
    Timers() {
        fw::RuntimeAddEventHandler(timer, "Action", fw::RuntimeCreateDelegate(&Timers::Tick, this));
    }
    void Tick(fw::Timer&) { ++ticks; }

    fw::Timer timer;
    int ticks = 0;
};

TEST_F(Timers, ASingleShotTimerFiresOnceFromTheEventLoop) {
    timer.SetPeriod(20);
    timer.SetRunMode(1);
    EXPECT_EQ(ticks, 0);  // nothing happens outside the event loop
    QTRY_COMPARE(ticks, 1);
    EXPECT_FALSE(timer.IsRunning());  // so it fires no more
}

TEST_F(Timers, NeverFireBeforeTheirPeriodEnds) {
    QElapsedTimer clock;
    clock.start();
    timer.SetPeriod(400);
    timer.SetRunMode(1);
    QTRY_VERIFY_WITH_TIMEOUT(ticks == 1, 2000);
    EXPECT_GE(clock.elapsed(), 400);
}

TEST_F(Timers, RunModeTwoRepeatsAndZeroStops) {
    timer.SetPeriod(10);
    timer.SetRunMode(2);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 2000);
    timer.SetRunMode(0);
    EXPECT_FALSE(timer.IsRunning());  // so it fires no more
    const int after = ticks;
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, after);
}

TEST(WeakReferences, DoNotKeepTheirWindowAlive) {
    fw::WeakRef ref;
    {
        auto window = fw::ImplicitInstance<ProbeWnd>();
        ref = fw::WeakRef(window);
        EXPECT_EQ(ref.Value(), window);
        window->Close();
    }
    fw::RuntimeReleaseWindows();
    EXPECT_EQ(ref.Value(), nullptr);
}

}  // namespace

namespace {

TEST(UnhandledExceptions, InTheEventLoopAreShownInAMessageAndEndTheRunNonZero) {
    fw::RunFrameworkInitialization([] { throw fw::NilObjectException("no About window"); });

    testing::internal::CaptureStderr();
    const int quitCode = fw::RuntimeRun();
    const std::string report = testing::internal::GetCapturedStderr();

    EXPECT_NE(report.find("NilObjectException: no About window"), std::string::npos) << report;
    ASSERT_EQ(TestDesktop().messages.size(), 1u);
    EXPECT_EQ(TestDesktop().messages[0].kind, fw::Platform::MessageKind::Error);
    EXPECT_EQ(TestDesktop().messages[0].text, "An unexpected error ended the application.");
    EXPECT_EQ(TestDesktop().messages[0].detail, "NilObjectException: no About window");
    EXPECT_EQ(quitCode, 1);
    EXPECT_NE(fw::RuntimeExit(), 0);
}

}  // namespace
