#include "cli/message_capture.h"

#include <algorithm>
#include <limits>

#include "system/error_reporting.h"
#include "system/presenter.h"
#include "system/status_line.h"

namespace pax {
namespace {

class CapturePresenter : public Presenter {
public:
    explicit CapturePresenter(MessageCapture& capture) : m_capture(capture) {}
    int Show(const MessageRequest& request) override {
        if (request.icon == MessageIcon::Information || request.icon == MessageIcon::None)
            m_capture.Warn(request.caption + ": " + request.text);
        else
            m_capture.Report(request.caption, request.text);
        return DefaultAnswer(request.buttons);
    }
    void SetClipboardText(std::string_view) override {}

private:
    MessageCapture& m_capture;
};

}  // namespace

std::string OneLine(std::string_view text, LineEnds ends) {
    std::string line;
    bool blank = false;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            blank = true;
            continue;
        }
        if (blank && !line.empty() && line.back() != ' ') line += ' ';
        blank = false;
        line += c;
    }
    while (ends == LineEnds::Trim && !line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

MessageCapture::MessageCapture(std::ostream& err) : m_err(err) {
    InstallPaxErrorSink([this](std::string_view caption, std::string_view text) { Report(caption, text); });
    InstallStatusErrorSink([this](std::string_view text) { Report("error", text); });
    InstallStatusWarningSink([this](std::string_view text) { Warn(text); });
    m_previousPresenter = InstallPresenter(std::make_unique<CapturePresenter>(*this));
}

MessageCapture::~MessageCapture() {
    InstallPresenter(std::move(m_previousPresenter));
    InstallStatusWarningSink({});
    InstallStatusErrorSink({});
    InstallPaxErrorSink({});
}

void MessageCapture::ResetCount() {
    m_errors = 0;
    m_kinds.clear();
}

void MessageCapture::Report(std::string_view caption, std::string_view text) {
    if (m_errors < std::numeric_limits<int>::max()) ++m_errors;
    auto kind = std::find_if(m_kinds.begin(), m_kinds.end(), [&](const Kind& k) { return k.caption == caption; });
    if (kind == m_kinds.end()) kind = m_kinds.insert(m_kinds.end(), Kind{std::string(caption), 0});
    if (++kind->count > MaxShownRepeats) return;
    // A caption keeps its blanks: "PaxPax: " is written "PaxPax: : text".
    m_err << OneLine(caption, LineEnds::Keep) << ": " << OneLine(text) << '\n';
}

void MessageCapture::WriteRepeatSummary() {
    for (const Kind& kind : m_kinds)
        if (kind.count > MaxShownRepeats)
            m_err << OneLine(kind.caption, LineEnds::Keep) << ": " << kind.count - MaxShownRepeats
                  << " more errors of this kind\n";
    m_kinds.clear();
}

void MessageCapture::Warn(std::string_view text) { m_err << "warning: " << OneLine(text) << '\n'; }

}  // namespace pax
