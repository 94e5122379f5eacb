#pragma once
// The one application object of the GUI tests, on the offscreen platform so that no display
// is needed.

#include <QApplication>

#include <cstdlib>

namespace pax::testing {

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}

}  // namespace pax::testing
