#include "gui/desktop.h"

#include <QApplication>
#include <QLabel>

namespace pax {

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Pax3d");
    label.resize(480, 360);
    label.show();
    return app.exec();
}

}  // namespace pax
