#include "render/windows/share_chooser.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

using Chooser = DrawingShareChooser;

// Runs one trial with the given times of the two ways (milliseconds, in the order drawn) and
// checks that it drew the first half in shares and the second alone.
void Trial(Chooser& chooser, const double (&shared)[4], const double (&alone)[4]) {
    for (int i = 0; i < Chooser::TrialPictures; ++i) {
        const bool first = i < Chooser::TrialPictures / 2;
        ASSERT_TRUE(chooser.Trying()) << i;
        ASSERT_EQ(chooser.Shared(), first) << i;
        chooser.Took((first ? shared[i] : alone[i - 4]) / 1000);
    }
    ASSERT_FALSE(chooser.Trying());
}

// The way of the smaller median is kept for the kept pictures, whatever they take, and then
// both are tried again. The first picture of each way does not count, a tie goes to one
// thread, and one slow picture does not decide.
TEST(DrawingShareChooser, KeepsTheFasterWayBetweenTrials) {
    Chooser chooser;
    Trial(chooser, {1.0, 1.1, 0.9, 1.0}, {2.0, 2.1, 1.9, 2.0});
    for (int i = 0; i < Chooser::KeptPictures; ++i) {
        ASSERT_FALSE(chooser.Trying()) << i;
        ASSERT_TRUE(chooser.Shared()) << i;
        chooser.Took(i % 2 ? 0.0 : 1.0);
    }
    Trial(chooser, {3.0, 2.9, 3.1, 3.0}, {2.5, 2.4, 2.6, 2.5});
    EXPECT_FALSE(chooser.Shared());
    for (int i = 0; i < Chooser::KeptPictures; ++i) chooser.Took(1);

    Trial(chooser, {2.0, 2.0, 2.0, 2.0}, {2.0, 2.0, 2.0, 2.0});
    EXPECT_FALSE(chooser.Shared());
    for (int i = 0; i < Chooser::KeptPictures; ++i) chooser.Took(1);

    // Shares faster but for one picture that another program held up.
    Trial(chooser, {1.0, 50.0, 1.1, 0.9}, {1.5, 1.4, 1.3, 1.6});
    EXPECT_TRUE(chooser.Shared());
    for (int i = 0; i < Chooser::KeptPictures; ++i) chooser.Took(1);

    // The first picture of each way, slowed by the way before it, decides nothing.
    Trial(chooser, {0.5, 2.0, 2.0, 2.0}, {9.0, 1.0, 1.0, 1.0});
    EXPECT_FALSE(chooser.Shared());

    // A new figure is tried at once, in the middle of a kept stretch or of a trial.
    for (int i = 0; i < Chooser::KeptPictures / 2; ++i) chooser.Took(1);
    chooser.TryAgain();
    Trial(chooser, {1.0, 1.0, 1.0, 1.0}, {2.0, 2.0, 2.0, 2.0});
    EXPECT_TRUE(chooser.Shared());
    for (int i = 0; i < Chooser::KeptPictures; ++i) chooser.Took(1);
    for (int i = 0; i < 6; ++i) chooser.Took(1);
    chooser.TryAgain();
    Trial(chooser, {2.0, 2.0, 2.0, 2.0}, {1.0, 1.0, 1.0, 1.0});
    EXPECT_FALSE(chooser.Shared());
}

}  // namespace
}  // namespace pax
