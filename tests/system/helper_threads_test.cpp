#include "system/helper_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace pax {
namespace {

TEST(HelperThreads, EveryShareRunsOncePerTaskOnItsOwnThread) {
    HelperThreads helpers(3);
    ASSERT_EQ(helpers.Shares(), 4);
    const std::thread::id caller = std::this_thread::get_id();
    // Many tasks in quick succession, as the runs of one picture come, and a pause between two
    // so that the helpers have gone to sleep and must be woken.
    std::vector<int> runs(4, 0);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::thread::id> ids(4);
        helpers.RunShared([&](int share) {
            ++runs[static_cast<size_t>(share)];
            ids[static_cast<size_t>(share)] = std::this_thread::get_id();
        });
        ASSERT_EQ(ids[0], caller);
        for (int share = 1; share < 4; ++share) ASSERT_NE(ids[static_cast<size_t>(share)], caller);
        if (round == 1000) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(runs, std::vector<int>(4, 2000));
}

// Rousing wakes the helpers to watch; it gives them nothing to run. Roused asleep, roused
// while watching, roused twice, roused just before a task and just before the end.
TEST(HelperThreads, ARousedHelperRunsOnlyTheTasksItIsGiven) {
    std::vector<int> runs(3, 0);
    {
        HelperThreads helpers(2);
        for (int round = 0; round < 300; ++round) {
            if (round % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(3));
            helpers.Rouse();
            if (round % 3 == 0) helpers.Rouse();
            if (round % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(50));
            helpers.RunShared([&](int share) { ++runs[static_cast<size_t>(share)]; });
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        helpers.Rouse();
    }
    EXPECT_EQ(runs, std::vector<int>(3, 300));
}

TEST(HelperThreads, ASharesExceptionReachesTheCallerAfterAllAreDone) {
    HelperThreads helpers(1);
    std::atomic<int> finished{0};
    const auto failing = [&](int failingShare) {
        return [&, failingShare](int share) {
            if (share == failingShare) throw std::runtime_error("share " + std::to_string(share));
            ++finished;
        };
    };
    for (int failingShare : {0, 1}) {
        finished = 0;
        try {
            helpers.RunShared(failing(failingShare));
            ADD_FAILURE() << "no exception from share " << failingShare;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "share " + std::to_string(failingShare));
        }
        EXPECT_EQ(finished.load(), 1);
    }
    // The helpers serve on after a failure.
    int sum = 0;
    std::atomic<int> helperSum{0};
    helpers.RunShared([&](int share) { share == 0 ? void(sum += 1) : void(helperSum += 10); });
    EXPECT_EQ(sum + helperSum.load(), 11);
}

// Started, the helpers run their shares while the caller does its own work; Finish runs the
// caller's share and waits. RunShared and the two halves take turns.
TEST(HelperThreads, StartedHelpersRunBesideTheCallerUntilFinish) {
    HelperThreads helpers(1);
    std::atomic<int> helperRuns{0};
    int callerRuns = 0;
    const std::function<void(int)> task = [&](int share) { share == 0 ? void(++callerRuns) : void(++helperRuns); };
    for (int round = 0; round < 200; ++round) {
        const int before = helperRuns.load(), callerBefore = callerRuns;
        helpers.Start(task);
        EXPECT_TRUE(helpers.Started());
        // The helper's share is done before the caller asks for the end.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (helperRuns.load() == before && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        ASSERT_EQ(helperRuns.load(), before + 1);
        EXPECT_EQ(callerRuns, callerBefore);
        helpers.Finish();
        EXPECT_FALSE(helpers.Started());
        EXPECT_EQ(callerRuns, callerBefore + 1);
        if (round % 50 == 0) helpers.RunShared(task);
    }
    EXPECT_EQ(helperRuns.load(), 204);
    EXPECT_EQ(callerRuns, 204);
    // A helper's exception comes out of Finish, after the caller's share.
    const std::function<void(int)> failing = [&](int share) {
        if (share == 1) throw std::runtime_error("behind");
        ++callerRuns;
    };
    helpers.Start(failing);
    EXPECT_THROW(helpers.Finish(), std::runtime_error);
    EXPECT_EQ(callerRuns, 205);
    EXPECT_FALSE(helpers.Started());
}

TEST(HelperThreads, AtLeastOneHelperAndSharesThatArePowersOfTwo) {
    EXPECT_EQ(HelperThreads(0).Shares(), 2);
    const int shares = DefaultDrawingShares();
    EXPECT_TRUE(shares == 1 || shares == 2 || shares == 4) << shares;
    if (std::thread::hardware_concurrency() >= 2) {
        EXPECT_GE(shares, 2);
    }
}

}  // namespace
}  // namespace pax
