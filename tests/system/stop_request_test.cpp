#include "system/stop_request.h"

#include <gtest/gtest.h>

#include <thread>

namespace pax {
namespace {

struct StopPoll : ::testing::Test {
    ~StopPoll() override {
        InstallStopPoll({});
        ClearStopRequest();
    }
};

TEST_F(StopPoll, ADueMarkRunsThePollOnceOnItsThreadAndAStopItRequestsIsSeenAtOnce) {
    int polls = 0;
    InstallStopPoll([&polls] {
        ++polls;
        // A check inside the poll does not poll again.
        StopRequested();
        MarkStopPollDue();
        StopRequested();
        if (polls == 2) RequestStop();
    });
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(polls, 0);

    MarkStopPollDue();
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(polls, 1);
    // The mark made inside the poll stays for the next check.
    EXPECT_TRUE(StopRequested());
    EXPECT_EQ(polls, 2);

    // Another thread's check neither runs the poll nor takes the mark.
    ClearStopRequest();
    MarkStopPollDue();
    std::thread([] { EXPECT_FALSE(StopRequested()); }).join();
    EXPECT_EQ(polls, 2);
    StopRequested();
    EXPECT_EQ(polls, 3);

    InstallStopPoll({});
    MarkStopPollDue();
    EXPECT_FALSE(StopRequested());
    EXPECT_EQ(polls, 3);
}

}  // namespace
}  // namespace pax
