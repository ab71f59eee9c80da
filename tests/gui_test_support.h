// Helpers for tests that meet the application's real modal windows. A modal
// window runs an event loop of its own until it is closed, so a test acts on
// it from a timer that fires inside that loop.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Calls `action` with the application's modal window as soon as one is
// shown, checking every 10 ms for up to about 5 s. `action` must close it.
inline void OnNextModalWindow(std::function<void(QWidget*)> action, int triesLeft = 500) {
    QTimer::singleShot(10, [action = std::move(action), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
        } else if (triesLeft > 0) {
            OnNextModalWindow(std::move(action), triesLeft - 1);
        }
    });
}

// Closes the next modal message box as the user would, after handing its
// text to `textOut` when one is given.
inline void DismissNextMessageBox(QString* textOut = nullptr) {
    OnNextModalWindow([textOut](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && textOut) *textOut = box->text();
        modal->close();
    });
}
