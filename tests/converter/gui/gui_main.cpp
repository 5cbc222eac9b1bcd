// The GUI tests' main: one application object on the offscreen platform for
// the whole program, destroyed before Qt's own globals are.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui/font_setup.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gui::prepareDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
