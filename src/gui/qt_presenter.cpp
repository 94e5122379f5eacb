#include "gui/qt_presenter.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

#include <vector>

namespace pax {

namespace {

using Button = QMessageBox::StandardButton;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

MessageButtons MessageButtonsOf(uint16_t style) {
    std::vector<Button> order;
    Button escape = Button::Ok;
    if (style & Buttons::AbortOnly) {
        order = {Button::Abort};
        escape = Button::Abort;
    } else {
        switch (style & 0x0F) {
        case Buttons::OkCancel:
            order = {Button::Ok, Button::Cancel};
            escape = Button::Cancel;
            break;
        case Buttons::AbortRetryIgnore:
            order = {Button::Abort, Button::Retry, Button::Ignore};
            // The platform's box cannot be closed without a choice; closing ours goes on.
            escape = Button::Ignore;
            break;
        default: order = {Button::Ok}; break;
        }
    }
    MessageButtons result{{}, order.front(), escape};
    for (Button b : order) result.Buttons |= b;
    const size_t chosen = (style >> 8) & 0x0F;
    if (chosen < order.size()) result.Default = order[chosen];
    return result;
}

int AnswerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case Button::Ok: return Answer::Ok;
    case Button::Abort: return Answer::Abort;
    case Button::Retry: return Answer::Retry;
    case Button::Ignore: return Answer::Ignore;
    default: return Answer::Cancel;
    }
}

QMessageBox::Icon MessageIconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

int QtPresenter::Show(const MessageRequest& request) {
    const MessageButtons buttons = MessageButtonsOf(request.buttons);
    QMessageBox box(MessageIconOf(request.icon), FromUtf8(request.caption), FromUtf8(request.text), buttons.Buttons,
                    QApplication::activeWindow());
    // Error texts carry "<" and "&" of their own: never rich text.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons.Default);
    box.setEscapeButton(buttons.Escape);
    const int pressed = box.exec();
    return AnswerOf(static_cast<Button>(pressed));
}

void QtPresenter::SetClipboardText(std::string_view text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(FromUtf8(text));
}

}  // namespace pax
