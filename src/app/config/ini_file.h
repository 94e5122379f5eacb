#pragma once
// A small reader and writer of sectioned key/value ("INI") text: "[section]" lines and
// "key=value" lines, kept in file order. Section and key names compare case-insensitively
// (ASCII). Reading is tolerant: blank lines, ";" and "#" comments, keys outside any
// section, lines that are neither section nor key, a UTF-8 byte-order mark and CR, LF or
// CRLF line ends are all accepted; of a repeated key (or section) the first one wins.
//
// A hostile file costs bounded time and memory: at most MaxBytes are read and at most
// MaxEntries sections and keys together kept; the rest is ignored.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pax {

class IniFile {
public:
    static constexpr size_t MaxBytes = 4 * 1024 * 1024;
    static constexpr size_t MaxEntries = 65536;

    // Replaces the contents by the parsed text. Returns false when the text was cut
    // (longer than MaxBytes or more than MaxEntries sections and keys).
    bool Parse(std::string_view text);

    // Replaces the contents by the file's. A missing file, or anything but a regular file,
    // reads as empty and returns false. A file that had to be cut gets one ShowWarning
    // naming it.
    bool LoadFromFile(const std::string& path);

    std::string ToText() const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Typed reads: the fallback when the key is missing or its text cannot be read.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    uint32_t ReadHex(std::string_view section, std::string_view key, uint32_t fallback) const;
    long double ReadFloat(std::string_view section, std::string_view key, long double fallback) const;

    // Writes replace the value of an existing key in place, or append the key to its
    // section, which is appended to the file when missing. Line breaks in names and values
    // become blanks, an "=" in a key and a "]" in a section name become "_", and blanks
    // around them are dropped, so that what is written reads back. A key that is empty or
    // begins with "[", ";" or "#" cannot be written and is ignored.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteBool(std::string_view section, std::string_view key, bool value);        // 1 / 0
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteHex(std::string_view section, std::string_view key, uint32_t value);     // 8 upper-case digits
    void WriteFloat(std::string_view section, std::string_view key, long double value);

    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    size_t EntryCount() const { return m_entryCount; }

private:
    struct Entry {
        std::string Key;
        std::string Value;
    };
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
        std::unordered_map<std::string, size_t> Index;  // lower-case key -> entry
    };

    const Section* FindSection(std::string_view name) const;
    Section& SectionFor(std::string_view name);
    void RebuildSectionIndex();

    std::vector<Section> m_sections;
    std::unordered_map<std::string, size_t> m_sectionIndex;  // lower-case name -> section
    size_t m_entryCount = 0;
};

// The value texts of the format. Parsers trim blanks and return nothing for text they
// cannot read.
// Booleans: any integer (non-zero is true), "true" or "false" in any case.
std::optional<bool> ParseIniBool(std::string_view text);
// Decimal with optional sign, or hexadecimal after "$" or "0x" (up to 8 digits, taken as
// the 32-bit pattern).
std::optional<int32_t> ParseIniInteger(std::string_view text);
// 1 to 8 hexadecimal digits, with or without a leading "$" or "0x".
std::optional<uint32_t> ParseIniHex(std::string_view text);
// A finite decimal float; a "," stands for the decimal point when there is no ".".
std::optional<long double> ParseIniFloat(std::string_view text);

std::string FormatIniHex(uint32_t value);
// The shortest text that reads back as the same value; never depends on the locale.
std::string FormatIniFloat(long double value);

}  // namespace pax
