// The yardstick for start-up figures: the least Qt Widgets program that puts
// one window on screen, a label sized to its text as show() sizes it. It says
// "shown" once show() has returned, as the application's probe does, and
// quits.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window("Tesmora");
    window.show();
    std::puts("shown");
    std::fflush(stdout);
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
