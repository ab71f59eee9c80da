// What the editable texts share: the multi-line TextArea (text_area.h) and
// the one-line TextField (text_field.h) derive from TextEdit.
#pragma once

#include "framework/text_control.h"

namespace fw {

// An editable text: the multi-line TextArea and the single-line TextField
// share the text, selection, focus and key-filter behaviour.
class TextEdit : public TextControl {
public:
    static constexpr std::string_view kClassName = "TextEdit";
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }

    virtual String Text() const = 0;
    virtual void SetText(const String& text) = 0;
    void SetFocus();

    // A layout's initial text; most are empty, and emptying an empty field
    // would cost as much as filling it.
    void SetValue(const String& text) {
        if (!text.empty() || !Text().empty()) SetText(text);
    }
    virtual void SetReadOnly(bool) = 0;
    void SetBackgroundColor(const Color&);
    void SetHasBorder(bool);

    // Raises KeyDown for each character of a text typed into the field (a
    // key's text, or what an input method commits); true swallows the whole
    // text, and the first character the handler swallows ends the screening.
    bool FilterKey(const String& text);
    // The Edit menu's commands on this field, and whether each can run now.
    enum class EditCommand { Undo, Cut, Copy, Paste };
    virtual bool CanDo(EditCommand) const = 0;
    virtual void Do(EditCommand) = 0;

protected:
    void InstallKeyFilter();
    bool HasFieldBackground() const override { return true; }
    // Raises the control's KeyDown for one character; true swallows it.
    virtual bool RaiseKeyDown(const String& key) = 0;
};

}  // namespace fw
