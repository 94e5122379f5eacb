#pragma once
// DrawingShareChooser: whether the parts of the next picture are drawn in shares of threads or
// by one, found by trying both. Shares pay for figures whose parts hold many pixels; for figures
// of many small parts, handing them to another core can cost more than it saves (the parts and
// the surface move between the cores' caches), and a core that other programs keep busy can make
// either way the faster one from one minute to the next. So a few pictures are drawn in shares
// and as many alone, the faster way is kept for a longer while, and then both are tried again.
// The first picture of each way is not counted: it still pays for where the last picture left
// the parts and the surface. Both ways give the same picture to the bit; only the time differs.

#include <array>

namespace pax {

class DrawingShareChooser {
public:
    static constexpr int TrialPictures = 8;    // the first half in shares, the second alone
    static constexpr int KeptPictures = 120;   // then the faster way, before the next trial

    // How to draw the next picture.
    bool Shared() const { return m_trying ? m_picture < Half : m_sharedWins; }
    // The time of the picture just drawn the way Shared() said.
    void Took(double seconds);
    // Both ways tried again from the next picture on: for a new figure, which the last trial
    // did not see (a light figure drawn faster alone says nothing of a heavy one).
    void TryAgain();
    bool Trying() const { return m_trying; }

private:
    static constexpr int Half = TrialPictures / 2;
    using Times = std::array<double, Half - 1>;
    static double Median(Times times);

    bool m_trying = true;
    bool m_sharedWins = true;
    int m_picture = 0;   // within the trial or the kept stretch
    Times m_sharedTimes{}, m_aloneTimes{};
};

}  // namespace pax
