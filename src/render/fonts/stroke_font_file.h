#pragma once
// tBGIFont: a stroke-font file (".CHR") read whole into memory, with its name, character
// range and the bases of its offset, width and stroke tables. The loader checks everything
// it will ever index: after a successful load every character's width and strokes lie inside
// the held data; a file that fails holds nothing.
//
// Error codes: 106 the file does not begin with "PK" 0x08 0x08, or its header, tables or
// strokes are inconsistent (no characters, offsets or strokes outside the file); 100 the
// file ends before its header or tables do; 203 no memory for the file (or a file too large
// to be a stroke font); any other non-zero value is the errno of opening or reading it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pax {

class tBGIFont {
public:
    static constexpr uint16_t LoadedMark = 0x4321;
    static constexpr int32_t ErrorReadPastEnd = 100;
    static constexpr int32_t ErrorBadFormat = 106;
    static constexpr int32_t ErrorNoMemory = 203;
    // Offsets are 16-bit, so a real font is far below this.
    static constexpr size_t MaxFileSize = 1u << 20;
    static constexpr size_t HeaderStart = 0x80;
    static constexpr size_t OffsetTableStart = 0x90;

    uint16_t Loaded = 0;       // LoadedMark while the file data is held
    int32_t Error = 0;
    std::string Name;          // the 4 characters at 0x5C
    uint8_t First = 0;
    uint8_t Last = 0;
    std::vector<uint8_t> Data;
    size_t OffsetBase = 0;
    size_t WidthBase = 0;
    size_t StrokeBase = 0;
    size_t FileSize = 0;

    bool Held() const { return Loaded == LoadedMark; }

    // data/ + name + ".CHR" from the data folder.
    static std::string FontFilePath(std::string_view name);
    // Releases what is held, then reads the file; returns whether Error is 0.
    bool Load(std::string_view name);
    bool LoadFile(const std::string& path);
    // The same checks on bytes already in memory (the file's whole content).
    bool LoadBytes(std::vector<uint8_t> bytes);
    void Release();

    // For a held font and c in First .. Last: the width byte, and the strokes from the
    // character's start up to and including their terminating 0. -1 and empty otherwise.
    int CharWidth(uint8_t c) const;
    std::span<const uint8_t> CharStrokes(uint8_t c) const;

private:
    bool Fail(int32_t code);
    int32_t CheckLayout() const;
    size_t StrokeStart(uint8_t c) const;
};

}  // namespace pax
