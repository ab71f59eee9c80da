#include "framework/rectangle.h"

#include "framework/control_class.h"
#include "framework/qt_conversions.h"

#include <QPainter>

namespace fw {

namespace {

class RectangleWidget : public QWidget {
public:
    using QWidget::QWidget;
    Color fill{0xE6, 0xE6, 0xE6, 0}, topLeft{0x80, 0x80, 0x80, 0}, bottomRight{0x33, 0x33, 0x33, 0};
    double thickness = 1;

protected:
    // A bevelled frame: the top and left edges in one colour, the bottom
    // and right edges in another, around the fill.
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int t = std::max(0, int(thickness + 0.5));
        const int w = width(), h = height();
        painter.fillRect(rect(), ToQColor(fill));
        painter.fillRect(0, 0, w, t, ToQColor(topLeft));
        painter.fillRect(0, 0, t, h, ToQColor(topLeft));
        painter.fillRect(0, h - t, w, t, ToQColor(bottomRight));
        painter.fillRect(w - t, 0, t, h, ToQColor(bottomRight));
    }
};

}  // namespace

const ClassRecord& Rectangle::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Rectangle>(
        RectControl::Class(),
        {
            Property<&Rectangle::SetFillColor>("FillColor"),
            Property<&Rectangle::SetTopLeftColor>("TopLeftColor"),
            Property<&Rectangle::SetBottomRightColor>("BottomRightColor"),
            Property<&Rectangle::SetBorderThickness>("BorderThickness"),
        }));
    return record;
}

Rectangle::Rectangle(QWidget* home) { SetWidget(new RectangleWidget(home)); }

void Rectangle::SetFillColor(const Color& c) { static_cast<RectangleWidget*>(Widget())->fill = c; }
void Rectangle::SetTopLeftColor(const Color& c) { static_cast<RectangleWidget*>(Widget())->topLeft = c; }
void Rectangle::SetBottomRightColor(const Color& c) { static_cast<RectangleWidget*>(Widget())->bottomRight = c; }
void Rectangle::SetBorderThickness(double t) { static_cast<RectangleWidget*>(Widget())->thickness = t; }

}  // namespace fw
