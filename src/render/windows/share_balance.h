#pragma once
// ShareBalance: how much of a shared run of parts each drawing thread gets. The bands are cut
// by the parts' estimated work, but the estimate is rough (a plant's band of thin twigs costs
// more than its estimate, one of leaves less), and the cores need not be equally fast: another
// program may keep one of them busy. Either way the run lasts as long as its slowest band. So
// each run's bands are timed, and the next run gives each thread the share of the work that it
// was seen to draw in the same time. Pictures of one figure follow one another with the same
// parts, so the shares settle within a few pictures. Any split gives the same picture to the
// bit; only the time differs.

#include <span>
#include <vector>

namespace pax {

class ShareBalance {
public:
    // Each share gets at least this part of an equal one, so that a thread that was slow once
    // still has enough work to be seen fast again.
    static constexpr double LeastOfEqual = 0.3;

    // shares equal parts (1 when shares < 1); leastOfEqual in place of LeastOfEqual.
    explicit ShareBalance(int shares = 1, double leastOfEqual = LeastOfEqual);

    // The parts of the work for the next run, adding up to 1.
    std::span<const double> Fractions() const { return m_fractions; }
    // After a run: the estimated work each share drew and the seconds it took. Halfway from
    // the present fractions to those that would have made the shares finish together; runs
    // with a share that had nothing to draw or took no time change nothing.
    void Took(std::span<const double> work, std::span<const double> seconds);

private:
    std::vector<double> m_fractions;
    double m_leastOfEqual = LeastOfEqual;
    // Took's working values, one per share, kept so that a run allocates nothing.
    std::vector<double> m_speed;
    std::vector<char> m_raised;
};

}  // namespace pax
