#include "system/error_reporting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "support/scripted_presenter.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"
#include "test_files.h"

namespace pax {
namespace {

using ::testing::ExitedWithCode;
using testing::LogWatch;
using testing::ScopedPresenter;

// Answers every box alike (0: cannot show one at all), notes whether a box was open, and
// writes what reaches the clipboard to stderr, where a death test sees it.
struct ProbePresenter : Presenter {
    explicit ProbePresenter(int a) : answer(a) {}
    int Show(const MessageRequest&) override {
        if (answer == 0) throw std::runtime_error("no display");
        openSeen = MessageBoxOpen();
        return answer;
    }
    void SetClipboardText(std::string_view text) override {
        std::fprintf(stderr, "clipboard=[%.*s]\n", static_cast<int>(text.size()), text.data());
    }
    int answer;
    bool openSeen = false;
};

void Answering(int answer) { InstallPresenter(std::make_unique<ProbePresenter>(answer)); }

void ExpectBox(const ScopedPresenter& boxes, MessageIcon icon, const std::string& caption, uint16_t buttons) {
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().icon, icon);
    EXPECT_EQ(boxes.Last().caption, caption);
    EXPECT_EQ(boxes.Last().buttons, buttons);
}

TEST(ShowError, RetryReturnsFourLogsAndShowsTheWrappedTextInAnErrorBox) {
    LogWatch log;
    ScopedPresenter boxes;
    boxes.Answer(Answer::Retry);
    EXPECT_EQ(ShowError("PaxObj:  ObjectWindow.DrawPart", "unknown part type", 258), Answer::Retry);
    EXPECT_EQ(log.Text(), ">>> ShowError: PaxObj:  ObjectWindow.DrawPart\n    unknown part type\n");
    ExpectBox(boxes, MessageIcon::Error, "PaxObj:  ObjectWindow.DrawPart", 258);
    EXPECT_TRUE(boxes.Clipboard().empty());
    ShowError("c", "0123456789012345678901234567890$tail", 0);
    EXPECT_EQ(boxes.Last().text, "0123456789012345678901234567890$\ntail");
}

class PictureClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetManualClock(true, 1000);
        ResetPictureClock();
    }
    void TearDown() override { SetManualClock(false); }
};

TEST_F(PictureClockTest, AnErrorBoxIsMarkedOpenWhileShownAndTheClockStartsAgainAfterIt) {
    auto probe = std::make_unique<ProbePresenter>(Answer::Ok);
    const ProbePresenter& seen = *probe;
    auto previous = InstallPresenter(std::move(probe));
    CountPicture();
    SetManualClock(true, 5000);
    ShowError("c", "t", 0);
    EXPECT_TRUE(seen.openSeen);
    InstallPresenter(std::move(previous));
    EXPECT_FALSE(MessageBoxOpen());
    EXPECT_EQ(PictureClock().Counter, 0u);
    EXPECT_EQ(PictureClock().Start, 5000u);
}

TEST(ShowErrorDeathTest, AbortOrCancelCopyTheTextAndExit255AndNoBoxExits225) {
    EXPECT_EXIT((Answering(Answer::Abort), ShowError("caption", "the whole text", 258)), ExitedWithCode(255),
                "clipboard=\\[the whole text\\]");
    EXPECT_EXIT((Answering(Answer::Cancel), ShowError("caption", "text", 1)), ExitedWithCode(255),
                "clipboard=\\[text\\]");
    EXPECT_EXIT((Answering(0), ShowError("caption", "text", 0)), ExitedWithCode(225), "");
}

TEST(ShowWarningAndInfo, WarningCopiesTheTextOnOkAndExits255OnCancel) {
    ScopedPresenter boxes;
    EXPECT_EQ(ShowWarning("cap", "careful"), Answer::Ok);
    ExpectBox(boxes, MessageIcon::Warning, "cap", Buttons::OkCancel);
    EXPECT_EQ(boxes.Clipboard(), "careful");
    boxes.Clear();
    EXPECT_EQ(ShowInfo("cap", "note"), Answer::Ok);
    ExpectBox(boxes, MessageIcon::Information, "cap", Buttons::Ok);
    EXPECT_EXIT((Answering(Answer::Cancel), ShowWarning("cap", "careful")), ExitedWithCode(255), "^$");
}

TEST(ShowLastError, WithoutAnErrorOnlyLogsAndOtherwiseAppendsTheCodeAndClearsIt) {
    LogWatch log;
    ScopedPresenter boxes;
    errno = 0;
    EXPECT_EQ(ShowLastError("PaxConf.SaveConfiguration", "text", 258), Answer::Ignore);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(log.Text(), ">>> ShowLastError: PaxConf.SaveConfiguration\n  text\n");

    LogWatch log2;
    boxes.Answer(Answer::Retry);
    errno = ENOENT;
    EXPECT_EQ(ShowLastError("Unit.Save", "cannot write", 258), Answer::Retry);
    std::string expected = std::string("cannot write\n  error 2: ") + std::strerror(ENOENT);
    ExpectBox(boxes, MessageIcon::None, " Error in Unit.Save", 258);
    EXPECT_EQ(boxes.Last().text, expected);
    EXPECT_EQ(log2.Text(), ">>> ShowLastError: Unit.Save\n  " + expected + "\n");
    EXPECT_EQ(errno, 0);
    // Abort ends the program, without the clipboard.
    EXPECT_EXIT((Answering(Answer::Abort), errno = EACCES, ShowLastError("cap", "text", 258)),
                ExitedWithCode(255), "^$");
}

TEST(ShowFileError, OnlyAnUnexpectedCodeIsReportedWithFixedTextsFor100To107AndTheLogsOwnErrorsAreNotLogged) {
    LogWatch log;
    ScopedPresenter boxes;
    SetIoResult(2);
    EXPECT_FALSE(ShowFileError(2, "missing.LSY"));
    EXPECT_EQ(LastIoCode(), 2);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_FALSE(ShowFileError(0, "missing.LSY"));
    EXPECT_EQ(boxes.Count(), 0u);
    SetIoResult(106);
    EXPECT_TRUE(ShowFileError(0, "tree.LSY"));
    std::string expected = "error 106 at file \"tree.LSY\"\nUngültiges Eingabeformat";
    ExpectBox(boxes, MessageIcon::Error, "File Error", Buttons::OkCancel);
    EXPECT_EQ(boxes.Last().text, expected);
    EXPECT_EQ(log.Text(), ">>> ShowFileError: " + expected + "\n");
    EXPECT_EQ(FileErrorText(100), "Fehler beim Lesen vom Datenträger");
    EXPECT_EQ(FileErrorText(107), "Datei ist bereits geöffnet");
    EXPECT_EQ(FileErrorText(EACCES), std::strerror(EACCES));

    LogWatch log2;
    SetIoResult(EACCES);
    EXPECT_TRUE(ShowFileError(0, "/some/dir/DEBUG.TMP"));
    EXPECT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(log2.Text(), "");
    EXPECT_EXIT((Answering(Answer::Cancel), SetIoResult(5), ShowFileError(0, "x")), ExitedWithCode(255), "");
}

TEST(ShowFatalErrorDeathTest, EndsWithTheGivenCodeAndLogsTheTextCutTo80) {
    LogWatch log;
    std::string text(100, 'x');
    EXPECT_EXIT(ShowFatalError(203, "tMemoryList.Create", text), ExitedWithCode(203), "");
    std::string full = "error in tMemoryList.Create\n\n" + text + "\n";
    EXPECT_EQ(log.Text(), ">>> ShowFatalError: 203, " + full.substr(0, 80) + "\n");
}

TEST(ShowPaxError, WithoutASinkItIsShowErrorWith258WithOneItLogsAndShowsNoBoxAndOneThatThrowsFallsBack) {
    ScopedPresenter boxes;
    EXPECT_EQ(ShowPaxError("PaxProj:  Proj3dWindow.DoProjection", "bad"), Answer::Ignore);
    ExpectBox(boxes, MessageIcon::Error, "PaxProj:  Proj3dWindow.DoProjection", 258);
    boxes.Clear();

    LogWatch log;
    std::string line;
    InstallPaxErrorSink([&](std::string_view c, std::string_view t) { line = std::string(c) + ": " + std::string(t); });
    EXPECT_EQ(ShowPaxError("Cap", "text"), 0);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(line, "Cap: text");
    EXPECT_EQ(log.Text(), ">>> ShowPaxError: Cap\n    text\n");

    boxes.Answer(Answer::Retry);
    int recovered = 0;
    InstallPaxErrorSink([](std::string_view, std::string_view) { throw std::runtime_error("gone"); });
    InstallPaxErrorRecovery([&] { ++recovered; });
    EXPECT_EQ(ShowPaxError("Cap", "text"), Answer::Retry);
    InstallPaxErrorSink({});
    InstallPaxErrorRecovery({});
    ExpectBox(boxes, MessageIcon::Error, "Cap", 258);
    EXPECT_EQ(recovered, 1);
}

TEST(WrapErrorText, BreaksOnlyAfterDollarOrAmpersandFromColumn30) {
    std::string col29(28, 'a');  // a "$" after these stands at column 29
    std::string col30(29, 'a');
    EXPECT_EQ(WrapErrorText(col29 + "$b"), col29 + "$b");
    EXPECT_EQ(WrapErrorText(col30 + "$b"), col30 + "$\nb");
    EXPECT_EQ(WrapErrorText(col30 + "&b"), col30 + "&\nb");
    EXPECT_EQ(WrapErrorText(std::string(40, 'a')), std::string(40, 'a'));
    // Columns count again after every break, the text's own ones included.
    EXPECT_EQ(WrapErrorText(col30 + "$" + col30 + "&"), col30 + "$\n" + col30 + "&\n");
    EXPECT_EQ(WrapErrorText("ab\n" + col29 + "$"), "ab\n" + col29 + "$");
    EXPECT_EQ(WrapErrorText("ä" + col29 + "$"), "ä" + col29 + "$\n");
}

TEST(RaiseErrors, ThrowInvalidPointerWithTheSystemsMessages) {
    using ::testing::ThrowsMessage;
    EXPECT_THAT([] { RaiseNilObject("TCursor3d.Clone"); },
                ThrowsMessage<EInvalidPointer>("\nObject pointer = nil when calling TCursor3d.Clone\n"));
    EXPECT_THAT([] { RaiseNotInitialized("tLSystem"); },
                ThrowsMessage<EInvalidPointer>("\nObject of type \"tLSystem\" is not initialized\n"));
    EXPECT_THAT([] { RaiseNoHeap("Memory.Alloc"); },
                ThrowsMessage<EInvalidPointer>("\nno heap memory at \"Memory.Alloc\"\n"));
}

TEST_F(PictureClockTest, RightAfterResetOneMillisecondAndAFiftiethPerPicture) {
    EXPECT_EQ(ElapsedMilliseconds(), 1u);
    SetManualClock(true, 9000);
    EXPECT_EQ(SecondsPerPicture(), 0.02L);
    ResetPictureClock();
    EXPECT_EQ(PictureClock().PreviousStart, 1000u);
    EXPECT_EQ(PictureClock().Start, 9000u);
}

TEST_F(PictureClockTest, RateFromPicturesAndElapsedTimeAcrossTheWrapOfTheCounter) {
    for (int i = 0; i < 5; ++i) CountPicture();
    SetManualClock(true, 1400);
    EXPECT_EQ(ElapsedMilliseconds(), 400u);
    EXPECT_EQ(SecondsPerPicture(), 0.08L);
    EXPECT_EQ(PicturesPerSecondText(), "12.5");
    SetManualClock(true, 0xFFFFFFF0u);
    ResetPictureClock();
    SetManualClock(true, 0x10u);
    EXPECT_EQ(ElapsedMilliseconds(), 32u);
}

}  // namespace
}  // namespace pax
