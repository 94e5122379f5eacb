#include "system/error_reporting.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "system/debug_log.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"
#include "system/text_utils.h"

namespace pax {
namespace {

// A counter, not a flag: a box may open while another is shown (a timer's error).
int g_boxesOpen = 0;
int g_ioResult = 0;
int g_lastIoCode = 0;

PaxErrorSink& Sink() {
    static PaxErrorSink sink;
    return sink;
}

PaxErrorRecovery& Recovery() {
    static PaxErrorRecovery recovery;
    return recovery;
}

// Shows one box with the "box open" flag set; the picture clock restarts afterwards so that
// the time spent in the box does not lower the picture rate.
int PresentBox(const MessageRequest& request) {
    ++g_boxesOpen;
    int answer;
    try {
        answer = CurrentPresenter().Show(request);
    } catch (...) {
        --g_boxesOpen;
        throw;
    }
    --g_boxesOpen;
    ResetPictureClock();
    return answer;
}

// The desktop's clipboard may refuse; the text is a courtesy, the exit must still happen.
void PutOnClipboard(std::string_view text) {
    try {
        CurrentPresenter().SetClipboardText(text);
    } catch (...) {
    }
}

bool Ends(int answer) { return answer == Answer::Cancel || answer == Answer::Abort; }

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

}  // namespace

bool MessageBoxOpen() { return g_boxesOpen > 0; }

[[noreturn]] void ExitProgram(int code) {
    CloseDebugLog();
    std::exit(code);
}

std::string WrapErrorText(std::string_view text) {
    std::string wrapped;
    int column = 0;
    for (char c : text) {
        wrapped += c;
        // Columns count characters: the continuation bytes of UTF-8 take no column.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
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
        PutOnClipboard(text);
        ExitProgram(255);
    }
    return answer;
}

int ShowWarning(std::string_view caption, std::string_view text) {
    MessageRequest request{MessageIcon::Warning, std::string(caption), std::string(text),
                           Buttons::OkCancel};
    int answer = PresentBox(request);
    if (answer == Answer::Cancel) ExitProgram(255);
    PutOnClipboard(text);
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
    std::string full =
        CutText("error in " + std::string(unitName) + "\n\n" + std::string(text) + "\n", 80);
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
    bool isDebugLog = std::filesystem::path(fileName).filename() == DebugLogName;
    if (!isDebugLog) LogLine(">>> ShowFileError: " + text);
    return true;
}

int ShowPaxError(std::string_view caption, std::string_view text) {
    if (!Sink()) return ShowError(caption, text, Buttons::AbortRetryIgnoreDefault2);
    try {
        LogLine(">>> ShowPaxError: " + std::string(caption) + "\n    " + std::string(text));
        Sink()(caption, text);
    } catch (...) {
        int answer = ShowError(caption, text, Buttons::AbortRetryIgnoreDefault2);
        if (Recovery()) Recovery()();
        return answer;
    }
    return 0;
}

void InstallPaxErrorSink(PaxErrorSink sink) { Sink() = std::move(sink); }

void InstallPaxErrorRecovery(PaxErrorRecovery recovery) { Recovery() = std::move(recovery); }

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
