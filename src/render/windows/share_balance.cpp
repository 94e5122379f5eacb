#include "render/windows/share_balance.h"

#include <algorithm>
#include <cmath>

namespace pax {

ShareBalance::ShareBalance(int shares, double leastOfEqual) : m_leastOfEqual(leastOfEqual) {
    const size_t n = static_cast<size_t>(std::max(shares, 1));
    m_fractions.assign(n, 1.0 / static_cast<double>(n));
    m_speed.assign(n, 0);
    m_raised.assign(n, 0);
}

void ShareBalance::Took(std::span<const double> work, std::span<const double> seconds) {
    const size_t n = m_fractions.size();
    if (n < 2 || work.size() != n || seconds.size() != n) return;
    // Each share's speed in work per second; the fraction that would have taken it as long as
    // the others is its part of their sum.
    std::vector<double>& speed = m_speed;
    double total = 0;
    for (size_t k = 0; k < n; ++k) {
        if (!(work[k] > 0 && seconds[k] > 0) || !std::isfinite(work[k] / seconds[k])) return;
        speed[k] = work[k] / seconds[k];
        total += speed[k];
    }
    // Both the present and the measured fractions add up to 1, and so does the way between.
    // Shares below the least are raised to it, the others give up what that takes.
    const double least = m_leastOfEqual / static_cast<double>(n);
    std::vector<char>& raised = m_raised;
    double raisedSum = 0, freeSum = 0;
    for (size_t k = 0; k < n; ++k) {
        m_fractions[k] = (m_fractions[k] + speed[k] / total) / 2;
        raised[k] = m_fractions[k] < least;
        if (raised[k]) {
            m_fractions[k] = least;
            raisedSum += least;
        } else {
            freeSum += m_fractions[k];
        }
    }
    for (size_t k = 0; k < n; ++k)
        if (!raised[k]) m_fractions[k] *= (1 - raisedSum) / freeSum;
}

}  // namespace pax
