#pragma once
// A projection window that draws nothing: it projects every turtle step as the picture's
// window would and only counts the segments it is given, so that the walk and the projection
// can be timed without the rasteriser. With the z-buffer switched on, segments go to the
// z-buffer as in a picture.

#include <cstdint>

#include "render/windows/proj3d_window.h"

namespace pax {

class Stage;

class CountingWindow : public Proj3dWindow {
public:
    // On the stage's surfaces, eye and light, with the size of its view; opened.
    explicit CountingWindow(Stage& stage);

    void DoLine(ProjData& pen) override;
    uint64_t Lines() const { return m_lines; }
    void ResetCount() { m_lines = 0; }

private:
    uint64_t m_lines = 0;
};

}  // namespace pax
