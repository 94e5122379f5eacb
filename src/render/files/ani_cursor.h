#pragma once
// Animated cursors: the RIFF "ACON" format. An "anih" header gives the frame and step counts
// and the default rate; optional "rate" and "seq " chunks give each step's time and frame;
// the "LIST" "fram" chunk holds one "icon" chunk per frame, each a complete cursor or icon
// file (ICONDIR, its first entry, then a DIB with its AND mask, or a PNG). Pure functions over
// bytes: damaged input gives an error text, never a crash.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax {

inline constexpr int MaxCursorSide = 256;
inline constexpr int MaxCursorFrames = 256;
inline constexpr int MaxCursorSteps = 4096;

struct tCursorFrame {
    TBitmap32 Picture;   // 0xAARRGGBB, transparent where the mask says so
    int HotX = 0, HotY = 0;
};

struct tAnimatedCursor {
    std::vector<tCursorFrame> Frames;
    // One entry per step: the frame shown and how long, in 1/60 s ("jiffies").
    std::vector<int> Sequence;
    std::vector<int> Rates;
};

struct AniDecodeResult {
    tAnimatedCursor Cursor;
    std::string Error;
    bool Ok() const { return Error.empty(); }
};

AniDecodeResult DecodeAni(std::span<const uint8_t> data);
// One cursor or icon file (the contents of an "icon" chunk).
bool DecodeCursorImage(std::span<const uint8_t> data, tCursorFrame& frame, std::string& error);

// An animated cursor file: frames of one size, a rate per step, the sequence in order.
// hotX and hotY count for every frame.
std::vector<uint8_t> EncodeAni(const std::vector<TBitmap32>& frames, int jiffiesPerFrame, int hotX, int hotY);

}  // namespace pax
