#pragma once
// The main window's message line for warnings that need no box (a rejected view angle, for
// example). Without a main window the warning goes to the debug log and to stderr.

#include <functional>
#include <string_view>

namespace pax {

using StatusWarningSink = std::function<void(std::string_view text)>;

void ShowStatusWarning(std::string_view text);
void InstallStatusWarningSink(StatusWarningSink sink);   // an empty sink uninstalls

// An error in the message line (red in the desktop program): the animation goes on.
void ShowStatusError(std::string_view text);
void InstallStatusErrorSink(StatusWarningSink sink);

}  // namespace pax
