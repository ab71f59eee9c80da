// The multi-line editable text, which may also hold styled text.
#pragma once

#include "framework/text_edit.h"

#include <memory>

namespace fw {

class Graphics;
class StyledTextPrinter;

class TextArea : public TextEdit {
public:
    static constexpr std::string_view kClassName = "TextArea";
    // Raised for each character typed; true swallows it.
    static constexpr EventOf<bool(TextArea&, const String&)> kKeyDown{"KeyDown"};
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    explicit TextArea(QWidget* home = nullptr);

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
    bool RaiseKeyDown(const String& key) override;
};

}  // namespace fw
