#pragma once
// Routes everything the engine would show to a user (message-line errors and warnings while
// drawing, message boxes) to the command line's error stream, one line each, and counts the
// errors. The boxes are answered at once as the headless presenter answers them. The previous
// sinks and presenter are put back when the capture ends.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace pax {

class Presenter;

class MessageCapture {
public:
    explicit MessageCapture(std::ostream& err);
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    // Errors and boxes since the capture began or since ResetCount.
    int ErrorCount() const { return m_errors; }
    void ResetCount() { m_errors = 0; }

    // Writes "caption: text" as one line (line breaks of text become blanks) and counts it.
    void Report(std::string_view caption, std::string_view text);
    // A warning: written, not counted.
    void Warn(std::string_view text);

private:
    std::ostream& m_err;
    int m_errors = 0;
    std::unique_ptr<Presenter> m_previousPresenter;
};

// text on one line: every run of line breaks becomes one blank, ends trimmed.
std::string OneLine(std::string_view text);

}  // namespace pax
