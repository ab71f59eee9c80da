#include "framework/canvas.h"

#include "framework/application.h"
#include "framework/control_class.h"
#include "framework/picture_qt.h"

#include <QMouseEvent>
#include <QPainter>

namespace fw {

namespace {

class CanvasWidget : public QWidget {
public:
    CanvasWidget(Canvas& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!owner_.Backdrop()) return;
        QPainter painter(this);
        painter.drawImage(0, 0, ImageOf(*owner_.Backdrop()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        QPoint at = event->position().toPoint();
        bool taken = false;
        RunHandler([&] { taken = owner_.MouseDown(at.x(), at.y()); });
        // A press the canvas does not handle goes on to the window.
        if (!taken && !owner_.EventHandler(Canvas::kMouseDown.name)) event->ignore();
    }

private:
    Canvas& owner_;
};

}  // namespace

const ClassRecord& Canvas::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Canvas>(
        RectControl::Class(),
        {
            Property<&Canvas::SetAllowFocus>("AllowFocus"),
            IgnoredProperty("AllowFocusRing", PropertyType::Boolean),
            IgnoredProperty("AllowTabs", PropertyType::Boolean),
            IgnoredProperty("DoubleBuffer", PropertyType::Boolean),
        },
        {kMouseDown}));
    return record;
}

Canvas::Canvas(QWidget* home) {
    auto* widget = new CanvasWidget(*this, home);
    widget->setFocusPolicy(Qt::NoFocus);
    SetWidget(widget);
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
    *backdrop_ = std::move(picture);
    if (Widget()) Widget()->update();
}

void Canvas::SetAllowFocus(bool v) { Widget()->setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus); }

bool Canvas::MouseDown(std::int64_t x, std::int64_t y) { return Raise(*this, kMouseDown, *this, x, y); }

}  // namespace fw
