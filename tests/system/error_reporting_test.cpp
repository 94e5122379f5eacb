#include "system/error_reporting.h"

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

using testing::LogWatch;
using testing::ScopedPresenter;

// Answers every box with one answer and writes what reaches the clipboard to stderr, so that
// a death test can see it.
class ClipboardToStderr : public Presenter {
public:
    explicit ClipboardToStderr(int answer) : m_answer(answer) {}
    int Show(const MessageRequest&) override { return m_answer; }
    void SetClipboardText(std::string_view text) override {
        std::fprintf(stderr, "clipboard=[%.*s]\n", static_cast<int>(text.size()), text.data());
    }

private:
    int m_answer;
};

class ThrowingPresenter : public Presenter {
public:
    int Show(const MessageRequest&) override { throw std::runtime_error("no display"); }
    void SetClipboardText(std::string_view) override {}
};

class BoxOpenProbe : public Presenter {
public:
    bool* seen;
    explicit BoxOpenProbe(bool* out) : seen(out) {}
    int Show(const MessageRequest&) override {
        *seen = MessageBoxOpen();
        return Answer::Ok;
    }
    void SetClipboardText(std::string_view) override {}
};

TEST(ShowError, RetryReturnsFourLogsAndShowsTheErrorBox) {
    LogWatch log;
    ScopedPresenter boxes;
    boxes.Answer(Answer::Retry);
    EXPECT_EQ(ShowError("PaxObj:  ObjectWindow.DrawPart", "unknown part type", 258), Answer::Retry);
    EXPECT_EQ(log.Text(), ">>> ShowError: PaxObj:  ObjectWindow.DrawPart\n    unknown part type\n");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Error);
    EXPECT_EQ(boxes.Last().caption, "PaxObj:  ObjectWindow.DrawPart");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_TRUE(boxes.Clipboard().empty());
}

TEST(ShowError, BoxShowsWrappedTextAndMarksItselfOpen) {
    bool openDuringBox = false;
    auto previous = InstallPresenter(std::make_unique<BoxOpenProbe>(&openDuringBox));
    ShowError("c", "t", 0);
    InstallPresenter(std::move(previous));
    EXPECT_TRUE(openDuringBox);
    EXPECT_FALSE(MessageBoxOpen());

    ScopedPresenter boxes;
    ShowError("c", "0123456789012345678901234567890$tail", 0);
    EXPECT_EQ(boxes.Last().text, "0123456789012345678901234567890$\ntail");
}

TEST(ShowError, ClosingTheBoxResetsThePictureClock) {
    ScopedPresenter boxes;
    SetManualClock(true, 1000);
    ResetPictureClock();
    CountPicture();
    SetManualClock(true, 5000);
    ShowError("c", "t", 0);
    EXPECT_EQ(PictureClock().Counter, 0u);
    EXPECT_EQ(PictureClock().Start, 5000u);
    EXPECT_EQ(PictureClock().PreviousStart, 1000u);
    SetManualClock(false);
}

TEST(ShowErrorDeathTest, AbortPutsTheTextOnTheClipboardAndExits255) {
    EXPECT_EXIT(
        {
            InstallPresenter(std::make_unique<ClipboardToStderr>(Answer::Abort));
            ShowError("caption", "the whole text", 258);
        },
        ::testing::ExitedWithCode(255), "clipboard=\\[the whole text\\]");
}

TEST(ShowErrorDeathTest, CancelExits255) {
    EXPECT_EXIT(
        {
            InstallPresenter(std::make_unique<ClipboardToStderr>(Answer::Cancel));
            ShowError("caption", "text", 1);
        },
        ::testing::ExitedWithCode(255), "clipboard=\\[text\\]");
}

TEST(ShowErrorDeathTest, ABoxThatCannotBeShownExits225) {
    EXPECT_EXIT(
        {
            InstallPresenter(std::make_unique<ThrowingPresenter>());
            ShowError("caption", "text", 0);
        },
        ::testing::ExitedWithCode(225), "");
}

TEST(ShowWarning, OkPutsTheTextOnTheClipboard) {
    ScopedPresenter boxes;
    EXPECT_EQ(ShowWarning("cap", "careful"), Answer::Ok);
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Warning);
    EXPECT_EQ(boxes.Last().buttons, Buttons::OkCancel);
    EXPECT_EQ(boxes.Clipboard(), "careful");
}

TEST(ShowWarningDeathTest, CancelExits255) {
    EXPECT_EXIT(
        {
            InstallPresenter(std::make_unique<ClipboardToStderr>(Answer::Cancel));
            ShowWarning("cap", "careful");
        },
        ::testing::ExitedWithCode(255), "");
}

TEST(ShowInfo, ShowsAnInformationBoxWithOk) {
    ScopedPresenter boxes;
    EXPECT_EQ(ShowInfo("cap", "note"), Answer::Ok);
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Information);
    EXPECT_EQ(boxes.Last().buttons, Buttons::Ok);
    EXPECT_TRUE(boxes.Clipboard().empty());
}

TEST(ShowLastError, WithoutAnErrorLogsButShowsNothingAndReturnsIgnore) {
    LogWatch log;
    ScopedPresenter boxes;
    errno = 0;
    EXPECT_EQ(ShowLastError("PaxConf.SaveConfiguration", "text", 258), Answer::Ignore);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(log.Text(), ">>> ShowLastError: PaxConf.SaveConfiguration\n  text\n");
}

TEST(ShowLastError, AppendsTheCodeAndItsMessageAndClearsIt) {
    LogWatch log;
    ScopedPresenter boxes;
    boxes.Answer(Answer::Retry);
    errno = ENOENT;
    EXPECT_EQ(ShowLastError("Unit.Save", "cannot write", 258), Answer::Retry);
    std::string expected = std::string("cannot write\n  error 2: ") + std::strerror(ENOENT);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, " Error in Unit.Save");
    EXPECT_EQ(boxes.Last().text, expected);
    EXPECT_EQ(boxes.Last().icon, MessageIcon::None);
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(log.Text(), ">>> ShowLastError: Unit.Save\n  " + expected + "\n");
    EXPECT_EQ(errno, 0);
}

TEST(ShowLastErrorDeathTest, AbortExits255WithoutClipboard) {
    EXPECT_EXIT(
        {
            InstallPresenter(std::make_unique<ClipboardToStderr>(Answer::Abort));
            errno = EACCES;
            ShowLastError("cap", "text", 258);
        },
        ::testing::ExitedWithCode(255), "^$");
}

TEST(ShowFileError, TheExpectedCodeIsNotReported) {
    ScopedPresenter boxes;
    SetIoResult(2);
    EXPECT_FALSE(ShowFileError(2, "missing.LSY"));
    EXPECT_EQ(LastIoCode(), 2);
    EXPECT_EQ(TakeIoResult(), 0);  // read and cleared
    EXPECT_FALSE(ShowFileError(0, "missing.LSY"));
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(ShowFileError, FixedTextsForCodes100To107) {
    LogWatch log;
    ScopedPresenter boxes;
    SetIoResult(106);
    EXPECT_TRUE(ShowFileError(0, "tree.LSY"));
    std::string expected = "error 106 at file \"tree.LSY\"\nUngültiges Eingabeformat";
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, expected);
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Error);
    EXPECT_EQ(boxes.Last().buttons, Buttons::OkCancel);
    EXPECT_EQ(log.Text(), ">>> ShowFileError: " + expected + "\n");
    EXPECT_EQ(FileErrorText(100), "Fehler beim Lesen vom Datenträger");
    EXPECT_EQ(FileErrorText(107), "Datei ist bereits geöffnet");
    EXPECT_EQ(FileErrorText(EACCES), std::strerror(EACCES));
}

TEST(ShowFileError, ErrorsOfTheDebugLogItselfAreNotLogged) {
    LogWatch log;
    ScopedPresenter boxes;
    SetIoResult(EACCES);
    EXPECT_TRUE(ShowFileError(0, "/some/dir/DEBUG.TMP"));
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(log.Text(), "");
}

TEST(ShowFileErrorDeathTest, CancelExits255) {
    EXPECT_EXIT(
        {
            InstallPresenter(std::make_unique<ClipboardToStderr>(Answer::Cancel));
            SetIoResult(5);
            ShowFileError(0, "x");
        },
        ::testing::ExitedWithCode(255), "");
}

TEST(ShowFatalErrorDeathTest, EndsWithTheGivenCodeAndLogsTheTextCutTo80) {
    LogWatch log;
    std::string text(100, 'x');
    EXPECT_EXIT(ShowFatalError(203, "tMemoryList.Create", text), ::testing::ExitedWithCode(203), "");
    std::string full = "error in tMemoryList.Create\n\n" + text + "\n";
    EXPECT_EQ(log.Text(), ">>> ShowFatalError: 203, " + full.substr(0, 80) + "\n");
}

TEST(ShowPaxError, WithoutASinkItIsShowErrorWith258) {
    ScopedPresenter boxes;
    InstallPaxErrorSink({});
    EXPECT_EQ(ShowPaxError("PaxProj:  Proj3dWindow.DoProjection", "bad"), Answer::Ignore);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(boxes.Last().caption, "PaxProj:  Proj3dWindow.DoProjection");
}

TEST(ShowPaxError, WithASinkItLogsHandsOverAndShowsNoBox) {
    LogWatch log;
    ScopedPresenter boxes;
    std::string line;
    InstallPaxErrorSink([&](std::string_view c, std::string_view t) {
        line = std::string(c) + ": " + std::string(t);
    });
    EXPECT_EQ(ShowPaxError("Cap", "text"), 0);
    InstallPaxErrorSink({});
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(line, "Cap: text");
    EXPECT_EQ(log.Text(), ">>> ShowPaxError: Cap\n    text\n");
}

TEST(ShowPaxError, ASinkThatThrowsFallsBackToShowErrorAndRecovers) {
    ScopedPresenter boxes;
    boxes.Answer(Answer::Retry);
    int recovered = 0;
    InstallPaxErrorSink([](std::string_view, std::string_view) { throw std::runtime_error("gone"); });
    InstallPaxErrorRecovery([&] { ++recovered; });
    EXPECT_EQ(ShowPaxError("Cap", "text"), Answer::Retry);
    InstallPaxErrorSink({});
    InstallPaxErrorRecovery({});
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(recovered, 1);
}

TEST(WrapErrorText, BreaksOnlyAfterDollarOrAmpersandFromColumn30) {
    std::string col29(28, 'a');  // the "$" below stands at column 29
    EXPECT_EQ(WrapErrorText(col29 + "$b"), col29 + "$b");
    std::string col30(29, 'a');
    EXPECT_EQ(WrapErrorText(col30 + "$b"), col30 + "$\nb");
    EXPECT_EQ(WrapErrorText(col30 + "&b"), col30 + "&\nb");
    EXPECT_EQ(WrapErrorText(std::string(40, 'a')), std::string(40, 'a'));
    // Columns count again after every break, the text's own ones included.
    EXPECT_EQ(WrapErrorText(col30 + "$" + col30 + "&"), col30 + "$\n" + col30 + "&\n");
    EXPECT_EQ(WrapErrorText("ab\n" + col29 + "$"), "ab\n" + col29 + "$");
}

TEST(RaiseErrors, ThrowInvalidPointerWithTheSystemsMessages) {
    try {
        RaiseNilObject("TCursor3d.Clone");
        FAIL();
    } catch (const EInvalidPointer& e) {
        EXPECT_STREQ(e.what(), "\nObject pointer = nil when calling TCursor3d.Clone\n");
    }
    try {
        RaiseNotInitialized("tLSystem");
        FAIL();
    } catch (const EInvalidPointer& e) {
        EXPECT_STREQ(e.what(), "\nObject of type \"tLSystem\" is not initialized\n");
    }
    try {
        RaiseNoHeap("Memory.Alloc");
        FAIL();
    } catch (const EInvalidPointer& e) {
        EXPECT_STREQ(e.what(), "\nno heap memory at \"Memory.Alloc\"\n");
    }
}

}  // namespace
}  // namespace pax
