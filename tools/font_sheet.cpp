// font_sheet: draws every character of the eleven stroke fonts, read from their .CHR files
// through the program's loader, into one picture, so that the fonts can be looked at.
//     font_sheet OUT.png [DATA_FOLDER]
// The data folder defaults to the program's own lookup ($PAX3D_DATA, data/ beside it, ...).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/files/picture_io.h"
#include "render/fonts/font_names.h"
#include "render/fonts/stroke_data.h"
#include "render/fonts/stroke_font_file.h"
#include "render/surface/bitmap32.h"

namespace {

using namespace pax;

constexpr int SheetWidth = 1400;
constexpr int CharsPerLine = 48;
constexpr int LineHeight = 46;     // pixels from baseline to baseline
constexpr int FontHeight = 3 * LineHeight + 8;
constexpr float Scale = 1.1f;      // pixels per font unit
constexpr TColor32 Ink = 0xFF000000;
constexpr TColor32 Paper = 0xFFFFFFFF;
constexpr TColor32 Guide = 0xFFCCDDFF;

// Returns the advance in pixels.
float DrawChar(TBitmap32& sheet, const tBGIFont& font, uint8_t c, float x, float baseline) {
    WalkStrokes(font.CharStrokes(c), [&](const std::vector<tStrokePoint>& line) {
        const auto px = [&](const tStrokePoint& p) { return x + p.x * Scale; };
        const auto py = [&](const tStrokePoint& p) { return baseline - p.y * Scale; };
        if (line.size() == 1) sheet.SetPixelAA(px(line[0]), py(line[0]), Ink);
        for (size_t i = 1; i < line.size(); ++i)
            sheet.LineAAF(px(line[i - 1]), py(line[i - 1]), px(line[i]), py(line[i]), Ink, true);
    });
    return font.CharWidth(c) * Scale;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: font_sheet OUT.png [DATA_FOLDER]\n");
        return 2;
    }
    if (argc > 2) setenv("PAX3D_DATA", argv[2], 1);
    TBitmap32 sheet(SheetWidth, StrokeFontCount * FontHeight + 10);
    sheet.Clear(Paper);
    sheet.Font.Color = 0xFF2040A0;
    int failures = 0;
    for (int n = 0; n < StrokeFontCount; ++n) {
        tBGIFont font;
        const int top = 10 + n * FontHeight;
        sheet.TextOut(8, top + 20, std::string(StrokeFontName(n)));
        if (!font.Load(StrokeFontName(n))) {
            sheet.TextOut(60, top + 20, "error " + std::to_string(font.Error));
            ++failures;
            continue;
        }
        float x = 0;
        for (int c = font.First; c <= font.Last; ++c) {
            const int index = c - font.First;
            const float baseline = top + 34 + (index / CharsPerLine) * LineHeight;
            if (index % CharsPerLine == 0) {
                sheet.HorzLineBlend(60, static_cast<int>(baseline), SheetWidth - 10, Guide);
                x = 70;
            }
            x += DrawChar(sheet, font, static_cast<uint8_t>(c), x, baseline) + 4;
        }
    }
    if (!SavePicture(sheet, argv[1])) return 1;
    return failures == 0 ? 0 : 1;
}
