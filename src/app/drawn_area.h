#pragma once
// DrawnArea: where a finished picture can differ from its plain background, as a few boxes.
// The animation loop says it with each picture it shows, and a window that showed the picture
// before copies only the boxes where either of the two has something, instead of the whole
// surface: at the largest window sizes that copy, sixty times a second, is the dearest part
// of showing a picture.

#include <array>
#include <span>

#include "foundation/color32.h"
#include "render/surface/bitmap32.h"

namespace pax {

// Up to Capacity boxes; more are merged into the last one, which then also covers what lies
// between them.
class BoxList {
public:
    static constexpr int Capacity = 12;

    void Add(const TRect& box);   // an empty box adds nothing
    std::span<const TRect> Boxes() const& { return {m_boxes.data(), static_cast<size_t>(m_count)}; }
    // Not of a list about to die: a loop over AreaToCopy(...).Boxes() would read a dead list.
    void Boxes() const&& = delete;

private:
    std::array<TRect, Capacity> m_boxes{};
    int m_count = 0;
};

struct DrawnArea {
    // False: the picture may differ from anything anywhere (a background picture, a figure
    // that draws on the surface itself, a picture pasted in).
    bool Known = false;
    TColor32 Background = 0;
    BoxList Boxes;   // outside them, every pixel is Background

    static DrawnArea Anything() { return {}; }
    // Background over the whole surface, nothing on it yet.
    static DrawnArea Plain(TColor32 background) { return {true, background, {}}; }
};

// What a window width x height pixels large, showing shown, copies from the surface that holds
// now: the whole window unless both are known on the same background, else the boxes where
// either has something, within the window (none when neither has anything).
BoxList AreaToCopy(const DrawnArea& shown, const DrawnArea& now, int width, int height);

}  // namespace pax
