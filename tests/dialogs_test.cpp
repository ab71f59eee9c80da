#include "framework/dialogs.h"
#include "tests/gui_test_support.h"

#include <QMessageBox>
#include <gtest/gtest.h>

// The desktop's message boxes, a warning from MsgBox and the report of an
// error with its detail: application modal, titled with the application's
// name, the text as plain text, one OK button; each returns once dismissed.
TEST(DesktopMessageBox, ShowsItsKindTheTextAndTheDetailWithOneOkButton) {
    const QString title = QApplication::applicationDisplayName();
    auto n = [](int value) { return QString::number(value); };
    const struct {
        std::function<void()> show;
        QStringList seen;  // icon, title, text, detail, text format, buttons
    } boxes[] = {
        {[] { fw::MsgBox("Enter <b>values</b> & retry"); },
         {n(QMessageBox::Warning), title, "Enter <b>values</b> & retry", "", n(Qt::PlainText), n(QMessageBox::Ok)}},
        {[] { fw::CurrentPlatform().ShowMessage(fw::Platform::MessageKind::Error, "Ended.", "NilObjectException: x"); },
         {n(QMessageBox::Critical), title, "Ended.", "NilObjectException: x", n(Qt::PlainText), n(QMessageBox::Ok)}},
    };
    WithTheDesktop desktop;
    for (const auto& box : boxes) {
        QStringList seen;
        OnNextModalWindow([&](QWidget* modal) {
            if (auto* b = qobject_cast<QMessageBox*>(modal))
                seen = {n(b->icon()), b->windowTitle(), b->text(), b->informativeText(), n(b->textFormat()),
                        n(b->standardButtons())};
            modal->close();
        });
        box.show();
        EXPECT_EQ(seen, box.seen);
    }
}
