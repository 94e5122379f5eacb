// pax3d: without arguments the desktop program, which also opens a single .LSY file given to
// it; with a subcommand the headless command line.

#include "cli/command_line.h"

#ifdef PAX3D_WITH_GUI
#include "gui/desktop.h"
#endif

int main(int argc, char** argv) {
#ifdef PAX3D_WITH_GUI
    if (pax::IsDesktopFileArgument(argc, argv)) return pax::RunDesktop(1, argv, argv[1]);
    if (argc > 1) return pax::RunCommandLine(argc, argv);
    return pax::RunDesktop(argc, argv);
#else
    return pax::RunCommandLine(argc, argv);
#endif
}
