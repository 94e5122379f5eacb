#include "system/status_line.h"

#include <cstdio>
#include <string>

#include "system/debug_log.h"

namespace pax {
namespace {
StatusWarningSink& Sink() {
    static StatusWarningSink sink;
    return sink;
}
StatusWarningSink& ErrorSink() {
    static StatusWarningSink sink;
    return sink;
}
}  // namespace

void ShowStatusWarning(std::string_view text) {
    if (Sink()) {
        Sink()(text);
        return;
    }
    LogLine(">>> StatusWarning: " + std::string(text));
    std::fprintf(stderr, "warning: %.*s\n", static_cast<int>(text.size()), text.data());
}

void InstallStatusWarningSink(StatusWarningSink sink) { Sink() = std::move(sink); }

void ShowStatusError(std::string_view text) {
    if (ErrorSink()) {
        ErrorSink()(text);
        return;
    }
    LogLine(">>> StatusError: " + std::string(text));
    std::fprintf(stderr, "error: %.*s\n", static_cast<int>(text.size()), text.data());
}

void InstallStatusErrorSink(StatusWarningSink sink) { ErrorSink() = std::move(sink); }

}  // namespace pax
