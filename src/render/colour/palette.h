#pragma once
// The program's 256-colour palette. Entries 0 .. 247 are the VGA default palette (mode 13h)
// widened from 6 to 8 bits per channel; 248 .. 255 are our own. The L-system palette takes
// its entries 16 .. 255 from the current palette.

#include <array>
#include <cstdint>
#include <span>

#include "foundation/color32.h"

namespace pax {

struct tPaletteEntry {
    uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
    bool operator==(const tPaletteEntry&) const = default;
};

class tPalette {
public:
    static constexpr int Size = 256;
    static constexpr size_t ByteSize = Size * 4;   // red, green, blue, flags per entry
    using Bytes = std::array<uint8_t, ByteSize>;

    // The default palette.
    tPalette();

    const tPaletteEntry& Entry(uint8_t index) const { return m_entries[index]; }
    const std::array<tPaletteEntry, Size>& Entries() const { return m_entries; }

    // The whole palette as 1024 bytes, and replaced from them.
    Bytes ReadOut() const;
    void Replace(std::span<const uint8_t, ByteSize> bytes);
    void Replace(const std::array<tPaletteEntry, Size>& entries) { m_entries = entries; }

    // Entry index as a toolkit colour 0x00BBGGRR, and as an opaque TColor32 (flags ignored).
    TWinColor PaletteColor(uint8_t index) const;
    TColor32 PaletteColor32(uint8_t index) const;

    bool operator==(const tPalette&) const = default;

private:
    std::array<tPaletteEntry, Size> m_entries;
};

const std::array<tPaletteEntry, tPalette::Size>& DefaultPaletteEntries();

// The program's current palette.
tPalette& CurrentPalette();

}  // namespace pax
