#include "framework/push_button.h"

#include "framework/application.h"
#include "framework/control_class.h"
#include "framework/qt_conversions.h"

#include <QPushButton>

namespace fw {

namespace {
QPushButton* ButtonOf(const PushButton& button) { return static_cast<QPushButton*>(button.Widget()); }
}  // namespace

const ClassRecord& PushButton::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<PushButton>(
        FontControl::Class(),
        {
            Property<&PushButton::SetCaption>("Caption"),
            Property<&PushButton::SetDefault>("Default"),
            Property<&PushButton::SetCancel>("Cancel"),
            IgnoredProperty("MacButtonStyle", PropertyType::Integer),
        },
        {kAction}));
    return record;
}

PushButton::PushButton(QWidget* home) {
    auto* button = new QPushButton(home);
    // Return presses a button only when the layout makes it the default.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { RunHandler([this] { Push(); }); });
    SetWidget(button);
    // Clicking a button must not take the focus from the field being typed
    // into: the typing, and Edit > Paste, would have nowhere to go.
    TakeNoFocusOnClick();
}

void PushButton::SetCaption(std::string_view v) { ButtonOf(*this)->setText(ToQString(v)); }
String PushButton::Caption() const { return FromQString(ButtonOf(*this)->text()); }
void PushButton::SetDefault(bool v) { ButtonOf(*this)->setDefault(v); }

// The button is asked for also when nothing is to be set: that is still an
// operation on the control, which only its thread may call.
void PushButton::SetCancel(bool v) {
    QPushButton* button = ButtonOf(*this);
    if (v) button->setShortcut(QKeySequence(Qt::Key_Escape));
}

void PushButton::Push() { Raise(*this, kAction, *this); }

}  // namespace fw
