#include "render/windows/share_chooser.h"

#include <algorithm>

namespace pax {

void DrawingShareChooser::Took(double seconds) {
    if (!m_trying) {
        if (++m_picture < KeptPictures) return;
        m_trying = true;
        m_picture = 0;
        return;
    }
    const int inHalf = m_picture % Half;
    if (inHalf > 0) (m_picture < Half ? m_sharedTimes : m_aloneTimes)[static_cast<size_t>(inHalf - 1)] = seconds;
    if (++m_picture < TrialPictures) return;
    // A tie goes to one thread, which leaves the other core to the rest of the machine.
    m_sharedWins = Median(m_sharedTimes) < Median(m_aloneTimes);
    m_trying = false;
    m_picture = 0;
}

void DrawingShareChooser::TryAgain() {
    m_trying = true;
    m_picture = 0;
}

double DrawingShareChooser::Median(Times times) {
    std::sort(times.begin(), times.end());
    const size_t half = times.size() / 2;
    return times.size() % 2 == 1 ? times[half] : (times[half - 1] + times[half]) / 2;
}

}  // namespace pax
