#include "app/config/ini_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "system/error_reporting.h"
#include "system/file_utils.h"

namespace pax {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerKey(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = Lower(c);
    return lower;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

enum class TextKind { Section, Key, Value };

// A line break inside a name or value would split it into two lines of the file, an "="
// would end a key early and a "]" a section name.
std::string Sanitized(std::string_view text, TextKind kind) {
    std::string clean;
    for (char c : text) {
        if (c == '\r' || c == '\n') c = ' ';
        if ((kind == TextKind::Key && c == '=') || (kind == TextKind::Section && c == ']')) c = '_';
        clean += c;
    }
    return std::string(Trim(clean));
}

std::optional<uint32_t> ParseHexDigits(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::string_view WithoutHexPrefix(std::string_view text, bool& hadPrefix) {
    hadPrefix = true;
    if (text.starts_with('$')) return text.substr(1);
    if (text.starts_with("0x") || text.starts_with("0X")) return text.substr(2);
    hadPrefix = false;
    return text;
}

}  // namespace

// ---- value texts ----

std::optional<bool> ParseIniBool(std::string_view text) {
    text = Trim(text);
    if (EqualsNoCase(text, "true")) return true;
    if (EqualsNoCase(text, "false")) return false;
    if (auto number = ParseIniInteger(text)) return *number != 0;
    return std::nullopt;
}

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    text = Trim(text);
    bool hex = false;
    std::string_view digits = WithoutHexPrefix(text, hex);
    if (hex) {
        auto value = ParseHexDigits(digits);
        if (!value) return std::nullopt;
        return static_cast<int32_t>(*value);
    }
    if (text.starts_with('+')) text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<uint32_t> ParseIniHex(std::string_view text) {
    bool prefix = false;
    return ParseHexDigits(WithoutHexPrefix(Trim(text), prefix));
}

std::optional<long double> ParseIniFloat(std::string_view text) {
    std::string number(Trim(text));
    if (number.starts_with('+')) number.erase(0, 1);
    if (number.empty() || number.front() == '+') return std::nullopt;
    if (number.find('.') == std::string::npos) {
        size_t comma = number.find(',');
        if (comma != std::string::npos) number[comma] = '.';
    }
    long double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    if (ec != std::errc() || end != number.data() + number.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatIniHex(uint32_t value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = Digits[value & 0xF];
    return text;
}

std::string FormatIniFloat(long double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

// ---- reading ----

bool IniFile::Parse(std::string_view text) {
    m_sections.clear();
    m_sectionIndex.clear();
    m_entryCount = 0;
    bool complete = text.size() <= MaxBytes;
    text = text.substr(0, MaxBytes);
    if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());

    Section* current = nullptr;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            if (m_entryCount + m_sections.size() >= MaxEntries) {
                complete = false;
                break;
            }
            current = &SectionFor(Trim(line.substr(1, close - 1)));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || current == nullptr) continue;
        std::string_view key = Trim(line.substr(0, equals));
        if (key.empty()) continue;
        std::string lower = LowerKey(key);
        if (current->Index.contains(lower)) continue;
        if (m_entryCount + m_sections.size() >= MaxEntries) {
            complete = false;
            break;
        }
        current->Index.emplace(std::move(lower), current->Entries.size());
        current->Entries.push_back({std::string(key), std::string(Trim(line.substr(equals + 1)))});
        ++m_entryCount;
    }
    return complete;
}

bool IniFile::LoadFromFile(const std::string& path) {
    std::string text;
    bool cut = false;
    if (ReadFilePrefix(path, MaxBytes, text, cut) != 0) {
        Parse({});
        return false;
    }
    if (!Parse(text)) cut = true;
    if (cut)
        ShowWarning("IniFile:  IniFile.LoadFromFile",
                    "file '" + path + "' is too large: only its first " +
                        std::to_string(MaxBytes / (1024 * 1024)) + " MB and " +
                        std::to_string(MaxEntries) + " keys are read !");
    return true;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    auto found = m_sectionIndex.find(LowerKey(name));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
    std::string lower = LowerKey(name);
    auto found = m_sectionIndex.find(lower);
    if (found != m_sectionIndex.end()) return m_sections[found->second];
    m_sectionIndex.emplace(std::move(lower), m_sections.size());
    m_sections.push_back({std::string(name), {}, {}});
    return m_sections.back();
}

void IniFile::RebuildSectionIndex() {
    m_sectionIndex.clear();
    for (size_t i = 0; i < m_sections.size(); ++i) m_sectionIndex.emplace(LowerKey(m_sections[i].Name), i);
}

bool IniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return Find(section, key).has_value();
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : m_sections) names.push_back(s.Name);
    return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->Entries) names.push_back(e.Key);
    return names;
}

std::optional<std::string_view> IniFile::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    auto found = s->Index.find(LowerKey(key));
    if (found == s->Index.end()) return std::nullopt;
    return std::string_view(s->Entries[found->second].Value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    return std::string(Find(section, key).value_or(fallback));
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    auto text = Find(section, key);
    return text ? ParseIniBool(*text).value_or(fallback) : fallback;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
    auto text = Find(section, key);
    return text ? ParseIniInteger(*text).value_or(fallback) : fallback;
}

uint32_t IniFile::ReadHex(std::string_view section, std::string_view key, uint32_t fallback) const {
    auto text = Find(section, key);
    return text ? ParseIniHex(*text).value_or(fallback) : fallback;
}

long double IniFile::ReadFloat(std::string_view section, std::string_view key, long double fallback) const {
    auto text = Find(section, key);
    return text ? ParseIniFloat(*text).value_or(fallback) : fallback;
}

// ---- writing ----

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string cleanKey = Sanitized(key, TextKind::Key);
    if (cleanKey.empty() || cleanKey.front() == '[' || cleanKey.front() == ';' || cleanKey.front() == '#')
        return;
    Section& s = SectionFor(Sanitized(section, TextKind::Section));
    std::string lower = LowerKey(cleanKey);
    auto found = s.Index.find(lower);
    if (found != s.Index.end()) {
        s.Entries[found->second].Value = Sanitized(value, TextKind::Value);
        return;
    }
    s.Index.emplace(std::move(lower), s.Entries.size());
    s.Entries.push_back({std::move(cleanKey), Sanitized(value, TextKind::Value)});
    ++m_entryCount;
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteHex(std::string_view section, std::string_view key, uint32_t value) {
    WriteString(section, key, FormatIniHex(value));
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, long double value) {
    WriteString(section, key, FormatIniFloat(value));
}

void IniFile::EraseSection(std::string_view section) {
    auto found = m_sectionIndex.find(LowerKey(section));
    if (found == m_sectionIndex.end()) return;
    m_entryCount -= m_sections[found->second].Entries.size();
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(found->second));
    RebuildSectionIndex();
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    auto found = m_sectionIndex.find(LowerKey(section));
    if (found == m_sectionIndex.end()) return;
    Section& s = m_sections[found->second];
    auto entry = s.Index.find(LowerKey(key));
    if (entry == s.Index.end()) return;
    s.Entries.erase(s.Entries.begin() + static_cast<std::ptrdiff_t>(entry->second));
    --m_entryCount;
    s.Index.clear();
    for (size_t i = 0; i < s.Entries.size(); ++i) s.Index.emplace(LowerKey(s.Entries[i].Key), i);
}

std::string IniFile::ToText() const {
    std::string text;
    for (const Section& s : m_sections) {
        if (!text.empty()) text += '\n';
        text += '[' + s.Name + "]\n";
        for (const Entry& e : s.Entries) text += e.Key + '=' + e.Value + '\n';
    }
    return text;
}

}  // namespace pax
