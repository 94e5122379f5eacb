#pragma once
// Golden pictures: a test's picture compared with <source>/tests/golden/<name>.png.
//
//   EXPECT_TRUE(MatchesGolden(surface, "figures/disc_square", 2, 10));
//
// A pixel differs when any channel, alpha included, is more than `tolerance` away; the check
// fails when more than `maxDifferentPixels` pixels differ or the sizes differ. On failure the
// actual picture and a difference picture are written into the build folder's golden-failures/
// as <name with '/' as '_'>.actual.png and .difference.png: the difference shows the expected
// picture dimmed, every differing pixel in full red.
// With PAX3D_REGENERATE_GOLDEN=1 the golden file is (re)written from the picture instead.
// The source tree is found through PAX3D_DATA (<source>/data), else from the build's
// PAX3D_SOURCE_DIR (a compiler cache may hand the compiler relative paths, so __FILE__ is no guide).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/surface/bitmap32.h"
#include "render/files/png_codec.h"

namespace pax::testing {

inline std::filesystem::path GoldenDirectory() {
    if (const char* data = std::getenv("PAX3D_DATA"); data && *data)
        return std::filesystem::path(data).parent_path() / "tests" / "golden";
    return std::filesystem::path(PAX3D_SOURCE_DIR) / "tests" / "golden";
}

inline std::filesystem::path GoldenFailureDirectory() {
    return std::filesystem::path(PAX3D_BINARY_DIR) / "golden-failures";
}

// "render/picture" -> <build>/golden-failures/render_picture<suffix>
inline std::filesystem::path GoldenFailureFile(const std::string& name, const std::string& suffix) {
    std::string leaf = name;
    for (char& c : leaf)
        if (c == '/') c = '_';
    return GoldenFailureDirectory() / (leaf + suffix);
}

inline bool RegeneratingGolden() {
    const char* flag = std::getenv("PAX3D_REGENERATE_GOLDEN");
    return flag && std::string(flag) == "1";
}

inline bool WriteGoldenPng(const TBitmap32& picture, const std::filesystem::path& path) {
    EncodeResult png = EncodePng(picture, 9);
    if (!png.Ok()) return false;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.Bytes.data()), std::streamsize(png.Bytes.size()));
    return bool(out);
}

// The expected picture at a quarter of its brightness, the pixels in `different` full red.
inline TBitmap32 DifferencePicture(const TBitmap32& expected, const std::vector<bool>& different) {
    TBitmap32 picture(expected.Width(), expected.Height());
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const TColor32 e = expected.Pixel(x, y);
            const TColor32 dim = ((e >> 2) & 0x003F3F3Fu) | 0xFF000000u;
            picture.SetPixel(x, y, different[size_t(y) * size_t(expected.Width()) + size_t(x)] ? 0xFFFF0000u : dim);
        }
    return picture;
}

inline std::string GoldenFailure(const TBitmap32& actual, const std::string& name, const std::string& why,
                                 const TBitmap32* difference = nullptr) {
    const std::filesystem::path saved = GoldenFailureFile(name, ".actual.png");
    std::string written = WriteGoldenPng(actual, saved) ? "; actual picture written to " + saved.string() : "";
    if (difference) {
        const std::filesystem::path diff = GoldenFailureFile(name, ".difference.png");
        if (WriteGoldenPng(*difference, diff)) written += ", the difference to " + diff.string();
    }
    return "golden picture '" + name + "': " + why + written +
           " (PAX3D_REGENERATE_GOLDEN=1 rewrites the golden file)";
}

inline ::testing::AssertionResult MatchesGolden(const TBitmap32& actual, const std::string& name,
                                                int tolerance = 0, int maxDifferentPixels = 0) {
    const std::filesystem::path path = GoldenDirectory() / (name + ".png");
    if (RegeneratingGolden()) {
        if (WriteGoldenPng(actual, path)) return ::testing::AssertionSuccess() << "regenerated";
        return ::testing::AssertionFailure() << "cannot write " << path.string();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return ::testing::AssertionFailure() << GoldenFailure(actual, name, "missing " + path.string());
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DecodeResult golden = DecodePng(bytes);
    if (!golden.Ok()) return ::testing::AssertionFailure() << GoldenFailure(actual, name, golden.Error);
    const TBitmap32& expected = golden.Picture;
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height())
        return ::testing::AssertionFailure()
               << GoldenFailure(actual, name,
                                "size " + std::to_string(actual.Width()) + " x " +
                                    std::to_string(actual.Height()) + ", expected " +
                                    std::to_string(expected.Width()) + " x " +
                                    std::to_string(expected.Height()));
    int different = 0;
    std::string first;
    std::vector<bool> differs(size_t(actual.Width()) * size_t(actual.Height()), false);
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            TColor32 a = actual.Pixel(x, y), e = expected.Pixel(x, y);
            bool same = true;
            for (int shift = 0; shift < 32; shift += 8)
                same = same && std::abs(int((a >> shift) & 0xFF) - int((e >> shift) & 0xFF)) <= tolerance;
            if (same) continue;
            differs[size_t(y) * size_t(actual.Width()) + size_t(x)] = true;
            if (different++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "first at (%d, %d): %08X, expected %08X", x, y, a, e);
                first = text;
            }
        }
    }
    if (different > maxDifferentPixels) {
        const TBitmap32 difference = DifferencePicture(expected, differs);
        return ::testing::AssertionFailure()
               << GoldenFailure(actual, name,
                                std::to_string(different) + " pixels differ by more than " +
                                    std::to_string(tolerance) + " (at most " +
                                    std::to_string(maxDifferentPixels) + " allowed), " + first,
                                &difference);
    }
    // A match clears what an earlier failure of the same picture left.
    std::error_code ec;
    std::filesystem::remove(GoldenFailureFile(name, ".actual.png"), ec);
    std::filesystem::remove(GoldenFailureFile(name, ".difference.png"), ec);
    return ::testing::AssertionSuccess();
}

// The same as a non-fatal expectation (the failure's line is then this file's).
inline void ExpectMatchesGolden(const TBitmap32& actual, const std::string& name, int tolerance = 0,
                                int maxDifferentPixels = 0) {
    EXPECT_TRUE(MatchesGolden(actual, name, tolerance, maxDifferentPixels));
}

}  // namespace pax::testing
