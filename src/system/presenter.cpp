#include "system/presenter.h"

#include <cstdio>

namespace pax {
namespace {

std::unique_ptr<Presenter>& Installed() {
    static std::unique_ptr<Presenter> presenter = std::make_unique<HeadlessPresenter>();
    return presenter;
}

const char* IconWord(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return "error";
        case MessageIcon::Warning: return "warning";
        case MessageIcon::Information: return "info";
        case MessageIcon::None: break;
    }
    return "message";
}

}  // namespace

int DefaultAnswer(uint16_t buttons) {
    return (buttons & 0x0F) == Buttons::AbortRetryIgnore ? Answer::Ignore : Answer::Ok;
}

int HeadlessPresenter::Show(const MessageRequest& request) {
    std::fprintf(stderr, "%s: %s: %s\n", IconWord(request.icon), request.caption.c_str(),
                 request.text.c_str());
    return DefaultAnswer(request.buttons);
}

void HeadlessPresenter::SetClipboardText(std::string_view text) { m_clipboard = text; }

Presenter& CurrentPresenter() { return *Installed(); }

std::unique_ptr<Presenter> InstallPresenter(std::unique_ptr<Presenter> presenter) {
    if (!presenter) presenter = std::make_unique<HeadlessPresenter>();
    std::swap(Installed(), presenter);
    return presenter;
}

}  // namespace pax
