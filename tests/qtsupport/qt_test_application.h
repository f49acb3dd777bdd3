// One QApplication for a whole Qt test program, as Qt requires. Without a display it draws
// offscreen. It is never destroyed: Qt's own statics may be gone by the time the test program's
// static objects are, and destroying it then crashes at exit.
#pragma once

#include <QApplication>

namespace mca {

inline QApplication& qtTestApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "mca_qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace mca
