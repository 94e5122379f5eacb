#pragma once
// A .LSY file as the editor keeps it: the file's name and its items in file order, each a
// comment line (the header, other comments, stray words at file level) or an LSystem node.
// Reading and writing whole files, and writing one node alone.

#include <string>
#include <string_view>
#include <memory>
#include <vector>

#include "lsystem/parser.h"
#include "lsystem/vl_system.h"

namespace pax {

inline constexpr std::string_view LsyHeader = "#VRML V1.0 ascii";
// Comment lines and nodes kept of one file (the editor's tree holds no more).
inline constexpr size_t MaxLsyItems = 65535;

class tLsyFile {
public:
    // One entry of the file: a comment line or a node. Nodes are held apart so that the many
    // comment lines of a file cost little.
    class Item {
    public:
        explicit Item(std::string line) : m_line(std::move(line)) {}
        explicit Item(tVLSystem node) : m_node(std::make_unique<tVLSystem>(std::move(node))) {}
        Item(const Item& other) : m_line(other.m_line), m_node(other.m_node ? std::make_unique<tVLSystem>(*other.m_node) : nullptr) {}
        Item& operator=(const Item& other) {
            if (this != &other) *this = Item(other);
            return *this;
        }
        Item(Item&&) noexcept = default;
        Item& operator=(Item&&) noexcept = default;

        bool IsNode() const { return m_node != nullptr; }
        // The comment line; empty for a node.
        const std::string& Line() const { return m_line; }
        // Only for an item that IsNode.
        const tVLSystem& Node() const { return *m_node; }
        tVLSystem& Node() { return *m_node; }

        bool operator==(const Item& other) const {
            if (IsNode() != other.IsNode()) return false;
            return IsNode() ? *m_node == *other.m_node : m_line == other.m_line;
        }

    private:
        std::string m_line;
        std::unique_ptr<tVLSystem> m_node;
    };

    explicit tLsyFile(std::string name = {}) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    const std::vector<Item>& Items() const { return m_items; }
    std::vector<Item>& Items() { return m_items; }
    void AddComment(std::string line) { m_items.emplace_back(std::move(line)); }
    void AddNode(tVLSystem node) { m_items.emplace_back(std::move(node)); }
    void Clear() { m_items.clear(); }

    // The nodes alone, in file order; valid until the file changes.
    std::vector<const tVLSystem*> Nodes() const;
    size_t NodeCount() const;

    bool operator==(const tLsyFile&) const = default;

private:
    std::string m_name;
    std::vector<Item> m_items;
};

struct tDate {
    int month = 1;
    int day = 1;
    int year = 2000;
};
tDate Today();

// Reads a whole file into file, whose name becomes fileName and whose items are replaced.
// Items beyond MaxLsyItems are dropped and reported once as "no heap !".
// Syntax errors are collected and summarised by the parser (the box unless suppressed); a
// file that cannot be opened is reported by the file error routine and leaves file as it was.
tParseResult ReadLsyFile(const std::string& fileName, tLsyFile& file, SummaryBox summary = SummaryBox::Show);
// The same for text in memory; sourceName stands for the file name in the reports.
tParseResult ReadLsyText(std::string_view text, const std::string& sourceName, tLsyFile& file,
                         SummaryBox summary = SummaryBox::Show);

// "#VRML V1.0 ascii   " and the date as month-day-year (" 3-07-2024").
std::string LsyHeaderLine(const tDate& date);
// The header line, then every item: comment lines as stored, nodes as VLSystemText. A stored
// header line in front (a file that was read) is replaced by the new one, not repeated.
std::string LsyFileText(const tLsyFile& file, const tDate& date);

// Writing goes to a temporary file beside the target, which is then renamed over it, so a
// failed save never damages an existing file. Failures are reported by the file error
// routine and return false; success shows nothing (see ShowSavedMessage).
bool SaveLsyFile(const tLsyFile& file, const std::string& fileName);
// One node's text alone, without a header line.
bool SaveVLSystem(const tVLSystem& node, const std::string& fileName);
bool WriteTextFile(const std::string& fileName, std::string_view text);

// Lindenmayer System File "work.LSY" saved
std::string SavedMessageText(std::string_view fileName);
inline constexpr std::string_view SavedMessageCaption = "Lindenmayer Systems";
void ShowSavedMessage(std::string_view fileName);

}  // namespace pax
