// The one-line editable text.
#pragma once

#include "framework/text_edit.h"

namespace fw {

class TextField : public TextEdit {
public:
    static constexpr std::string_view kClassName = "TextField";
    // Raised for each character typed; true swallows it.
    static constexpr EventOf<bool(TextField&, const String&)> kKeyDown{"KeyDown"};
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    explicit TextField(QWidget* home = nullptr);

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
    bool RaiseKeyDown(const String& key) override;
};

}  // namespace fw
