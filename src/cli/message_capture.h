#pragma once
// Routes everything the engine would show to a user (message-line errors and warnings while
// drawing, message boxes) to the command line's error stream, one line each, and counts the
// errors. The boxes are answered at once as the headless presenter answers them. The previous
// sinks and presenter are put back when the capture ends.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pax {

class Presenter;

class MessageCapture {
public:
    explicit MessageCapture(std::ostream& err);
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    // Errors of one caption written per drawing; the rest are counted only.
    static constexpr int MaxShownRepeats = 5;

    // Errors and boxes since the capture began or since ResetCount.
    int ErrorCount() const { return m_errors; }
    void ResetCount();

    // Writes "caption: text" as one line (line breaks of text become blanks) and counts it;
    // past MaxShownRepeats of its caption it is counted without being written.
    void Report(std::string_view caption, std::string_view text);
    // One line for each caption with errors left unwritten, "caption: N more errors of this
    // kind"; the counts of the captions begin again.
    void WriteRepeatSummary();
    // A warning: written, not counted.
    void Warn(std::string_view text);

private:
    struct Kind {
        std::string caption;
        long long count = 0;
    };

    std::ostream& m_err;
    int m_errors = 0;
    std::vector<Kind> m_kinds;  // in the order of their first error; a handful at most
    std::unique_ptr<Presenter> m_previousPresenter;
};

// text on one line: every run of line breaks becomes one blank, the end trimmed unless kept.
enum class LineEnds { Trim, Keep };
std::string OneLine(std::string_view text, LineEnds ends = LineEnds::Trim);

}  // namespace pax
