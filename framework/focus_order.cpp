#include "framework/focus_order.h"

#include "framework/rect_control.h"

#include <QLineEdit>
#include <QTextEdit>

#include <algorithm>
#include <tuple>

namespace fw {

// Keyboard focus order. Controls directly on the window follow their tab
// indexes; controls inside containers form one group, ordered by their own
// tab indexes, at the place of the first container. So the cells of a table
// split over two containers are visited row by row, as their indexes say.
void OrderKeyboardFocus(const std::vector<Control*>& controls) {
    struct Stop {
        std::int64_t group, index;
        QWidget* widget;
    };
    std::vector<RectControl*> rects;
    rects.reserve(controls.size());
    std::int64_t firstContainer = INT64_MAX;
    for (Control* control : controls) {
        auto* rect = As<RectControl>(control);
        if (!rect) continue;
        rects.push_back(rect);
        const RectControl* container = rect->Parent();
        if (container && !container->Parent()) firstContainer = std::min(firstContainer, container->TabIndex());
    }
    std::vector<Stop> stops;
    stops.reserve(rects.size());
    for (RectControl* rect : rects) {
        if (!rect->Widget() || !(rect->Widget()->focusPolicy() & Qt::TabFocus)) continue;
        std::int64_t group = rect->Parent() ? firstContainer : rect->TabIndex();
        stops.push_back({group, rect->TabIndex(), rect->Widget()});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return std::tie(a.group, a.index) < std::tie(b.group, b.index);
    });
    for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
    // A window opens with the focus in its first field the user can type in
    // (a read-only text lying under another gets none), else its first stop.
    auto typable = [](const Stop& stop) {
        auto* line = qobject_cast<QLineEdit*>(stop.widget);
        auto* text = qobject_cast<QTextEdit*>(stop.widget);
        return stop.widget->isEnabled() && ((line && !line->isReadOnly()) || (text && !text->isReadOnly()));
    };
    auto first = std::find_if(stops.begin(), stops.end(), typable);
    if (first == stops.end()) first = stops.begin();
    if (first != stops.end()) first->widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace fw
