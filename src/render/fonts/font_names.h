#pragma once
// The stroke fonts by number: 0 .. 10 are "LITT" .. "GOTH"; 11 is no font ("????").

#include <cstdint>
#include <string_view>

namespace pax {

inline constexpr int StrokeFontCount = 11;
inline constexpr uint8_t NoFont = 11;

// "LITT", "EURO", "BLCK", "BOLD", "LCD1", "LCOM", "SCRI", "SIMP", "TRIP", "TSCR", "GOTH" for
// 0 .. 10; "????" for any other number.
std::string_view StrokeFontName(int n);

}  // namespace pax
