#include "system/error_reporting.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "system/debug_log.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"

namespace pax {
namespace {

bool g_boxOpen = false;
int g_ioResult = 0;
int g_lastIoCode = 0;

PaxErrorSink& Sink() {
    static PaxErrorSink sink;
    return sink;
}

// Shows one box with the "box open" flag set; the picture clock restarts afterwards so that
// the time spent in the box does not lower the picture rate.
int PresentBox(const MessageRequest& request) {
    g_boxOpen = true;
    int answer;
    try {
        answer = CurrentPresenter().Show(request);
    } catch (...) {
        g_boxOpen = false;
        throw;
    }
    g_boxOpen = false;
    ResetPictureClock();
    return answer;
}

bool Ends(int answer) { return answer == Answer::Cancel || answer == Answer::Abort; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

bool MessageBoxOpen() { return g_boxOpen; }

[[noreturn]] void ExitProgram(int code) {
    CloseDebugLog();
    std::exit(code);
}

std::string WrapErrorText(std::string_view text) {
    std::string wrapped;
    int column = 0;
    for (char c : text) {
        wrapped += c;
        ++column;
        if (c == '\n') column = 0;
        if (column >= 30 && (c == '$' || c == '&')) {
            wrapped += '\n';
            column = 0;
        }
    }
    return wrapped;
}

int ShowError(std::string_view caption, std::string_view text, uint16_t buttons) {
    LogLine(">>> ShowError: " + std::string(caption) + "\n    " + std::string(text));
    MessageRequest request{MessageIcon::Error, std::string(caption), WrapErrorText(text), buttons};
    int answer;
    try {
        answer = PresentBox(request);
    } catch (...) {
        ExitProgram(225);
    }
    if (Ends(answer)) {
        CurrentPresenter().SetClipboardText(text);
        ExitProgram(255);
    }
    return answer;
}

int ShowWarning(std::string_view caption, std::string_view text) {
    MessageRequest request{MessageIcon::Warning, std::string(caption), std::string(text),
                           Buttons::OkCancel};
    int answer = PresentBox(request);
    if (answer == Answer::Cancel) ExitProgram(255);
    CurrentPresenter().SetClipboardText(text);
    return answer;
}

int ShowInfo(std::string_view caption, std::string_view text) {
    MessageRequest request{MessageIcon::Information, std::string(caption), std::string(text),
                           Buttons::Ok};
    return PresentBox(request);
}

int ShowLastError(std::string_view caption, std::string_view text, uint16_t buttons) {
    int code = errno;
    errno = 0;
    std::string full(text);
    if (code != 0) full += "\n  error " + std::to_string(code) + ": " + std::strerror(code);
    LogLine(">>> ShowLastError: " + std::string(caption) + "\n  " + full);
    if (code == 0) return Answer::Ignore;
    MessageRequest request{MessageIcon::None, " Error in " + std::string(caption), full, buttons};
    int answer = PresentBox(request);
    if (Ends(answer)) ExitProgram(255);
    return answer;
}

void ShowFatalError(int exitCode, std::string_view unitName, std::string_view text) {
    std::string full = "error in " + std::string(unitName) + "\n\n" + std::string(text) + "\n";
    if (full.size() > 80) full.resize(80);
    LogLine(">>> ShowFatalError: " + std::to_string(exitCode) + ", " + full);
    MessageRequest request{MessageIcon::Error, "Fatal Error", full, Buttons::AbortOnly};
    try {
        PresentBox(request);
    } catch (...) {
    }
    ExitProgram(exitCode);
}

void SetIoResult(int code) { g_ioResult = code; }

int TakeIoResult() {
    g_lastIoCode = g_ioResult;
    g_ioResult = 0;
    return g_lastIoCode;
}

int LastIoCode() { return g_lastIoCode; }

std::string FileErrorText(int code) {
    switch (code) {
        case 100: return "Fehler beim Lesen vom Datenträger";
        case 101: return "Fehler beim Schreiben auf Datenträger";
        case 102: return "Dateivariable ist keiner Datei zugewiesen";
        case 103: return "Datei nicht geöffnet";
        case 104: return "Datei nicht für Eingabe geöffnet";
        case 105: return "Datei nicht für Ausgabe geöffnet";
        case 106: return "Ungültiges Eingabeformat";
        case 107: return "Datei ist bereits geöffnet";
        default: return std::strerror(code);
    }
}

bool ShowFileError(int expectedCode, std::string_view fileName) {
    int code = TakeIoResult();
    if (code == 0 || code == expectedCode) return false;
    std::string text = "error " + std::to_string(code) + " at file " + Quoted(fileName) + "\n" +
                       FileErrorText(code);
    MessageRequest request{MessageIcon::Error, "File Error", text, Buttons::OkCancel};
    int answer = PresentBox(request);
    if (answer == Answer::Cancel) ExitProgram(255);
    if (fileName != DebugLogName) LogLine(">>> ShowFileError: " + text);
    return true;
}

int ShowPaxError(std::string_view caption, std::string_view text) {
    if (!Sink()) return ShowError(caption, text, Buttons::AbortRetryIgnoreDefault2);
    try {
        LogLine(">>> ShowPaxError: " + std::string(caption) + "\n    " + std::string(text));
        Sink()(caption, text);
    } catch (...) {
        return ShowError(caption, text, Buttons::AbortRetryIgnoreDefault2);
    }
    return 0;
}

void InstallPaxErrorSink(PaxErrorSink sink) { Sink() = std::move(sink); }

bool HasPaxErrorSink() { return static_cast<bool>(Sink()); }

void RaiseNilObject(std::string_view name) {
    throw EInvalidPointer("\nObject pointer = nil when calling " + std::string(name) + "\n");
}

void RaiseNotInitialized(std::string_view typeName) {
    throw EInvalidPointer("\nObject of type " + Quoted(typeName) + " is not initialized\n");
}

void RaiseNoHeap(std::string_view place) {
    throw EInvalidPointer("\nno heap memory at " + Quoted(place) + "\n");
}

}  // namespace pax
