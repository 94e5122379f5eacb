#include "gui/qt_presenter.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QClipboard>
#include <QTimer>

#include "gui_test_support.h"

namespace pax {
namespace {

using Button = QMessageBox::StandardButton;

TEST(QtPresenter, ButtonStylesGiveTheirButtonsDefaultAndEscape) {
    struct Case {
        uint16_t style;
        QMessageBox::StandardButtons buttons;
        Button defaultButton, escape;
    };
    const Case cases[] = {
        {Buttons::Ok, Button::Ok, Button::Ok, Button::Ok},
        {Buttons::OkCancel, Button::Ok | Button::Cancel, Button::Ok, Button::Cancel},
        {Buttons::AbortRetryIgnore, Button::Abort | Button::Retry | Button::Ignore, Button::Abort, Button::Ignore},
        {Buttons::AbortRetryIgnoreDefault2, Button::Abort | Button::Retry | Button::Ignore, Button::Retry,
         Button::Ignore},
        {Buttons::OkCancel | Buttons::DefaultButton2, Button::Ok | Button::Cancel, Button::Cancel, Button::Cancel},
        {Buttons::AbortOnly, Button::Abort, Button::Abort, Button::Abort},
        {Buttons::AbortOnly | Buttons::DefaultButton2, Button::Abort, Button::Abort, Button::Abort},
        {7, Button::Ok, Button::Ok, Button::Ok},   // a style no caller passes
    };
    for (const Case& c : cases) {
        const MessageButtons b = MessageButtonsOf(c.style);
        EXPECT_EQ(b.Buttons, c.buttons) << c.style;
        EXPECT_EQ(b.Default, c.defaultButton) << c.style;
        EXPECT_EQ(b.Escape, c.escape) << c.style;
    }
}

TEST(QtPresenter, ButtonsGiveThePlatformsAnswersAndIconsTheirs) {
    for (auto [button, answer] : {std::pair(Button::Ok, Answer::Ok), {Button::Cancel, Answer::Cancel},
                                  {Button::Abort, Answer::Abort}, {Button::Retry, Answer::Retry},
                                  {Button::Ignore, Answer::Ignore}, {Button::NoButton, Answer::Cancel}})
        EXPECT_EQ(AnswerOf(button), answer) << button;
    for (auto [icon, shown] : {std::pair(MessageIcon::Error, QMessageBox::Critical),
                               {MessageIcon::Warning, QMessageBox::Warning}, {MessageIcon::None, QMessageBox::NoIcon}})
        EXPECT_EQ(MessageIconOf(icon), shown);
}

// The box is answered by a timer: Enter presses its default button, Esc its escape button.
TEST(QtPresenter, ShowsAPlainTextBoxAndReturnsThePressedButtonsAnswer) {
    testing::TestApplication();
    QtPresenter presenter;
    QString seenText, seenCaption;
    const auto answerWith = [&](bool escape) {
        QTimer::singleShot(0, [&, escape] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seenText = box->text();
            seenCaption = box->windowTitle();
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            QAbstractButton* button = escape ? box->escapeButton() : static_cast<QAbstractButton*>(box->defaultButton());
            button->click();
        });
    };
    answerWith(false);
    EXPECT_EQ(presenter.Show({MessageIcon::Error, "SysUtil2: MMSystem", "<F8> & more", Buttons::AbortRetryIgnoreDefault2}),
              Answer::Retry);
    EXPECT_EQ(seenText, "<F8> & more");
    EXPECT_EQ(seenCaption, "SysUtil2: MMSystem");
    answerWith(true);
    EXPECT_EQ(presenter.Show({MessageIcon::Warning, "c", "t", Buttons::OkCancel}), Answer::Cancel);

    presenter.SetClipboardText("Schließen");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Schließen"));
}

}  // namespace
}  // namespace pax
