#pragma once
// Helpers of the shell's tests: default settings for a test's lifetime, a headless studio, a
// hand-driven picture clock, and callbacks that record what the widgets would be asked.

#include <string>
#include <vector>

#include "app/main_callbacks.h"
#include "app/studio.h"
#include "render/surface/bitmap32.h"
#include "render/window_test_support.h"
#include "system/picture_clock.h"

namespace pax::testing {

using ScopedAppSettings = ScopedSettings;

// A studio without a display and, unless told, without a configuration file.
inline StudioOptions Headless(ConfigSource source = ConfigSource::BuiltInDefaults, std::string file = {}) {
    StudioOptions o;
    o.Config = source;
    o.ConfigFile = std::move(file);
    o.DefaultSurfaceWidth = o.DefaultSurfaceHeight = 64;
    return o;
}

// The picture clock at a time chosen by the test: Picture(ms) lets ms pass and counts one
// picture, as the loop does before each animation step.
class ManualClock {
public:
    ManualClock() {
        SetManualClock(true, m_now);
        ResetPictureClock();
    }
    ~ManualClock() { SetManualClock(false); }
    void Picture(uint32_t ms) {
        SetManualClock(true, m_now += ms);
        CountPicture();
    }

private:
    uint32_t m_now = 1000000;
};

struct RecordingCallbacks : MainCallbacks {
    void ShowPicture(const DrawnArea& area) override {
        ++shown;
        shownArea = area;
    }
    bool ShowOwed() const override { return owesShows; }
    void ShowOwedPicture(const TBitmap32& picture) override {
        owedPictures.emplace_back(picture.Bits(), picture.Bits() + size_t(picture.Width()) * picture.Height());
    }
    void SetNextDemoInterval(int32_t ms) override { nextDemoInterval = ms; }
    void SetRefreshInterval(int32_t ms) override { refreshInterval = ms; }
    void ShowStatus2(std::string_view text, TColor32 colour) override {
        status2 = text;
        status2Colour = colour;
    }
    void SetCaption(std::string_view text) override { caption = text; }
    void Sleep(int32_t ms) override { sleeps.push_back(ms); }

    int shown = 0;
    DrawnArea shownArea;   // of the last picture shown
    bool owesShows = false;   // every show owed to the next picture
    std::vector<std::vector<TColor32>> owedPictures;   // the pixels handed over for them
    int32_t nextDemoInterval = 0, refreshInterval = 0;
    std::string status2, caption;
    TColor32 status2Colour = 0;
    std::vector<int32_t> sleeps;
};

}  // namespace pax::testing
