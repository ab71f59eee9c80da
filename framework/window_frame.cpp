// A window's widgets: the frame with the menu bar above the content area,
// and where the frame stands on the screen.
#include "framework/window_impl.h"

#include "framework/application.h"
#include "framework/key_text.h"
#include "framework/qt_conversions.h"
#include "framework/rect_control_impl.h"
#include "framework/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace fw {

namespace {

// What the window manager adds around a window (title bar, borders), as
// it stands around the application's windows already on screen; nothing
// before the first one is there, or without a window manager.
QSize FrameDecoration() {
    QSize decoration(0, 0);
    for (const auto& window : LiveWindows()) {
        const QWidget& frame = *window->Impl().frame;
        if (frame.isVisible()) decoration = decoration.expandedTo(frame.frameGeometry().size() - frame.size());
    }
    return decoration;
}

}  // namespace

// While a menu is open Qt keeps the window it belongs to active, also when
// the window manager gives another window the focus (a task bar, a click
// on a title bar); the menu would stay drawn over that window, which would
// never hear that it became active. So the menus close, and the window
// that got the focus becomes the active one.
void FollowTheWindowManagerPastOpenMenus() {
    static bool following = false;
    if (std::exchange(following, true)) return;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* focus) {
        if (!focus || !QApplication::activePopupWidget()) return;
        for (const auto& window : LiveWindows()) {
            QWidget* frame = window->Impl().frame.get();
            if (frame->windowHandle() != focus || QApplication::activeWindow() == frame) continue;
            while (QWidget* menu = QApplication::activePopupWidget())
                if (!menu->close()) break;
            QApplication::setActiveWindow(frame);
            return;
        }
    });
}

WindowFrame::WindowFrame(Window& owner) : owner_(owner) {}

bool WindowFrame::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) RunHandler([this] { owner_.RaiseEvent("Activate"); });
    if (event->type() == QEvent::WindowDeactivate) RunHandler([this] { owner_.RaiseEvent("Deactivate"); });
    return QWidget::event(event);
}

void WindowFrame::closeEvent(QCloseEvent* event) {
    // The user closed the window through its frame.
    if (owner_.IsOpen()) RunHandler([this] { owner_.Close(); });
    event->accept();
}

// Every key press reaches the window's KeyDown, with an empty text for a key
// that carries none (F1, Insert, Pause); a modifier pressed alone does not.
void WindowFrame::keyPressEvent(QKeyEvent* event) {
    bool taken = false;
    if (!IsModifierKey(event->key())) RunHandler([&] { taken = owner_.RaiseKeyDown(KeyText(*event)); });
    if (!taken) QWidget::keyPressEvent(event);
}

ContentArea::ContentArea(Window& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

QSize ContentArea::sizeHint() const {
    return QSize(int(owner_.Impl().width), int(owner_.Impl().height));
}

void ContentArea::mousePressEvent(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    RunHandler([&] { owner_.RaiseMouseDown(at.x(), at.y()); });
}

void ContentArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyAnchors(owner_, size());
}

WindowImpl::WindowImpl(Window& window) : owner(window), frame(std::make_unique<WindowFrame>(window)) {
    auto* layout = new QVBoxLayout(frame.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    content = new ContentArea(window, frame.get());
    layout->addWidget(content);
}

WindowImpl::~WindowImpl() {
    // Controls release their widgets before the frame that holds them goes.
    controls.clear();
    frame.reset();
}

void WindowImpl::ApplyFrame() {
    Qt::WindowFlags flags = (type == 2 ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (hasCloseButton) flags |= Qt::WindowCloseButtonHint;
    if (hasMinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (hasMaximizeButton && resizeable) flags |= Qt::WindowMaximizeButtonHint;
    frame->setWindowFlags(flags);
    // A window without a title shows the application's name. Qt would put
    // the name only in _NET_WM_NAME and leave WM_NAME empty, which is all
    // that older window managers and tools read; both get the same text.
    frame->setWindowTitle(title.empty() ? QCoreApplication::applicationName() : ToQString(title));

    // A window that cannot be resized keeps the size its layout gives; its
    // limits do not cut it (a stored maximum below the width is ignored).
    if (resizeable) {
        content->setMinimumSize(int(minWidth), int(minHeight));
        content->setMaximumSize(int(maxWidth), int(maxHeight));
        content->resize(int(width), int(height));
        frame->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    } else {
        content->setFixedSize(int(width), int(height));
        frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }

    content->setAutoFillBackground(hasBackgroundColor);
    if (hasBackgroundColor) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, ToQColor(backgroundColor));
        content->setPalette(palette);
    }
}

void WindowImpl::PlaceOnScreen() {
    if (placed) return;
    placed = true;
    // Control widgets are made unhidden, to appear with the window; one whose
    // control never joined the window must not appear.
    for (QWidget* child : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool joined = std::any_of(controls.begin(), controls.end(), [&](const auto& control) {
            auto* rect = As<RectControl>(control.get());
            return rect && rect->Widget() == child;
        });
        if (!joined) child->hide();
    }
    // The window opens at its layout size (Qt's adjustSize would cap it at
    // two thirds of the screen). A resizeable window that the screen cannot
    // hold, its frame included, is fitted to it; one of fixed size keeps its
    // size and stands so that its title bar and menu bar are on the screen.
    QSize size = frame->sizeHint();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);
    const QSize decoration = FrameDecoration();
    if (resizeable) size = size.boundedTo(area.size() - decoration).expandedTo(frame->minimumSizeHint());
    frame->resize(size);
    const QPoint centred = area.center() - QPoint((size.width() + decoration.width()) / 2,
                                                  (size.height() + decoration.height()) / 2);
    frame->move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
}

}  // namespace fw
