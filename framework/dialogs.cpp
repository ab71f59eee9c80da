#include "framework/dialogs.h"

#include "framework/object.h"

#include <QApplication>
#include <QMessageBox>

namespace fw {

DialogLog& Dialogs() {
    static DialogLog log;
    return log;
}

void Beep() {
    CheckUIThread();
    QApplication::beep();
    ++Dialogs().beeps;
}

void MsgBox(const String& message) {
    CheckUIThread();
    DialogLog& log = Dialogs();
    ++log.messages;
    log.lastMessage = message;

    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    QString::fromStdString(message), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace fw
