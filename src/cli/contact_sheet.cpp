#include "cli/contact_sheet.h"

#include <algorithm>

namespace pax {
namespace {

constexpr int Margin = 2 * ContactSheet::Gap;
constexpr TColor32 FrameColor = 0xFF505050;

void SetFont(TBitmap32& surface, int size, bool bold, TColor32 colour) {
    surface.Font.Size = size;
    surface.Font.Bold = bold;
    surface.Font.Color = colour;
}

int LineHeight(int size, bool bold) {
    TBitmap32 probe;
    SetFont(probe, size, bold, 0);
    return probe.TextHeight();
}

uint8_t Channel(TColor32 c, int shift) { return static_cast<uint8_t>(c >> shift); }

}  // namespace

TBitmap32 Thumbnail(const TBitmap32& picture, int width, int height) {
    if (picture.Empty() || width <= 0 || height <= 0) return TBitmap32();
    // The largest size of the picture's aspect that fits.
    int tw = width;
    int th = static_cast<int>(static_cast<int64_t>(picture.Height()) * width / picture.Width());
    if (th > height) {
        th = height;
        tw = static_cast<int>(static_cast<int64_t>(picture.Width()) * height / picture.Height());
    }
    tw = std::max(tw, 1);
    th = std::max(th, 1);
    TBitmap32 thumb(tw, th);
    for (int y = 0; y < th; ++y) {
        const int y0 = y * picture.Height() / th;
        const int y1 = std::max(y0 + 1, (y + 1) * picture.Height() / th);
        TColor32* out = thumb.ScanLine(y);
        for (int x = 0; x < tw; ++x) {
            const int x0 = x * picture.Width() / tw;
            const int x1 = std::max(x0 + 1, (x + 1) * picture.Width() / tw);
            uint32_t sum[3] = {0, 0, 0};
            uint8_t peak[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const TColor32* row = picture.ScanLine(sy);
                for (int sx = x0; sx < x1; ++sx)
                    for (int k = 0; k < 3; ++k) {
                        const uint8_t v = Channel(row[sx], 16 - 8 * k);
                        sum[k] += v;
                        peak[k] = std::max(peak[k], v);
                    }
            }
            const uint32_t count = static_cast<uint32_t>((x1 - x0) * (y1 - y0));
            TColor32 c = 0xFF000000;
            for (int k = 0; k < 3; ++k) c |= ((sum[k] / count + peak[k]) / 2) << (16 - 8 * k);
            out[x] = c;
        }
    }
    return thumb;
}

std::string FitText(const TBitmap32& surface, const std::string& text, int width) {
    if (surface.TextWidth(text) <= width) return text;
    std::string cut = text;
    while (!cut.empty()) {
        cut.pop_back();
        // Never end inside a UTF-8 sequence.
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80) cut.pop_back();
        if (!cut.empty() && static_cast<unsigned char>(cut.back()) >= 0xC0) cut.pop_back();
        if (surface.TextWidth(cut + "..") <= width) return cut + "..";
    }
    return "..";
}

void ContactSheet::Add(const std::string& category, const std::string& name, const TBitmap32& picture,
                       SheetMark mark) {
    m_entries.push_back({category, name, mark, Thumbnail(picture, ThumbWidth, ThumbHeight)});
}

TBitmap32 ContactSheet::Compose() const {
    const int titleHeight = LineHeight(12, true) + Gap;
    const int categoryHeight = LineHeight(10, true) + Gap / 2;
    const int labelHeight = LineHeight(8, false) + 2;
    const int cellHeight = ThumbHeight + labelHeight + Gap;
    const int width = 2 * Margin + Columns * ThumbWidth + (Columns - 1) * Gap;

    // Rows per category, in order of appearance.
    std::vector<std::pair<std::string, int>> groups;
    for (const Entry& e : m_entries) {
        if (groups.empty() || groups.back().first != e.category) groups.emplace_back(e.category, 0);
        ++groups.back().second;
    }
    int height = Margin + titleHeight + Margin / 2;
    for (const auto& [category, count] : groups) height += categoryHeight + (count + Columns - 1) / Columns * cellHeight;

    TBitmap32 sheet(width, height);
    sheet.Clear(Background);
    SetFont(sheet, 12, true, CategoryColor);
    sheet.TextOut(Margin, Margin, m_title);

    int y = Margin + titleHeight + Margin / 2;
    size_t index = 0;
    for (const auto& [category, count] : groups) {
        SetFont(sheet, 10, true, CategoryColor);
        sheet.TextOut(Margin, y, category);
        y += categoryHeight;
        for (int i = 0; i < count; ++i, ++index) {
            const Entry& e = m_entries[index];
            const int x = Margin + (i % Columns) * (ThumbWidth + Gap);
            const int top = y + (i / Columns) * cellHeight;
            sheet.FrameRectOpaque(x - 1, top - 1, x + ThumbWidth + 1, top + ThumbHeight + 1, FrameColor);
            e.thumbnail.DrawTo(sheet, x + (ThumbWidth - e.thumbnail.Width()) / 2,
                               top + (ThumbHeight - e.thumbnail.Height()) / 2);
            SetFont(sheet, 8, false, e.mark == SheetMark::Flagged ? FlaggedColor : NameColor);
            const std::string label = FitText(sheet, e.name, ThumbWidth);
            sheet.TextOut(x + (ThumbWidth - sheet.TextWidth(label)) / 2, top + ThumbHeight + 2, label);
        }
        y += (count + Columns - 1) / Columns * cellHeight;
    }
    return sheet;
}

}  // namespace pax
