// Runs every test inside a QApplication on Qt's offscreen platform unless the
// caller chose a platform, so that widget tests need no display, and with
// the test platform in place of the desktop's, so that no test waits for a
// modal window.
#include "framework/application.h"
#include "tests/gui_test_support.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    fw::SetPlatform(&TestDesktop());
    ::testing::InitGoogleTest(&argc, argv);
    int status = RUN_ALL_TESTS();
    // Windows go before the QApplication their widgets belong to.
    fw::RuntimePerformFinalizers();
    return status;
}
