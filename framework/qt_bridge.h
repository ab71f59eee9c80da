// Framework-internal: the Qt side of windows and controls. Only framework
// sources include this header.
#pragma once

#include "framework/rect_control.h"
#include "framework/window.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;
class QMenuBar;

namespace fw {

QString ToQString(std::string_view text);
String FromQString(const QString& text);
QColor ToQColor(const Color& color);

// The top-level widget of a window: the menu bar above the content area.
class WindowFrame : public QWidget {
public:
    explicit WindowFrame(Window& owner);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Window& owner_;
};

// The content area, in whose coordinates every control is placed.
class ContentArea : public QWidget {
public:
    ContentArea(Window& owner, QWidget* parent);
    // The size the window's layout data gives.
    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Window& owner_;
};

struct WindowImpl {
    explicit WindowImpl(Window& owner);
    ~WindowImpl();

    void ApplyFrame();
    void PlaceOnScreen();

    Window& owner;
    std::unique_ptr<WindowFrame> frame;
    ContentArea* content = nullptr;
    QMenuBar* menuBar = nullptr;
    // The last widget of the window other than its menu bar to have the
    // focus: the one the menu bar took it from while the bar holds it.
    QPointer<QWidget> focusBeforeMenuBar;
    std::vector<std::shared_ptr<Control>> controls;
    std::map<String, std::function<bool()>, std::less<>> menuHandlers;

    std::int64_t width = 100, height = 100;
    std::int64_t minWidth = 0, minHeight = 0, maxWidth = 32000, maxHeight = 32000;
    std::int64_t type = 0;
    String title;
    bool hasCloseButton = true, hasMaximizeButton = true, hasMinimizeButton = true;
    bool resizeable = true, visible = false, menuBarVisible = false;
    bool hasBackgroundColor = false;
    Color backgroundColor{0xFF, 0xFF, 0xFF, 0};
    bool open = false, placed = false;
};

struct RectControlImpl {
    QPointer<QWidget> widget;
    RectControl* parent = nullptr;
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    std::int64_t tabIndex = 0;
    bool tabStop = true, enabled = true, visible = true;
    // Whether a click gives the control the keyboard focus (buttons: no).
    bool focusOnClick = true;
    bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
    // Where the control stood when the window's content area had its
    // layout size; anchoring works from there.
    std::int64_t anchorLeft = 0, anchorTop = 0, anchorWidth = 0, anchorHeight = 0;
    // Set while a stream has moved the control and its widget is not yet placed.
    bool geometryPending = false;
    // While streams are applied (nested count): the font and palette that
    // their entries have made so far, not yet given to the widget.
    int streamDepth = 0;
    std::optional<QFont> pendingFont;
    std::optional<QPalette> pendingPalette;
};

// Sets the keyboard focus order of the window's controls, and gives the
// focus to the first field the user can type in.
void OrderKeyboardFocus(Window& window);

// From the first call on, a window that the window manager activates while
// a menu is open becomes the active one, and the menus close.
void FollowTheWindowManagerPastOpenMenus();

// Builds the shared menu bar's widgets for a window, or returns nullptr when
// the application has no menu bar.
QMenuBar* CreateMenuBarFor(Window& window, QWidget* parent);

// The font in which a one-line label draws its text: its own, made smaller
// where the text would not fit the label's width otherwise.
QFont FittedFont(const QLabel& label);

// The class record of a control class: its name (C::kClassName), its
// properties, the events it raises, and how to make one for a window (for
// classes that are not abstract). A control with a widget makes it inside the window's content
// area: a widget made elsewhere and moved in would resolve its font,
// palette and style all over again.
template <class C>
ClassRecord ControlClass(const ClassRecord& base, std::vector<PropertyDecl> properties,
                         std::vector<ControlEvent> events = {}) {
    ClassRecord record{.name = String(C::kClassName), .base = &base};
    record.properties = std::move(properties);
    record.controlEvents = std::move(events);
    if constexpr (std::is_constructible_v<C, QWidget*>)
        record.create = [](Window& window) { return std::make_shared<C>(window.Impl().content); };
    else if constexpr (!std::is_abstract_v<C>)
        record.create = [](Window&) { return std::make_shared<C>(); };
    return record;
}

// A layout's text alignment (0 default, 1 left, 2 centred, 3 right) as Qt's.
Qt::Alignment HorizontalAlignment(std::int64_t alignment);

// The contrast ratio of two colours (1 to 21), and a text colour moved toward
// the background as far as readable contrast allows.
double ContrastRatio(const QColor& a, const QColor& b);
QColor ReadablyDimmed(const QColor& text, const QColor& background);

// Lays out the content area's controls again after it was resized.
void ApplyAnchors(Window& window, QSize contentSize);

}  // namespace fw
