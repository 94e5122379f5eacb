#pragma once
// The system's one way of reporting errors: a line in the debug log and a modal box through
// the installed Presenter. Captions name the unit and the operation ("PaxObj:  ObjectWindow.DrawPart").

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "system/presenter.h"

namespace pax {

// Logs ">>> ShowError: caption / text", shows the text wrapped at column 30 with the error
// icon and returns the answer. Cancel or Abort put the text on the clipboard and end the
// program with exit code 255; a box that cannot be shown ends it with 225.
int ShowError(std::string_view caption, std::string_view text, uint16_t buttons);

// OK and Cancel with the exclamation icon; Cancel ends the program (255), otherwise the text
// goes to the clipboard.
int ShowWarning(std::string_view caption, std::string_view text);

int ShowInfo(std::string_view caption, std::string_view text);

// Only when the operating system's last error (errno) is not 0: the text gets the code and
// its message, the box the caption " Error in " + caption. Returns Answer::Ignore when no box
// was shown. Clears errno.
int ShowLastError(std::string_view caption, std::string_view text, uint16_t buttons);

// Always ends the program with exitCode after one box with an Abort button.
[[noreturn]] void ShowFatalError(int exitCode, std::string_view unitName, std::string_view text);

// The pending input/output result of the last file operation (an errno value, 0 for none).
void SetIoResult(int code);
int TakeIoResult();
int LastIoCode();

// Reports the pending input/output result unless it is 0 or expectedCode; returns whether
// it reported. Codes 100..107 have fixed texts, others the operating system's message.
bool ShowFileError(int expectedCode, std::string_view fileName);
std::string FileErrorText(int code);

// Errors found while a picture is drawn. Without a sink (no main window yet) this is
// ShowError(caption, text, 258); with one, the error is logged and handed to the sink,
// which shows it in the message line, and 0 is returned. When the sink throws, ShowError
// shows the message after all, then the recovery runs (the main window drops its pending
// redraw and goes on with the next figure), and ShowError's answer is returned.
using PaxErrorSink = std::function<void(std::string_view caption, std::string_view text)>;
using PaxErrorRecovery = std::function<void()>;
int ShowPaxError(std::string_view caption, std::string_view text);
void InstallPaxErrorSink(PaxErrorSink sink);  // an empty sink uninstalls
bool HasPaxErrorSink();
void InstallPaxErrorRecovery(PaxErrorRecovery recovery);

// Invalid-pointer exceptions with the system's messages.
[[noreturn]] void RaiseNilObject(std::string_view name);
[[noreturn]] void RaiseNotInitialized(std::string_view typeName);
[[noreturn]] void RaiseNoHeap(std::string_view place);

// Inserts a line break after a "$" or "&" that stands at column 30 or later.
std::string WrapErrorText(std::string_view text);

// Ends the program: closes the debug log and exits with code.
[[noreturn]] void ExitProgram(int code);

}  // namespace pax
