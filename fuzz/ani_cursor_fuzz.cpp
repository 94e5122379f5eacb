// Animated cursor decoding of arbitrary bytes: no crash, no unbounded allocation; a cursor
// that decodes has frames of bounded size and a step list whose frames all exist.
#include <cstdint>
#include <cstdlib>

#include "render/files/ani_cursor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const pax::AniDecodeResult decoded = pax::DecodeAni({data, size});
    if (!decoded.Ok()) {
        if (!decoded.Cursor.Frames.empty()) std::abort();
        return 0;
    }
    const pax::tAnimatedCursor& c = decoded.Cursor;
    if (c.Frames.empty() || c.Sequence.size() != c.Rates.size()) std::abort();
    for (const pax::tCursorFrame& f : c.Frames)
        if (f.Picture.Width() > pax::MaxCursorSide || f.Picture.Height() > pax::MaxCursorSide) std::abort();
    for (int frame : c.Sequence)
        if (frame < 0 || static_cast<size_t>(frame) >= c.Frames.size()) std::abort();
    return 0;
}
