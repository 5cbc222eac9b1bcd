// One offscreen application object for the whole test program, made before
// the first test and destroyed after the last one (not at exit, where Qt's
// own globals may already be gone).
#pragma once

#include <QApplication>

QApplication& testApplication();
