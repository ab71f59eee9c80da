// Framework-internal: the editing commands both text widgets offer, in
// their context menu and to the Edit menu.
#pragma once

#include "framework/text_edit.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QStyleHints>

namespace fw {

// What a text's editing commands can do now. Paste is offered in any
// editable text without asking the clipboard's owner first: that owner may
// answer only once (see ClipboardText), and would then have nothing left for
// the paste itself.
struct EditState {
    bool editable = false;
    bool undo = false;
    bool redo = false;
    bool selection = false;   // a selection that may be copied
    bool unselected = false;  // text that Select All would add to the selection
};

// The Edit menu's commands on either widget.
inline bool CanRun(const EditState& state, TextEdit::EditCommand command) {
    switch (command) {
        case TextEdit::EditCommand::Undo: return state.editable && state.undo;
        case TextEdit::EditCommand::Cut: return state.editable && state.selection;
        case TextEdit::EditCommand::Copy: return state.selection;
        case TextEdit::EditCommand::Paste: return state.editable;
    }
    return false;
}

template <class Widget>
void Run(Widget& widget, TextEdit::EditCommand command) {
    switch (command) {
        case TextEdit::EditCommand::Undo: widget.undo(); break;
        case TextEdit::EditCommand::Cut: widget.cut(); break;
        case TextEdit::EditCommand::Copy: widget.copy(); break;
        case TextEdit::EditCommand::Paste: widget.Paste(); break;
    }
}

// A text's context menu, with the entries and enabling of Qt's own. Qt's
// asks the clipboard's owner whether to offer Paste, and a one-line field's
// Paste there would be Qt's rather than the field's; this one's Paste is the
// field's own, as Edit > Paste is.
template <class Widget>
void PopUpEditMenu(Widget& widget, const QPoint& at) {
    const EditState state = widget.State();
    auto* menu = new QMenu(&widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto add = [&](const char* text, QKeySequence::StandardKey key, bool enabled, auto run) {
        QString label = QString::fromUtf8(text);
        if (key != QKeySequence::UnknownKey && QGuiApplication::styleHints()->showShortcutsInContextMenus())
            label += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
        menu->addAction(label, &widget, run)->setEnabled(enabled);
    };
    // The entries the Edit menu also has are enabled and carried out as
    // there.
    auto command = [&](const char* text, QKeySequence::StandardKey key, TextEdit::EditCommand which) {
        add(text, key, CanRun(state, which), [&widget, which] { Run(widget, which); });
    };
    if (state.editable) {
        command("&Undo", QKeySequence::Undo, TextEdit::EditCommand::Undo);
        add("&Redo", QKeySequence::Redo, state.redo, [&widget] { widget.redo(); });
        menu->addSeparator();
        command("Cu&t", QKeySequence::Cut, TextEdit::EditCommand::Cut);
    }
    command("&Copy", QKeySequence::Copy, TextEdit::EditCommand::Copy);
    if (state.editable) {
        command("&Paste", QKeySequence::Paste, TextEdit::EditCommand::Paste);
        add("Delete", QKeySequence::UnknownKey, state.selection, [&widget] { widget.DeleteSelection(); });
    }
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, state.unselected, [&widget] { widget.selectAll(); });
    menu->popup(at);
}

}  // namespace fw
