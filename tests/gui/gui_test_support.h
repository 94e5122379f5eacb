#pragma once
// The one application object of the GUI tests, on the offscreen platform so that no display
// is needed, and a studio that runs on the built-in defaults with small surfaces.

#include <QApplication>

#include <cstdlib>

#include "app/studio.h"

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

inline StudioOptions TestStudioOptions() {
    StudioOptions options;
    options.Config = ConfigSource::BuiltInDefaults;
    options.DefaultSurfaceWidth = options.DefaultSurfaceHeight = 64;
    return options;
}

}  // namespace pax::testing
