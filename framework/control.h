// Controls: the parts of a window, each built from its own layout data.
// This header holds what all controls share; each control has a header of
// its own (text_area.h, text_field.h, label.h, push_button.h, canvas.h,
// rectangle.h, timer.h).
//
// Positions are coordinates of the window's content area, also for a control
// inside another (InitialParent); a parent is always built before its
// children. A control raises its events to delegates connected with
// RuntimeAddEventHandler.
#pragma once

#include "framework/object.h"

#include <memory>
#include <string_view>

class QFont;
class QPalette;
class QWidget;

namespace fw {

class Window;

class Control : public Object {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    ~Control() override;

    // The control's default construction.
    virtual void Constructor() {}

    const String& Name() const { return state_->name; }
    void SetName(const String& name) { state_->name = name; }
    void SetIndex(std::int64_t index) { state_->index = index; }

    // The window the control was added to (nullptr before, or once the
    // window is gone).
    Window* Owner() const;
    virtual void AttachTo(Window& window);

    void SetEventHandler(std::string_view event, Delegate delegate);
    const Delegate* EventHandler(std::string_view event) const;

private:
    struct State {
        String name;
        std::int64_t index = 0;
        std::weak_ptr<Object> owner;
        std::map<String, Delegate, std::less<>> handlers;
    };
    UIThreadOnly<State> state_;
};

// A control that knows its window through the framework's pane interface;
// the framework hands it its window and index when it is added.
class PaneChild {
public:
    virtual ~PaneChild() = default;
    virtual void SetWindow(const std::shared_ptr<fw::Window>& window) = 0;
    virtual std::shared_ptr<fw::Window> Window() = 0;
    virtual std::int64_t Index() = 0;
    virtual void SetIndex(std::int64_t index) = 0;
};

struct RectControlImpl;

// A control with a place on the window: a Qt widget.
class RectControl : public Control {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    RectControl();
    ~RectControl() override;

    void AttachTo(Window& window) override;
    void BeginProperties() override;
    void EndProperties() override;

    void SetLeft(std::int64_t);
    void SetTop(std::int64_t);
    void SetWidth(std::int64_t);
    void SetHeight(std::int64_t);
    void SetLockLeft(bool);
    void SetLockTop(bool);
    void SetLockRight(bool);
    void SetLockBottom(bool);
    void SetTabIndex(std::int64_t);
    void SetTabStop(bool);
    void SetEnabled(bool);
    void SetVisible(bool);
    void SetTooltip(std::string_view);
    void SetInitialParent(std::string_view);

    std::int64_t Left() const;
    std::int64_t Top() const;
    std::int64_t Width() const;
    std::int64_t Height() const;
    std::int64_t TabIndex() const;
    bool TabStop() const;
    bool Enabled() const;
    RectControl* Parent() const;

    QWidget* Widget() const;
    RectControlImpl& Impl() const { return *impl_; }

protected:
    // Each concrete control makes its widget in its constructor.
    void SetWidget(QWidget* widget);
    // A click leaves the keyboard focus where it is; Tab still reaches the
    // control while it is a tab stop.
    void TakeNoFocusOnClick();
    // Change the widget's font or palette. While a stream is applied the
    // changes gather on a copy that the widget gets once, at its end: every
    // change makes Qt resolve the look of the widget and its children again.
    void ChangeFont(const std::function<void(QFont&)>& change);
    void ChangePalette(const std::function<void(QPalette&)>& change);
    // What a palette needs beyond the colours set, worked out each time the
    // widget gets one: once a stream, however many colours it sets.
    virtual void CompletePalette(QPalette&) {}

private:
    void UpdateGeometry();
    void ApplyPendingLook();

    UIThreadOnly<std::unique_ptr<RectControlImpl>> impl_;
};

// The font properties shared by every control that shows text.
class FontControl : public RectControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    void SetFontName(std::string_view);
    void SetFontSize(float);
    void SetBold(bool);
    void SetItalic(bool);
    void SetUnderline(bool);

    String FontName() const { return font_->name; }
    float FontSize() const { return font_->size; }
    bool Bold() const { return font_->bold; }
    bool Italic() const { return font_->italic; }
    bool Underline() const { return font_->underline; }

    // A stream sets the font's parts one by one; the font is made once, at
    // its end.
    void BeginProperties() override;
    void EndProperties() override;

private:
    void ApplyFont();
    struct Font {
        String name = "System";
        float size = 0;
        bool bold = false, italic = false, underline = false;
        int streamDepth = 0;
        bool changed = false;  // by a stream, not yet applied
    };
    UIThreadOnly<Font> font_;
};

// Text colour and alignment, beside the font, for labels and text fields.
class TextControl : public FontControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    void SetTextColor(const Color&);
    void SetTextAlignment(std::int64_t);  // 0 default, 1 left, 2 centred, 3 right

protected:
    virtual void ApplyAlignment(std::int64_t alignment) = 0;
    // Whether the text stands on the control's own field colour rather
    // than on the window behind it.
    virtual bool HasFieldBackground() const { return false; }
    // Gives the text of the disabled control a dimmed but readable colour,
    // from the text and background colours the palette has.
    void CompletePalette(QPalette& palette) override;
};

}  // namespace fw
