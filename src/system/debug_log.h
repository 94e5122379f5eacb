#pragma once
// The debug log "DEBUG.TMP": rewritten at every start, every error routine appends to it and
// flushes at once, and every unit writes its ".initialization:" line when the program starts.

#include <cstddef>
#include <string>
#include <string_view>

namespace pax {

inline constexpr const char* DebugLogName = "DEBUG.TMP";
// The log stops growing here: one line says so, later lines are dropped.
inline constexpr size_t MaxDebugLogBytes = 8 * 1024 * 1024;

// Creates the log in the state folder (or, failing that, in the private temporary folder)
// and writes its header. Returns false when neither place can be written. The start-up
// routine uses CreateDebugLog instead, which reports the failure.
bool OpenDebugLog(const std::string& executable);

// Creates (truncates) the log at exactly path and writes its header. A symbolic link at path
// is not followed (ELOOP) and nothing but a regular file is written. Returns 0, or the errno
// of the failure, in which case no log is open.
int CreateDebugLog(const std::string& path, const std::string& executable);

// Appends text and a line end, and flushes. When nobody has opened the log yet (tests,
// tools) it is created in the state folder first; after CloseDebugLog the same file is
// reopened for appending, so a late line never wipes the log.
void LogLine(std::string_view text);

// The start-up line of a unit: " <unit>.initialization: <details>".
void LogInitialization(std::string_view unit, std::string_view details);

// The path of the log; empty before it is opened.
std::string DebugLogPath();

void CloseDebugLog();

}  // namespace pax
