#include "render/windows/share_balance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace pax {
namespace {

std::vector<double> Fractions(const ShareBalance& balance) {
    return {balance.Fractions().begin(), balance.Fractions().end()};
}

TEST(ShareBalance, MovesHalfwayToTheSharesThatFinishTogether) {
    EXPECT_EQ(Fractions(ShareBalance()), (std::vector<double>{1}));
    EXPECT_EQ(Fractions(ShareBalance(0)), (std::vector<double>{1}));
    ShareBalance balance(2);
    EXPECT_EQ(Fractions(balance), (std::vector<double>{0.5, 0.5}));
    // The second share drew as much in twice the time: two thirds would have evened them.
    const double work[] = {1000, 1000}, seconds[] = {0.001, 0.002};
    balance.Took(work, seconds);
    const std::vector<double> once = Fractions(balance);
    ASSERT_EQ(once.size(), 2u);
    EXPECT_NEAR(once[0], (0.5 + 2.0 / 3) / 2, 1e-12);
    EXPECT_NEAR(once[1], (0.5 + 1.0 / 3) / 2, 1e-12);
}

TEST(ShareBalance, SettlesWhereThreadsOfUnequalSpeedFinishTogether) {
    // Threads drawing 3, 1 and 2 units of work a second, each run split by the balance.
    const double speed[] = {3, 1, 2};
    ShareBalance balance(3);
    std::vector<double> work(3), seconds(3);
    for (int run = 0; run < 40; ++run) {
        for (size_t k = 0; k < 3; ++k) {
            work[k] = 600 * balance.Fractions()[k];
            seconds[k] = work[k] / speed[k];
        }
        balance.Took(work, seconds);
    }
    EXPECT_NEAR(balance.Fractions()[0], 0.5, 1e-6);
    EXPECT_NEAR(balance.Fractions()[1], 1.0 / 6, 1e-6);
    EXPECT_NEAR(balance.Fractions()[2], 1.0 / 3, 1e-6);

    // A share that stalls keeps enough work to be timed again, and the parts still add up.
    ShareBalance stalled(2);
    const double even[] = {1, 1}, slow[] = {0.001, 1000};
    for (int run = 0; run < 40; ++run) stalled.Took(even, slow);
    EXPECT_NEAR(stalled.Fractions()[1], ShareBalance::LeastOfEqual / 2, 1e-12);
    EXPECT_NEAR(stalled.Fractions()[0] + stalled.Fractions()[1], 1, 1e-12);

    // A share that begins 0.8 s late, of a second's drawing, settles at a tenth, where both
    // end together: below the usual least, with a balance that allows it.
    for (double least : {ShareBalance::LeastOfEqual, 0.04}) {
        ShareBalance late(2, least);
        for (int run = 0; run < 60; ++run) {
            const double parts[] = {100 * late.Fractions()[0], 100 * late.Fractions()[1]};
            const double times[] = {0.8 + parts[0] / 100, parts[1] / 100};
            late.Took(parts, times);
        }
        EXPECT_NEAR(late.Fractions()[0], std::max(0.1, least / 2), 1e-3) << least;
    }
}

TEST(ShareBalance, RunsWithoutAMeasureChangeNothing) {
    ShareBalance balance(2);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> works = {{0, 5}, {5, 5}, {nan, 5}, {inf, 5}, {5, 5, 5}};
    const std::vector<std::vector<double>> times = {{1, 1}, {0, 1}, {1, 1}, {1, 1}, {1, 1, 1}};
    for (size_t i = 0; i < works.size(); ++i) {
        balance.Took(works[i], times[i]);
        EXPECT_EQ(Fractions(balance), (std::vector<double>{0.5, 0.5})) << i;
    }
    ShareBalance alone(1);
    const double one[] = {5}, fast[] = {1};
    alone.Took(one, fast);
    EXPECT_EQ(Fractions(alone), (std::vector<double>{1}));
}

}  // namespace
}  // namespace pax
