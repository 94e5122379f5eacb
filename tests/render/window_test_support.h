#pragma once
// A small scene for the window tests: a 480 x 360 picture, a 64 x 64 default surface, the
// default eye and light, and the default settings for the test's lifetime.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/surface/bitmap32.h"
#include "render/windows/shared_surfaces.h"
#include "render/sprites/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "system/settings.h"
#include "system/status_line.h"
#include "system/stop_request.h"
#include "support/scripted_presenter.h"

namespace pax::testing {

// The default switches and values for a test's lifetime.
class ScopedSettings {
public:
    ScopedSettings() : m_switches(Switches()), m_values(ConfigValues()) {
        Switches() = DefaultSwitches();
        ConfigValues() = tConfigValues{};
    }
    ~ScopedSettings() {
        Switches() = m_switches;
        ConfigValues() = m_values;
    }

private:
    tSwitches m_switches;
    tConfigValues m_values;
};

// Collects the message-line errors for its lifetime.
class ScopedStatusErrors {
public:
    ScopedStatusErrors() {
        InstallStatusErrorSink([this](std::string_view text) { m_texts.emplace_back(text); });
    }
    ~ScopedStatusErrors() { InstallStatusErrorSink({}); }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
};

inline constexpr int PictureWidth = 480;
inline constexpr int PictureHeight = 360;

struct SceneParts {
    ScopedSettings settings;
    SharedSurfaces surfaces{64, 64};
    SpriteStore sprites;
    Eye3d eye{"Eye"};
    Light3d light{"Light"};

    SceneParts() {
        surfaces.Drawing.SetSize(PictureWidth, PictureHeight);
        surfaces.Drawing.Clear(clBlack32);
        surfaces.ZBuffer.SetSize(PictureWidth, PictureHeight);
    }
};

// A window of type W on the whole picture, opened and, unless told otherwise, reset.
template <class W>
void OpenOnPicture(W& window, SharedSurfaces& surfaces, bool reset = true) {
    window.SelectBitmap(&surfaces.Drawing);
    window.SetSize(0, 0, PictureWidth - 1, PictureHeight - 1);
    window.Open();
    if (reset) window.Reset();
}

// The last message box as "caption | text".
inline std::string LastBox(const ScopedPresenter& presenter) {
    return presenter.Last().caption + " | " + presenter.Last().text;
}

inline int CountPixelsNot(const TBitmap32& b, TColor32 c) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) != c;
    return n;
}

}  // namespace pax::testing
