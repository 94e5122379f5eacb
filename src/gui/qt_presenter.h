#pragma once
// The error routines' message boxes as QMessageBox, and their clipboard as the desktop's.
// The mapping between the platform's button styles and answers and Qt's buttons is kept in
// free functions so that it can be checked without a blocking box.

#include <QMessageBox>

#include "system/presenter.h"

namespace pax {

struct MessageButtons {
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default;
    // What closing the box (Esc, the title bar's button) answers.
    QMessageBox::StandardButton Escape;
};

// 0 OK; 1 OK and Cancel; 2 Abort, Retry and Ignore; AbortOnly nothing but Abort. A default
// button flag (256, 512) chooses the second or third button; unknown styles show OK.
MessageButtons MessageButtonsOf(uint16_t style);
// The platform's answer number (Answer::...) of a pressed button; Answer::Cancel for a button
// the styles never show.
int AnswerOf(QMessageBox::StandardButton button);
QMessageBox::Icon MessageIconOf(MessageIcon icon);

class QtPresenter : public Presenter {
public:
    int Show(const MessageRequest& request) override;
    void SetClipboardText(std::string_view text) override;
};

}  // namespace pax
