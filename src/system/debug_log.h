#pragma once
// The debug log "DEBUG.TMP": rewritten at every start, every error routine appends to it and
// flushes at once, and every unit writes its ".initialization:" line when the program starts.

#include <string>
#include <string_view>

namespace pax {

inline constexpr const char* DebugLogName = "DEBUG.TMP";

// Creates the log in the current directory (or, failing that, in the temporary directory)
// and writes its header. Returns false when neither place can be written.
bool OpenDebugLog(const std::string& executable);

// Appends text and a line end, and flushes. Opens the log in the current directory first
// when nobody has (tests, tools).
void LogLine(std::string_view text);

// The path of the open log; empty before it is opened.
std::string DebugLogPath();

void CloseDebugLog();

}  // namespace pax
