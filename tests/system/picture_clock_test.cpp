#include "system/picture_clock.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

class PictureClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetManualClock(true, 1000);
        ResetPictureClock();
    }
    void TearDown() override { SetManualClock(false); }
};

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
