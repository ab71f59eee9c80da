// The editable texts: the multi-line TextArea and the one-line TextField.
#pragma once

#include "framework/control.h"

#include <memory>

namespace fw {

class Graphics;
class StyledTextPrinter;

// An editable text: the multi-line TextArea and the single-line TextField
// share the text, selection, focus and key-filter behaviour.
class TextEdit : public TextControl {
public:
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
};

class TextArea : public TextEdit {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    TextArea();

    String Text() const override;
    void SetText(const String& text) override;
    void SetReadOnly(bool) override;
    void SetMultiLine(bool);
    void SetHasVerticalScrollbar(bool);
    void SetHasHorizontalScrollbar(bool);
    void SetLineSpacing(double);

    // Selection, in characters; SelBold makes the selected text bold.
    void SetSelStart(std::int64_t);
    void SetSelLength(std::int64_t);
    std::int64_t SelStart() const;
    std::int64_t SelLength() const;
    void SetSelBold(bool);

    // The current styled text, laid out `width` points wide for printing on
    // the Graphics (printing.h). A nil Graphics raises NilObjectException.
    std::shared_ptr<fw::StyledTextPrinter> StyledTextPrinter(const std::shared_ptr<Graphics>& graphics,
                                                             double width) const;

    bool CanDo(EditCommand) const override;
    void Do(EditCommand) override;

protected:
    void ApplyAlignment(std::int64_t alignment) override;
};

class TextField : public TextEdit {
public:
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    TextField();

    String Text() const override;
    void SetText(const String& text) override;
    void SetReadOnly(bool) override;
    void SetPassword(bool);
    void SetHint(const String&);
    void SetMaximumCharactersAllowed(std::int64_t);
    bool CanDo(EditCommand) const override;
    void Do(EditCommand) override;

protected:
    void ApplyAlignment(std::int64_t alignment) override;
};

}  // namespace fw
