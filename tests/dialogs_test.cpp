#include "framework/dialogs.h"
#include "tests/gui_test_support.h"

#include <gtest/gtest.h>

TEST(MsgBox, ReturnsOnceDismissedAndRecordsTheMessage) {
    QString shown;
    DismissNextMessageBox(&shown);
    fw::MsgBox("Enter <b>values</b> & retry");
    EXPECT_EQ(shown, "Enter <b>values</b> & retry");
    EXPECT_EQ(fw::Dialogs().messages, 1);
    EXPECT_EQ(fw::Dialogs().lastMessage, "Enter <b>values</b> & retry");
}

TEST(MsgBox, IsAnApplicationModalWarningWithOneOkButton) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    Qt::TextFormat format = Qt::AutoText;
    qsizetype buttons = 0;
    bool okButton = false;
    bool isMessageBox = false;
    OnNextModalWindow([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            isMessageBox = true;
            icon = box->icon();
            title = box->windowTitle();
            format = box->textFormat();
            buttons = box->buttons().size();
            okButton = box->button(QMessageBox::Ok) != nullptr;
        }
        modal->close();
    });
    fw::MsgBox("message");
    ASSERT_TRUE(isMessageBox);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(title, QApplication::applicationDisplayName());
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(okButton);
}

TEST(Beep, IsCounted) {
    fw::Beep();
    fw::Beep();
    EXPECT_EQ(fw::Dialogs().beeps, 2);
}
