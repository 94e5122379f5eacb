#include "render/fonts/font_names.h"

#include <array>

namespace pax {

std::string_view StrokeFontName(int n) {
    static constexpr std::array<std::string_view, StrokeFontCount> Names{
        "LITT", "EURO", "BLCK", "BOLD", "LCD1", "LCOM", "SCRI", "SIMP", "TRIP", "TSCR", "GOTH"};
    if (n < 0 || n >= StrokeFontCount) return "????";
    return Names[static_cast<size_t>(n)];
}

}  // namespace pax
