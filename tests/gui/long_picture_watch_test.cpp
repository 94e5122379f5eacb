#include "gui/long_picture_watch.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <chrono>
#include <thread>

#include "gui_test_support.h"
#include "system/stop_request.h"

namespace pax {
namespace {

using namespace std::chrono_literals;

TEST(LongPictureWatch, LooksAtTheInputOnlyInsideAPictureThatRunsLong) {
    testing::TestApplication();
    LongPictureWatch watch([] {}, [] {});
    // Nothing but a look inside a picture turns the event loop here, and each turn fires it.
    int turns = 0;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&turns] { ++turns; });
    turn.start();
    const auto draw = [&watch](std::chrono::milliseconds length) {
        watch.BeginPicture();
        const auto end = std::chrono::steady_clock::now() + length;
        while (std::chrono::steady_clock::now() < end) {
            StopRequested();   // where the engine would run a look that fell due
            std::this_thread::sleep_for(1ms);
        }
        watch.EndPicture();
    };

    // Short pictures, one straight after the other, for more than the first look's wait.
    const auto shortOnes = 3 * std::chrono::milliseconds(LongPictureWatch::FirstPollMs);
    for (auto drawn = 0ms; drawn < shortOnes; drawn += 20ms) draw(20ms);
    EXPECT_EQ(turns, 0);

    // One long picture: looked into after the first wait, and again after each interval.
    draw(std::chrono::milliseconds(LongPictureWatch::FirstPollMs + 3 * LongPictureWatch::PollIntervalMs));
    EXPECT_GE(turns, 2);
}

}  // namespace
}  // namespace pax
