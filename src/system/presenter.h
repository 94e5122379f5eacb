#pragma once
// Where the error routines show their message boxes. The desktop program installs a Qt
// presenter; the command line and the tests use the headless one, which never blocks.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pax {

// Button styles that callers pass (the platform's message-box style numbers).
namespace Buttons {
inline constexpr uint16_t Ok = 0;
inline constexpr uint16_t OkCancel = 1;
inline constexpr uint16_t AbortRetryIgnore = 2;
inline constexpr uint16_t DefaultButton2 = 256;
inline constexpr uint16_t AbortRetryIgnoreDefault2 = AbortRetryIgnore | DefaultButton2;  // 258
// Our own style for the fatal-error dialog, which offers nothing but Abort.
inline constexpr uint16_t AbortOnly = 0x4000;
}  // namespace Buttons

// Answers of a box (the platform's numbers).
namespace Answer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
}  // namespace Answer

enum class MessageIcon { Error, Warning, Information, None };

struct MessageRequest {
    MessageIcon icon = MessageIcon::None;
    std::string caption;
    std::string text;
    uint16_t buttons = Buttons::Ok;
};

class Presenter {
public:
    virtual ~Presenter() = default;
    // Shows a modal box and returns the answer (Answer::...). May throw when the box cannot
    // be shown; ShowError then ends the program with exit code 225.
    virtual int Show(const MessageRequest& request) = 0;
    virtual void SetClipboardText(std::string_view text) = 0;
};

// Writes "caption: text" to stderr and answers without waiting: Ignore for the
// Abort/Retry/Ignore style, OK otherwise.
class HeadlessPresenter : public Presenter {
public:
    int Show(const MessageRequest& request) override;
    void SetClipboardText(std::string_view text) override;
    const std::string& ClipboardText() const { return m_clipboard; }

private:
    std::string m_clipboard;
};

// The answer a headless presenter gives for a button style.
int DefaultAnswer(uint16_t buttons);

// The installed presenter; the headless one until another is installed. The previous one
// is returned so that tests can restore it.
Presenter& CurrentPresenter();
std::unique_ptr<Presenter> InstallPresenter(std::unique_ptr<Presenter> presenter);

// True while a box is shown: the animation loop paints no picture then.
bool MessageBoxOpen();

}  // namespace pax
