// Controls: the parts of a window, each built from its own layout data.
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
class Picture;
class Graphics;
class StyledTextPrinter;

class Control : public Object {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    ~Control() override;

    // The control's default construction.
    virtual void Constructor() {}

    const String& Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    void SetIndex(std::int64_t index) { index_ = index; }

    // The window the control was added to (nullptr before, or once the
    // window is gone).
    Window* Owner() const;
    virtual void AttachTo(Window& window);

    void SetEventHandler(std::string_view event, Delegate delegate);
    const Delegate* EventHandler(std::string_view event) const;

private:
    String name_;
    std::int64_t index_ = 0;
    std::weak_ptr<Object> owner_;
    std::map<String, Delegate, std::less<>> handlers_;
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
    void SetTooltip(const String&);
    void SetInitialParent(const String&);

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
    // Change the widget's font or palette. While a stream is applied the
    // changes gather on a copy that the widget gets once, at its end: every
    // change makes Qt resolve the look of the widget and its children again.
    void ChangeFont(const std::function<void(QFont&)>& change);
    void ChangePalette(const std::function<void(QPalette&)>& change);

private:
    std::unique_ptr<RectControlImpl> impl_;
};

// The font properties shared by every control that shows text.
class FontControl : public RectControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    void SetFontName(const String&);
    void SetFontSize(float);
    void SetBold(bool);
    void SetItalic(bool);
    void SetUnderline(bool);

    String FontName() const { return fontName_; }
    float FontSize() const { return fontSize_; }
    bool Bold() const { return bold_; }

private:
    void ApplyFont();
    String fontName_ = "System";
    float fontSize_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
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
};

class Rectangle : public RectControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    Rectangle();
    void SetFillColor(const Color&);
    void SetTopLeftColor(const Color&);
    void SetBottomRightColor(const Color&);
    void SetBorderThickness(double);
};

// An editable text: the multi-line TextArea and the single-line TextField
// share the text, selection, focus and key-filter behaviour.
class TextEdit : public TextControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    virtual String Text() const = 0;
    virtual void SetText(const String& text) = 0;
    void SetFocus();

    void SetValue(const String& text) { SetText(text); }
    virtual void SetReadOnly(bool) = 0;
    void SetBackgroundColor(const Color&);
    void SetHasBorder(bool);
    void SetAllowTabs(bool allow) { allowTabs_ = allow; }
    bool AllowTabs() const { return allowTabs_; }

    // Raises KeyDown for a key typed into the field; true swallows the key.
    bool FilterKey(const String& key);
    // The Edit menu's commands on this field, and whether each can run now.
    enum class EditCommand { Undo, Cut, Copy, Paste };
    virtual bool CanDo(EditCommand) const = 0;
    virtual void Do(EditCommand) = 0;

protected:
    void InstallKeyFilter();

private:
    bool allowTabs_ = false;
};

class TextArea : public TextEdit {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    TextArea();

    String Text() const override;
    void SetText(const String& text) override;
    void SetReadOnly(bool) override;
    void SetMultiLine(bool);
    void SetAllowStyledText(bool);
    void SetHasVerticalScrollbar(bool);
    void SetHasHorizontalScrollbar(bool);
    void SetHideSelection(bool) {}
    void SetLineSpacing(double);

    // Selection, in characters; SelBold makes the selected text bold.
    void SetSelStart(std::int64_t);
    void SetSelLength(std::int64_t);
    std::int64_t SelStart() const;
    std::int64_t SelLength() const;
    void SetSelBold(bool);
    // Whether the character at the position is bold (for checks).
    bool IsBoldAt(std::int64_t position) const;

    // The current styled text, laid out `width` points wide for printing on
    // the Graphics (printing.h). A nil Graphics raises NilObjectException.
    std::shared_ptr<fw::StyledTextPrinter> StyledTextPrinter(const std::shared_ptr<Graphics>& graphics,
                                                             double width) const;

    bool CanDo(EditCommand) const override;
    void Do(EditCommand) override;

protected:
    void ApplyAlignment(std::int64_t alignment) override;
};

class TextField : public TextEdit {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    TextField();

    String Text() const override;
    void SetText(const String& text) override;
    void SetReadOnly(bool) override;
    void SetPassword(bool);
    void SetHint(const String&);
    void SetMaximumCharactersAllowed(std::int64_t);
    bool CanDo(EditCommand) const override;
    void Do(EditCommand) override;

protected:
    void ApplyAlignment(std::int64_t alignment) override;
};

class Label : public TextControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    Label();
    void SetValue(const String&);
    String Value() const;
    void SetMultiLine(bool);
    void SetSelectable(bool);

protected:
    void ApplyAlignment(std::int64_t alignment) override;
};

class PushButton : public FontControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    PushButton();
    void SetCaption(const String&);
    String Caption() const;
    void SetDefault(bool);
    void SetCancel(bool);
    void Push();  // as a click does: raises Action
};

class Canvas : public RectControl {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    Canvas();
    void SetBackdrop(std::shared_ptr<Picture> picture);
    const std::shared_ptr<Picture>& Backdrop() const { return backdrop_; }
    void SetAllowFocus(bool);
    // A mouse press at (x, y) in the canvas; true when a handler took it.
    bool MouseDown(std::int64_t x, std::int64_t y);

private:
    std::shared_ptr<Picture> backdrop_;
};

struct TimerImpl;

// A timer: RunMode 0 is off, 1 fires once, 2 fires every Period ms. Its
// Action is raised from the event loop.
class Timer : public Control {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    Timer();
    ~Timer() override;
    void SetPeriod(std::int64_t milliseconds);
    void SetRunMode(std::int64_t mode);
    std::int64_t Period() const;
    std::int64_t RunMode() const;
    bool IsRunning() const;
    // Raises Action as the event loop does when the period ends.
    void Fire();

private:
    std::unique_ptr<TimerImpl> impl_;
};

}  // namespace fw
