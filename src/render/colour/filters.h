#pragma once
// Convolution filters for background pictures: a table of 33 named kernels and the routine
// that applies one of them to a surface.

#include <array>
#include <cstdint>
#include <string>

#include "render/surface/bitmap32.h"

namespace pax {

inline constexpr int FilterCount = 33;
inline constexpr int KuwaharaFilter = 31;

// A kernel of up to 7 x 7, row-major, top row first; smaller kernels sit in its centre with
// zeros around. SizeClass 0, 1, 2 selects the 3 x 3, 5 x 5 or 7 x 7 centre.
struct tConvolutionFilter {
    const char* Name = "";
    int32_t SizeClass = 0;
    std::array<int32_t, 49> Kernel{};
    int32_t Divisor = 1;

    // 3, 5 or 7; a size class outside 0 .. 2 counts as the nearest one.
    int Size() const { return SizeClass <= 0 ? 3 : SizeClass >= 2 ? 7 : 5; }
    int32_t At(int row, int column) const { return Kernel[static_cast<size_t>(row) * 7 + column]; }
};

const std::array<tConvolutionFilter, FilterCount>& ConvolutionFilters();

// The name of filter i; empty outside 0 .. 32.
std::string FilterName(int i);

// Convolves every pixel at least Size() / 2 away from the border: for red, green and blue
// separately the kernel-weighted sum of the unfiltered neighbourhood, divided by the divisor
// (truncating towards zero) and clamped to 0 .. 255; alpha becomes 255. Border pixels keep
// their values. A divisor of 0 is taken as 1. A drawing stop request (a user's break, a time
// limit) ends it after the row in hand.
void Convolve(TBitmap32& surface, const tConvolutionFilter& filter);

// 0 does nothing, 31 is the Kuwahara filter, any other number convolves with its record.
// A number outside 0 .. 32 is reported and changes nothing.
void ApplyFilter(TBitmap32& surface, int i);

}  // namespace pax
