#include "render/colour/filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "render/surface_test_support.h"
#include "support/scripted_presenter.h"
#include "system/stop_request.h"

namespace pax {
namespace {

using testing::RandomPicture;
using testing::SamePicture;

// The convolution rule written out per pixel and channel, as a reference.
TBitmap32 ReferenceConvolve(const TBitmap32& in, const tConvolutionFilter& f) {
    TBitmap32 out;
    out.Assign(in);
    const int k = f.Size(), m = k / 2, o = (7 - k) / 2;
    for (int y = m; y < in.Height() - m; ++y)
        for (int x = m; x < in.Width() - m; ++x) {
            int channel[3];
            for (int shift = 0; shift < 3; ++shift) {
                int s = 0;
                for (int r = 0; r < k; ++r)
                    for (int c = 0; c < k; ++c) s += f.At(o + r, o + c) * int((in.Pixel(x - m + c, y - m + r) >> (8 * shift)) & 0xFF);
                channel[shift] = std::clamp(s / f.Divisor, 0, 255);
            }
            out.SetPixel(x, y, Color32(channel[2], channel[1], channel[0]));
        }
    return out;
}

TEST(Filters, TableHasTheNamedRecordsOfTheirSizes) {
    for (auto [i, name] : {std::pair{0, "No filtering"}, {21, "Laplacian horz./vert."}, {30, "Test"}, {31, "Kuwahara"},
                           {32, "last"}, {33, ""}, {-1, ""}})
        EXPECT_EQ(FilterName(i), name) << i;
    const auto& t = ConvolutionFilters();
    const int sizes[FilterCount] = {3, 3, 3, 3, 3, 3, 7, 7, 3, 3, 3, 5, 3, 3, 3, 3, 3,
                                    3, 3, 3, 3, 3, 3, 3, 3, 5, 7, 5, 5, 3, 7, 3, 3};
    for (int i = 0; i < FilterCount; ++i) {
        EXPECT_EQ(t[i].Size(), sizes[i]) << i;
        // Nothing outside the size class's centre.
        const int o = (7 - sizes[i]) / 2;
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 7; ++c)
                if (r < o || c < o || r >= 7 - o || c >= 7 - o) { EXPECT_EQ(t[i].At(r, c), 0) << i; }
    }
    // The kernels that are built rather than listed.
    auto sum = [](const tConvolutionFilter& f) { return std::accumulate(f.Kernel.begin(), f.Kernel.end(), 0); };
    EXPECT_EQ(sum(t[6]), 256);   // Bartlett: (1+2+3+4+3+2+1)^2
    EXPECT_EQ(t[6].At(0, 3), 4);
    EXPECT_EQ(sum(t[26]), 3);    // Waggle
    EXPECT_EQ(t[26].At(0, 1) + t[26].At(1, 6) + t[26].At(6, 2), 3);
    EXPECT_EQ(sum(t[30]), 84);   // Test: the border only
    EXPECT_EQ(t[30].At(1, 6), 2);
    EXPECT_EQ(t[30].At(6, 1), 6);
    EXPECT_EQ(t[7].At(3, 3), 67);
}

TEST(Filters, EveryRecordAndOddKernelsMatchTheReferenceConvolution) {
    // Weights beyond 16 bits, a negative divisor, a divisor too large for the reciprocal.
    tConvolutionFilter wide{"wide", 1, {}, 70001}, negative{"negative", 0, {}, -5}, large{"large", 2, {}, 5000};
    wide.Kernel[2 * 7 + 3] = -70000;
    wide.Kernel[3 * 7 + 3] = 140000;
    wide.Kernel[4 * 7 + 1] = 3;
    for (int r = 2; r <= 4; ++r)
        for (int c = 2; c <= 4; ++c) negative.Kernel[r * 7 + c] = -1;
    large.Kernel[0] = 128;
    std::vector<const tConvolutionFilter*> filters{&wide, &negative, &large};
    for (int i = 0; i < FilterCount; ++i) filters.push_back(&ConvolutionFilters()[i]);
    const TBitmap32 picture = RandomPicture(23, 17, 11);
    for (const tConvolutionFilter* f : filters) {
        TBitmap32 fast = picture;
        Convolve(fast, *f);
        EXPECT_TRUE(SamePicture(fast, ReferenceConvolve(picture, *f))) << f->Name;
    }
}

// Filter 0 through ApplyFilter does nothing at all (convolved, it makes the interior opaque).
TEST(Filters, SurfacesWithoutInteriorPixelsAndNoFilteringStayUnchanged) {
    for (auto [w, h, filter] :
         {std::tuple{2, 10, 8}, {10, 2, 14}, {6, 20, 6}, {4, 4, 11}, {1, 1, 5}, {0, 0, 31}, {9, 7, 0}}) {
        const TBitmap32 picture = RandomPicture(w, h, 5);
        TBitmap32 p = picture;
        ApplyFilter(p, filter);
        EXPECT_TRUE(SamePicture(p, picture)) << w << " x " << h;
    }
}

TEST(Filters, ThreeByThreeKernelDividesTruncatesAndClamps) {
    // Sharpen (-1 around, 16 centre, divisor 8). Red: 16*100 - 8*51 = 1192 -> 149;
    // green: 160 - 1600 -> negative -> 0; blue: 3200 - 0 = 3200 / 8 = 400 -> 255.
    TBitmap32 p(3, 3);
    p.Clear(Color32(51, 200, 0, 7));
    p.SetPixel(1, 1, Color32(100, 10, 200, 7));
    ApplyFilter(p, 14);
    EXPECT_EQ(p.Pixel(1, 1), Color32(149, 0, 255));
}

// A user's break ends a filter at its next row; a stop of the derivation alone (too many
// parts) does not, the parts made are still drawn and filtered.
TEST(Filters, ADrawingStopEndsTheFilterAtItsNextRow) {
    const TBitmap32 picture = RandomPicture(40, 30, 3);
    for (int filter : {8, 14, KuwaharaFilter}) {
        TBitmap32 full = picture, derivationStopped = picture, stopped = picture;
        ApplyFilter(full, filter);
        RequestDerivationStop();
        ApplyFilter(derivationStopped, filter);
        RequestStop();
        ApplyFilter(stopped, filter);
        ClearStopRequest();
        EXPECT_FALSE(SamePicture(full, picture)) << filter;
        EXPECT_TRUE(SamePicture(derivationStopped, full)) << filter;
        EXPECT_TRUE(SamePicture(stopped, picture)) << filter;
    }
}

TEST(Filters, NumberOutsideTheTableIsReportedAndChangesNothing) {
    testing::ScopedPresenter boxes;
    const TBitmap32 picture = RandomPicture(8, 8, 9);
    TBitmap32 p = picture;
    ApplyFilter(p, 33);
    ApplyFilter(p, -1);
    EXPECT_TRUE(SamePicture(p, picture));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Last().caption, "Im_Convolution:  ApplyFilter");
    EXPECT_EQ(boxes.Last().text, "filter number -1 not in 0..32");
}

}  // namespace
}  // namespace pax
