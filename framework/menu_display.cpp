// How the application's one menu bar shows in its windows.
//
// Linux desktops have no menu bar for the whole application, so every window
// whose MenuBarVisible is true gets a QMenuBar of its own above its content
// area, mirroring the application's menu bar: the items are shared (one tree,
// one Enabled state per item), the QActions belong to the window. The bar is
// always drawn inside the window, also where the desktop offers a global
// menu, so that each window keeps its own bar.
//
// What the tree's items become:
// - the bar's children are its menus, and an item with children is a
//   submenu; every other item is a command;
// - a menu or an item that is not Visible, or whose text is empty, is not
//   shown at all, nor anything below it; the text "-" is a separator; other
//   texts are shown as written (an "&" stays an "&");
// - every shown menu and item gets a mnemonic, so that Alt and a letter
//   reach it from the keyboard: the first letter of a word of its text that
//   no sibling took before it, else the first such letter anywhere in it.
//   The text stays as written; Qt underlines the letter;
// - a shortcut is read as a key sequence in which "Cmd" is read as Ctrl,
//   so "Cmd+Q" is Ctrl+Q;
// - an AppleMenuItem stays in its menu where it stands, as there is no
//   application menu to move it to; a QuitMenuItem is a command like any
//   other that ends the application when nothing else answers it.
//
// Enabling. Before a menu opens, and before a shortcut of the window's bar
// can act, the framework settles every command's Enabled for that window:
// 1. an AutoEnabled command is enabled when something can answer it (a menu
//    handler of its name on the window or the application, or it is a
//    QuitMenuItem); every other command starts disabled;
// 2. the window's focused text control enables the Edit commands it can
//    carry out now (EditUndo, EditCut, EditCopy, EditPaste); while the
//    menu bar itself holds the focus (a menu reached from another open menu
//    or with the arrow keys), that is the control that had it before;
// 3. the window's EnableMenuItems event, then the application's, set what
//    they like;
// 4. the outcome goes to the window's QActions.
// Menus themselves are never disabled: they hold no command of their own.
// For shortcuts, an application-wide event filter watches ShortcutOverride,
// which Qt sends to the focused widget before its shortcut map chooses an
// action, and runs the pass for the focused widget's window when the keys
// are one of its bar's shortcuts; a disabled QAction's shortcut then does
// not fire. Other keys run no handlers.
//
// Choosing a command: an Edit command goes to the window's focused text
// control (in the same sense) when that control can carry it out;
// otherwise the window's menu handler of the item's name runs, then the
// application's, until one returns true. A QuitMenuItem that no handler
// answered ends the application with the code 0. Handlers run through
// RunHandler, so an exception reaches the framework's report instead of
// unwinding through Qt.

#include "framework/menu_display.h"

#include "framework/application.h"
#include "framework/menu.h"
#include "framework/qt_conversions.h"
#include "framework/text_edit.h"
#include "framework/window.h"
#include "framework/window_impl.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSet>

#include <optional>

namespace fw {

namespace {

struct EditItem {
    std::string_view name;
    TextEdit::EditCommand command;
};

constexpr EditItem kEditItems[] = {
    {"EditUndo", TextEdit::EditCommand::Undo},
    {"EditCut", TextEdit::EditCommand::Cut},
    {"EditCopy", TextEdit::EditCommand::Copy},
    {"EditPaste", TextEdit::EditCommand::Paste},
};

std::optional<TextEdit::EditCommand> EditCommandOf(const MenuItem& item) {
    for (const EditItem& edit : kEditItems)
        if (item.Name() == edit.name) return edit.command;
    return std::nullopt;
}

// The text control that has the window's keyboard focus, or would have it
// again when the window becomes active or its menu bar lets go of it;
// nullptr when the focus is elsewhere.
TextEdit* FocusedTextEdit(const Window& window) {
    QWidget* focus = window.Impl().frame->focusWidget();
    // The menu bar holds the focus while the user moves through its menus
    // from the keyboard or slides from one open menu to the next.
    if (focus && focus == window.Impl().menuBar) focus = window.Impl().focusBeforeMenuBar;
    if (!focus) return nullptr;
    for (Control* control : window.Controls())
        if (auto* edit = As<TextEdit>(control); edit && edit->Widget() == focus) return edit;
    return nullptr;
}

bool IsQuitItem(const MenuItem& item) { return As<QuitMenuItem>(&item); }

bool CanAnswer(const Window& window, const Application* app, const MenuItem& item) {
    return IsQuitItem(item) || window.MenuHandler(item.Name()) || (app && app->MenuHandler(item.Name()));
}

bool Answers(const std::function<bool()>* handler) { return handler && (*handler)(); }

template <class F>
void ForEachCommandIn(MenuItem& menu, const F& f) {
    for (std::int64_t i = 0; i < menu.Count(); ++i) {
        std::shared_ptr<MenuItem> item = menu.Item(i);
        if (item->Count() > 0) ForEachCommandIn(*item, f);
        else f(*item);
    }
}

// Every command of the bar: the items inside its menus, not the menus.
template <class F>
void ForEachCommand(MenuBar& bar, const F& f) {
    for (std::int64_t i = 0; i < bar.Count(); ++i) ForEachCommandIn(*bar.Item(i), f);
}

void EnableMenuItems(Window& window, MenuBar& bar) {
    std::shared_ptr<Application> app = GetAppObject();
    ForEachCommand(bar, [&](MenuItem& item) {
        item.SetEnabled(item.AutoEnabled() && CanAnswer(window, app.get(), item));
    });
    if (TextEdit* edit = FocusedTextEdit(window))
        for (const EditItem& editItem : kEditItems)
            if (auto item = bar.Lookup(editItem.name); item && edit->CanDo(editItem.command)) item->SetEnabled(true);
    window.RaiseEvent("EnableMenuItems");
    if (app) app->RaiseEvent("EnableMenuItems");
}

void Choose(Window& window, MenuItem& item) {
    if (auto command = EditCommandOf(item)) {
        TextEdit* edit = FocusedTextEdit(window);
        if (edit && edit->CanDo(*command)) return edit->Do(*command);
    }
    if (Answers(window.MenuHandler(item.Name()))) return;
    std::shared_ptr<Application> app = GetAppObject();
    if (app && Answers(app->MenuHandler(item.Name()))) return;
    if (IsQuitItem(item)) Quit(0);
}

bool IsShown(const MenuItem& item) { return item.Visible() && !item.Value().empty(); }

bool IsSeparator(const MenuItem& item) { return item.Value() == "-"; }

// Hands out the mnemonics of one menu's entries, in their order.
class Mnemonics {
public:
    // The entry's text for Qt: as written, with a literal "&" doubled and a
    // "&" before the letter chosen for it, if any is left.
    QString Text(const MenuItem& item) {
        const QString text = ToQString(item.Value());
        const qsizetype chosen = Choose(text);
        QString marked;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i == chosen) marked += '&';
            marked += text[i];
            if (text[i] == '&') marked += '&';
        }
        return marked;
    }

private:
    qsizetype Choose(const QString& text) {
        auto isFree = [&](qsizetype i) { return text[i].isLetterOrNumber() && !taken_.contains(text[i].toLower()); };
        auto startsWord = [&](qsizetype i) { return i == 0 || text[i - 1].isSpace(); };
        for (bool wordStartsOnly : {true, false})
            for (qsizetype i = 0; i < text.size(); ++i)
                if (isFree(i) && (!wordStartsOnly || startsWord(i))) {
                    taken_.insert(text[i].toLower());
                    return i;
                }
        return -1;
    }

    QSet<QChar> taken_;
};

QKeySequence KeySequenceFor(const String& shortcut) {
    QStringList keys = ToQString(shortcut).split('+');
    for (QString& key : keys)
        if (key.compare(QStringLiteral("Cmd"), Qt::CaseInsensitive) == 0) key = QStringLiteral("Ctrl");
    return QKeySequence::fromString(keys.join('+'), QKeySequence::PortableText);
}

// One window's view of the shared menu bar.
class WindowMenuBar : public QMenuBar {
public:
    WindowMenuBar(Window& window, std::shared_ptr<MenuBar> model, QWidget* parent)
        : QMenuBar(parent), window_(window), model_(std::move(model)) {
        setNativeMenuBar(false);
        Mnemonics mnemonics;
        for (std::int64_t i = 0; i < model_->Count(); ++i) {
            std::shared_ptr<MenuItem> menu = model_->Item(i);
            if (IsShown(*menu)) Fill(addMenu(mnemonics.Text(*menu)), *menu);
        }
        // Where the focus was before this bar took it (see above). Qt does
        // not always tell when the bar takes it (not while a menu is open),
        // so every other focus in the window is remembered.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && now != this && now->window() == this->window()) window_.Impl().focusBeforeMenuBar = now;
        });
    }

    // Settles the items' Enabled for this window and shows the outcome.
    void UpdateEnabled() {
        RunHandler([this] { EnableMenuItems(window_, *model_); });
        for (const auto& [action, item] : commands_) action->setEnabled(item->Enabled());
    }

    bool HasShortcut(QKeyCombination keys) const {
        const QKeySequence pressed(keys);
        for (const auto& [action, item] : commands_)
            if (action->shortcut() == pressed) return true;
        return false;
    }

private:
    void Fill(QMenu* menu, MenuItem& model) {
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateEnabled(); });
        Mnemonics mnemonics;
        for (std::int64_t i = 0; i < model.Count(); ++i) {
            std::shared_ptr<MenuItem> item = model.Item(i);
            if (!IsShown(*item)) continue;
            if (IsSeparator(*item)) menu->addSeparator();
            else if (item->Count() > 0) Fill(menu->addMenu(mnemonics.Text(*item)), *item);
            else AddCommand(menu, mnemonics.Text(*item), item);
        }
    }

    void AddCommand(QMenu* menu, const QString& text, std::shared_ptr<MenuItem> item) {
        QAction* action = menu->addAction(text);
        action->setShortcut(KeySequenceFor(item->Shortcut()));
        action->setEnabled(item->Enabled());
        connect(action, &QAction::triggered, this, [this, item] { RunHandler([&] { Choose(window_, *item); }); });
        commands_.emplace_back(action, std::move(item));
    }

    Window& window_;  // owns the widget that owns this bar
    std::shared_ptr<MenuBar> model_;
    std::vector<std::pair<QAction*, std::shared_ptr<MenuItem>>> commands_;
};

WindowMenuBar* MenuBarOfWindowWith(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    for (QMenuBar* bar : widget->window()->findChildren<QMenuBar*>(Qt::FindDirectChildrenOnly))
        if (auto* ours = dynamic_cast<WindowMenuBar*>(bar)) return ours;
    return nullptr;
}

// Runs the enable pass before a menu shortcut is matched (see above).
class ShortcutGate : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The event travels from the focused widget up to its window; the
        // pass runs once, at the first.
        if (event->type() == QEvent::ShortcutOverride && watched == QGuiApplication::focusObject())
            if (WindowMenuBar* bar = MenuBarOfWindowWith(watched))
                if (bar->HasShortcut(static_cast<QKeyEvent*>(event)->keyCombination())) bar->UpdateEnabled();
        return false;
    }
};

void InstallShortcutGate() {
    static QPointer<ShortcutGate> gate;
    if (gate) return;
    gate = new ShortcutGate(qApp);
    qApp->installEventFilter(gate);
}

}  // namespace

QMenuBar* CreateMenuBarFor(Window& window, QWidget* parent) {
    std::shared_ptr<Application> app = GetAppObject();
    std::shared_ptr<MenuBar> model = app ? app->MenuBar() : nullptr;
    if (!model) return nullptr;
    InstallShortcutGate();
    return new WindowMenuBar(window, std::move(model), parent);
}

}  // namespace fw
