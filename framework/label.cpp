#include "framework/label.h"

#include "framework/control_class.h"
#include "framework/qt_conversions.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace fw {

namespace {
QLabel* LabelOf(const Label& label) { return static_cast<QLabel*>(label.Widget()); }

// Below this, a text would no longer be readable; it is cut off instead.
constexpr int kSmallestFittedPixelSize = 8;

// Layout data sizes a one-line label to its text in the font it was laid out
// with. A wider desktop font would cut off the end of such a text, so the
// label draws it a little smaller, just small enough to show all of it.
class FittingLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        const QFont fitted = FittedFont(*this);
        if (fitted == font()) return QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setFont(fitted);
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), text(),
                              foregroundRole());
    }
};

}  // namespace

QFont FittedFont(const QLabel& label) {
    QFont font = label.font();
    if (label.wordWrap()) return font;
    const int width = label.contentsRect().width();
    int size = QFontInfo(font).pixelSize();
    while (size > kSmallestFittedPixelSize && QFontMetrics(font).size(0, label.text()).width() > width)
        font.setPixelSize(--size);
    return font;
}

const ClassRecord& Label::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Label>(
        TextControl::Class(),
        {
            Property<&Label::SetValue>("Value"),
            Property<&Label::SetMultiLine>("MultiLine"),
            Property<&Label::SetSelectable>("Selectable"),
            IgnoredProperty("DataSource", PropertyType::String),
            IgnoredProperty("DataField", PropertyType::String),
        }));
    return record;
}

Label::Label(QWidget* home) {
    auto* label = new FittingLabel(home);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A label takes no focus and no clicks: presses go on to the window.
    label->setFocusPolicy(Qt::NoFocus);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetWidget(label);
}

void Label::SetValue(std::string_view v) { LabelOf(*this)->setText(ToQString(v)); }
String Label::Value() const { return FromQString(LabelOf(*this)->text()); }
// Setting the wrapping a label has would still lay it out anew.
void Label::SetMultiLine(bool v) {
    if (LabelOf(*this)->wordWrap() != v) LabelOf(*this)->setWordWrap(v);
}

void Label::SetSelectable(bool v) {
    LabelOf(*this)->setTextInteractionFlags(v ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    LabelOf(*this)->setAttribute(Qt::WA_TransparentForMouseEvents, !v);
}

void Label::ApplyAlignment(std::int64_t alignment) {
    LabelOf(*this)->setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

}  // namespace fw
