// What widget tests share: the platform that stands in for the desktop, the
// end of the run, and a way to meet the desktop's own modal windows.
#pragma once

#include "framework/application.h"
#include "framework/platform.h"
#include "framework/printing_qt.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

// Stands in for the desktop in every test (test_main.cpp puts it in place):
// it counts beeps and keeps the messages instead of showing them, and
// answers the print dialog for the user.
class TestPlatform : public fw::Platform {
public:
    struct Message {
        MessageKind kind;
        fw::String text, detail;
    };
    void Beep() override { ++beeps; }
    void ShowMessage(MessageKind kind, const fw::String& text, const fw::String& detail) override {
        messages.push_back({kind, text, detail});
    }
    // A printer that writes a PDF file at printTo; cancelled when it is empty.
    std::shared_ptr<fw::Graphics> ChoosePrinter() override {
        if (printTo.isEmpty()) return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printTo);
        return std::make_shared<fw::Graphics>(std::make_unique<fw::Graphics::Device>(std::move(printer)));
    }

    int beeps = 0;
    std::vector<Message> messages;
    QString printTo;
};

inline TestPlatform& TestDesktop() {
    static TestPlatform platform;
    return platform;
}

// While one lives, the desktop's own platform is in place.
struct WithTheDesktop {
    WithTheDesktop() { fw::SetPlatform(nullptr); }
    ~WithTheDesktop() { fw::SetPlatform(&TestDesktop()); }
};

// What the run ends with, as RuntimeRun returns it: the code of the Quit
// asked for so far, else kNoQuit. The run ends once: a test's last look.
constexpr int kNoQuit = -1;
inline int RunEndsWith() {
    QTimer::singleShot(0, qApp, [] { fw::Quit(kNoQuit); });
    return fw::RuntimeRun();
}

// Calls `action`, which must close it, with the application's modal window
// as soon as one runs its own event loop: asked every 10 ms for about 5 s.
inline void OnNextModalWindow(std::function<void(QWidget*)> action, int triesLeft = 500) {
    QTimer::singleShot(10, qApp, [action = std::move(action), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
        } else if (triesLeft > 0) {
            OnNextModalWindow(std::move(action), triesLeft - 1);
        }
    });
}

// The application's own pictures taken out of the built-in resources for as
// long as one lives, as from a build that lacks them. (Qt's resource macros
// work only outside any namespace.)
class WithoutTheApplicationsPictures {
public:
    WithoutTheApplicationsPictures() { Q_CLEANUP_RESOURCE(pictures); }
    ~WithoutTheApplicationsPictures() { Q_INIT_RESOURCE(pictures); }
    WithoutTheApplicationsPictures(const WithoutTheApplicationsPictures&) = delete;
    WithoutTheApplicationsPictures& operator=(const WithoutTheApplicationsPictures&) = delete;
};
