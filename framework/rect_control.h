// A control with a place on the window. Positions are coordinates of the
// window's content area, also for a control inside another (InitialParent);
// a parent is always built before its children.
#pragma once

#include "framework/control.h"

#include <functional>
#include <memory>

class QFont;
class QPalette;
class QWidget;

namespace fw {

struct RectControlImpl;

// A control with a place on the window: a Qt widget.
class RectControl : public Control {
public:
    static constexpr std::string_view kClassName = "RectControl";
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
    // Each concrete control makes its widget in its constructor, inside the
    // `home` it is given: the content area of the window that makes it (see
    // Window::New), or none for a control made on its own.
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

}  // namespace fw
