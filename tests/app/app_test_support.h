#pragma once
// Helpers of the shell's tests: default settings for a test's lifetime, a hand-driven picture
// clock, callbacks that record what the widgets would be asked, and the debug log's text.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_callbacks.h"
#include "system/debug_log.h"
#include "system/picture_clock.h"
#include "system/settings.h"

namespace pax::testing {

// The default switches and values for a test's lifetime; the previous ones restored after.
class ScopedAppSettings {
public:
    ScopedAppSettings() : m_switches(Switches()), m_values(ConfigValues()) {
        Switches() = DefaultSwitches();
        ConfigValues() = tConfigValues{};
    }
    ~ScopedAppSettings() {
        Switches() = m_switches;
        ConfigValues() = m_values;
    }

private:
    tSwitches m_switches;
    tConfigValues m_values;
};

// The picture clock at a time chosen by the test: Picture(ms) lets ms pass and counts one
// picture, as the loop does before each animation step.
class ManualClock {
public:
    ManualClock() {
        SetManualClock(true, m_now);
        ResetPictureClock();
    }
    ~ManualClock() { SetManualClock(false); }
    void Advance(uint32_t ms) { SetManualClock(true, m_now += ms); }
    void Picture(uint32_t ms) {
        Advance(ms);
        CountPicture();
    }

private:
    uint32_t m_now = 1000000;
};

struct RecordingCallbacks : MainCallbacks {
    void ShowPicture() override { ++shown; }
    void SetNextDemoInterval(int32_t ms) override { nextDemoInterval = ms; }
    void SetRefreshInterval(int32_t ms) override { refreshInterval = ms; }
    void ShowStatus2(std::string_view text, TColor32 colour) override {
        status2 = text;
        status2Colour = colour;
    }
    void SetCaption(std::string_view text) override { caption = text; }
    void Sleep(int32_t ms) override { sleeps.push_back(ms); }

    int shown = 0;
    int32_t nextDemoInterval = 0, refreshInterval = 0;
    std::string status2, caption;
    TColor32 status2Colour = 0;
    std::vector<int32_t> sleeps;
};

inline std::string DebugLogText() {
    std::ifstream in(DebugLogPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace pax::testing
