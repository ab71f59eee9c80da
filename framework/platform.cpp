#include "framework/platform.h"

#include "framework/printing_qt.h"
#include "framework/qt_conversions.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>

namespace fw {

namespace {

// The desktop's own: Qt's alert, message box and print dialog.
class Desktop : public Platform {
public:
    void Beep() override { QApplication::beep(); }

    void ShowMessage(MessageKind kind, const String& text, const String& detail) override {
        QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Critical,
                        QApplication::applicationDisplayName(), ToQString(text), QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        if (!detail.empty()) box.setInformativeText(ToQString(detail));
        box.exec();
    }

    std::shared_ptr<Graphics> ChoosePrinter() override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(printer.get());
        if (dialog.exec() != QDialog::Accepted) return nullptr;
        return std::make_shared<Graphics>(std::make_unique<Graphics::Device>(std::move(printer)));
    }
};

Desktop desktop;
Platform* current = &desktop;

}  // namespace

Platform& CurrentPlatform() { return *current; }

void SetPlatform(Platform* platform) { current = platform ? platform : &desktop; }

}  // namespace fw
