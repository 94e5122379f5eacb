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
    void Pictures(int count, uint32_t atMilliseconds) {
        for (int i = 0; i < count; ++i) CountPicture();
        SetManualClock(true, atMilliseconds);
    }
};

TEST_F(PictureClockTest, ElapsedRightAfterResetIsOne) { EXPECT_EQ(ElapsedMilliseconds(), 1u); }

TEST_F(PictureClockTest, BeforeTheFirstPictureASecondPerPictureIsAFiftieth) {
    SetManualClock(true, 9000);
    EXPECT_EQ(SecondsPerPicture(), 0.02L);
}

TEST_F(PictureClockTest, RateFromPicturesAndElapsedTime) {
    Pictures(5, 1400);
    EXPECT_EQ(ElapsedMilliseconds(), 400u);
    EXPECT_EQ(SecondsPerPicture(), 0.08L);
    EXPECT_EQ(PicturesPerSecondText(), "12.5");
}

TEST_F(PictureClockTest, ResetKeepsThePreviousStart) {
    SetManualClock(true, 2500);
    ResetPictureClock();
    EXPECT_EQ(PictureClock().PreviousStart, 1000u);
    EXPECT_EQ(PictureClock().Start, 2500u);
    EXPECT_EQ(PictureClock().Counter, 0u);
}

TEST_F(PictureClockTest, ElapsedSurvivesTheWrapOfTheMillisecondCounter) {
    SetManualClock(true, 0xFFFFFFF0u);
    ResetPictureClock();
    SetManualClock(true, 0x10u);
    EXPECT_EQ(ElapsedMilliseconds(), 32u);
}

}  // namespace
}  // namespace pax
