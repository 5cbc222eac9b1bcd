// One offscreen application object for the whole test program.
#pragma once

#include <QApplication>

inline QApplication& testApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_setup_gui";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}
