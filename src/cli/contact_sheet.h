#pragma once
// A contact sheet: every picture as a thumbnail with its name under it, grouped under their
// category names, twelve to a row, so that a whole library can be judged at a glance.

#include <string>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax {

enum class SheetMark { None, Flagged };

class ContactSheet {
public:
    static constexpr int ThumbWidth = 160;
    static constexpr int ThumbHeight = 120;
    static constexpr int Columns = 12;
    static constexpr int Gap = 6;
    static constexpr TColor32 Background = 0xFF202020;
    static constexpr TColor32 NameColor = 0xFFE0E0E0;
    static constexpr TColor32 FlaggedColor = 0xFFFF7040;   // names of pictures drawn with errors
    static constexpr TColor32 CategoryColor = 0xFFFFFF60;

    explicit ContactSheet(std::string title) : m_title(std::move(title)) {}

    // A thumbnail of picture under category; a new category starts a new row.
    void Add(const std::string& category, const std::string& name, const TBitmap32& picture,
             SheetMark mark = SheetMark::None);
    size_t Count() const { return m_entries.size(); }

    TBitmap32 Compose() const;

private:
    struct Entry {
        std::string category;
        std::string name;
        SheetMark mark;
        TBitmap32 thumbnail;
    };
    std::string m_title;
    std::vector<Entry> m_entries;
};

// picture scaled down to fit width x height with its aspect ratio kept. Each pixel is the mean
// of the pixels it covers lifted halfway to their maximum, so that lines one pixel thick stay
// visible.
TBitmap32 Thumbnail(const TBitmap32& picture, int width, int height);

// text cut (with "..") to at most width pixels in surface's font.
std::string FitText(const TBitmap32& surface, const std::string& text, int width);

}  // namespace pax
