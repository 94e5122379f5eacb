#pragma once
// Start-up and shut-down of the system layer. StartSystemUtilities runs once, before any
// other unit starts and before any window exists; the other units then write their
// LogInitialization lines (debug_log.h) from the one central start-up sequence.

#include <string>
#include <string_view>

namespace pax {

// Creates the debug log "DEBUG.TMP" in the state folder with its header (on failure the
// error is shown, then "using testfile " + the private temporary path, and the log is created
// there; when that fails too the program ends with the error code), then records the
// program name, computer name, start directory and memory status, resets the boolean
// stack, reads the wave devices and resets the picture clock.
void StartSystemUtilities(const char* argv0);

// Stops the sound, releases the boolean stack and closes the debug log.
void StopSystemUtilities();

// The executable's full path and its file name without directory (and without ".exe").
const std::string& ExecutablePath();
const std::string& ProgramName();
std::string ProgramNameFrom(std::string_view path);

}  // namespace pax
