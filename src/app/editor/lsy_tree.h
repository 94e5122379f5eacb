#pragma once
// LsyTree: the editor's file tree. One file node per .LSY file, each holding the file's
// comment lines and LSystem nodes in file order; the built-in library makes the first three
// ("TABOP.LSY", "Kesk1.LSY", "Famous2d.LSY"), loaded files join them. The tree view mirrors
// it: a file node's children are its items, comment lines and systems alike.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsystem/lsy_file.h"

namespace pax {

struct tLSDef;

// A place in the tree: a file node (item -1) or one of its items.
struct TreeNode {
    int file = -1;
    int item = -1;

    bool IsFile() const { return file >= 0 && item < 0; }
    bool operator==(const TreeNode&) const = default;
};

struct LsyTreeFile {
    tLsyFile content;
    std::string path;   // where it was loaded from; empty for the built-in files
};

class LsyTree {
public:
    static constexpr const char* AddSource = "LSysForm:  AddLSObject";
    static constexpr const char* WrongName = "wrong LSystem name";
    static constexpr const char* WrongAxiom = "wrong LSystem axiom";

    const std::vector<LsyTreeFile>& Files() const { return m_files; }
    int FileCount() const { return static_cast<int>(m_files.size()); }

    // The built-in files from the registered definitions (the library order): entries
    // without a name or axiom are reported and skipped; angle, step, factor, thickness and
    // deep 0 become those of the start definition "empty" (90, 100, 1, 1, 1).
    void AddBuiltInFiles(const std::vector<const tLSDef*>& definitions);
    // One file node with its comment lines; the index of the new node.
    int AddFile(std::string name, std::vector<std::string> comments);
    // Appends def as an LSystem node of file (see AddBuiltInFiles); false when skipped.
    bool AddLSObject(int file, const tLSDef& def);

    // Reads path. A file already in the tree (the same path) is replaced in its place, any
    // other is appended; a missing or unreadable file is reported by the file error routine
    // and the tree stays as it was; syntax errors are summarised by the parser and the nodes
    // read correctly are kept. The index of the file node, or nullopt.
    std::optional<int> Load(const std::string& path);
    // Writes the file node with a dated header line and confirms with the "saved" message.
    bool Save(int file, const std::string& path) const;
    void RemoveFile(int file);

    // The text a node shows: the file's name without its folder, a comment line as stored,
    // a system's name.
    std::string Text(TreeNode node) const;
    // The system at node; nullptr for a file node, a comment line or a place outside.
    const tVLSystem* System(TreeNode node) const;
    bool Contains(TreeNode node) const;
    // Whether the node's file (the file node of an item) exists on disk.
    bool FileExists(TreeNode node) const;

    // The first system in tree order that comes after `after` (from the top when `after` is
    // outside), or before it when step is -1; nullopt at the ends.
    std::optional<TreeNode> NeighbourSystem(TreeNode after, int step) const;
    // The next file or system whose text contains `text` (ignoring case), searched after
    // `after` and round to it again; nullopt when none matches or text is empty.
    std::optional<TreeNode> Search(std::string_view text, TreeNode after) const;
    // The first system of file, if it holds one.
    std::optional<TreeNode> FirstSystem(int file) const;

private:
    // Every file node and item in tree order.
    std::vector<TreeNode> Order() const;

    std::vector<LsyTreeFile> m_files;
};

}  // namespace pax
