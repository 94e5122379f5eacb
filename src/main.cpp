// pax3d: without arguments the desktop program; with a subcommand the headless command line.

#include "cli/command_line.h"

#ifdef PAX3D_WITH_GUI
#include "gui/desktop.h"
#endif

int main(int argc, char** argv) {
    if (argc > 1) return pax::RunCommandLine(argc, argv);
#ifdef PAX3D_WITH_GUI
    return pax::RunDesktop(argc, argv);
#else
    return pax::RunCommandLine(argc, argv);
#endif
}
