#pragma once
// Starting other programs: an application or a document with the program the desktop
// associates with it, and the desktop's settings tools.

#include <string>

namespace pax {

// Starts file without waiting: an executable file directly, anything else through
// xdg-open; in workingDirectory when it is not empty. On failure ShowError with the caption
// "application start" and the text "can not start application '" + file + "'\n".
// Returns whether the program started.
bool StartApplication(const std::string& file, const std::string& workingDirectory = "");

// Opens file (or a URL) with its associated program through xdg-open; failures as above.
bool OpenDocument(const std::string& file);

// Opens the desktop's settings page that matches a control-panel applet name ("mmsys.cpl"
// sound, "main.cpl" mouse, "desk.cpl" display, "intl.cpl" region, "timedate.cpl" date and
// time, "sysdm.cpl" system, "joy.cpl" joysticks, "modem.cpl" modems) with GNOME's, KDE's or
// a single settings tool, whichever is installed. Returns false, silently, when the desktop
// has no such page.
bool OpenControlPanel(const std::string& applet);
// Whether OpenControlPanel would find a tool for the applet.
bool HasControlPanel(const std::string& applet);

// The desktop's task bar is not ours to hide on Linux: full screen covers it instead.
void ShowTaskBar();
void HideTaskBar();

// The program of that name in PATH (or the name itself when it holds a "/"); empty when
// there is none.
std::string FindProgram(const std::string& name);

}  // namespace pax
