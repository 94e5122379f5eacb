#include "app/editor/lsy_tree.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <set>
#include <system_error>

#include "lsystem/library/library.h"
#include "lsystem/ls_def.h"
#include "system/error_reporting.h"

namespace pax {
namespace {

namespace fs = std::filesystem;

// What the built-in files hold: the library categories whose names start with the prefix,
// without the entries named in `left out`.
struct BuiltInFile {
    const char* name;
    const char* categoryPrefix;
    std::vector<std::string> comments;
    std::set<std::string> leftOut;
};

const std::vector<BuiltInFile>& BuiltInFiles() {
    static const std::vector<BuiltInFile> files = {
        {"TABOP.LSY",
         "TABOP Book",
         {"# TABOP.LSY: examples from the book \"The Algorithmic Beauty Of Plants\"",
          "# source: P. Prusinkiewicz, A. Lindenmayer, Springer 1990; the entry names carry its page numbers",
          "# written by Pax3d 0.1"},
         {"CompoundLeaf-129", "CompoundLeaf-130", "LilyOfTheValley-128"}},
        {"Kesk1.LSY",
         "LSystem Kesk",
         {"# Kesk1.LSY: leaves, flowers, palms and bushes of the Kesk collection",
          "# written by Pax3d 0.1"},
         {}},
        {"Famous2d.LSY",
         "LSystem Famous 2d",
         {"# Famous2d.LSY: famous examples of 2d LSystems\"", "# written by Pax3d 0.1"},
         {"SierpinskiTriangle2"}},
    };
    return files;
}

std::string Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Two spellings of one file compare equal; a path that cannot be resolved stands for itself.
std::string Identity(const std::string& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : canonical.string();
}

}  // namespace

void LsyTree::AddBuiltInFiles(const std::vector<const tLSDef*>& definitions) {
    const auto& library = BuiltInLibrary();
    std::vector<int> fileOf(BuiltInFiles().size(), -1);
    size_t index = 0;
    for (const tLSCategory& category : library) {
        for (size_t f = 0; f < BuiltInFiles().size(); ++f) {
            const BuiltInFile& file = BuiltInFiles()[f];
            if (!category.name.starts_with(file.categoryPrefix)) continue;
            if (fileOf[f] < 0) fileOf[f] = AddFile(file.name, file.comments);
            for (size_t e = 0; e < category.entries.size() && index + e < definitions.size(); ++e) {
                const tLSDef& def = *definitions[index + e];
                if (!file.leftOut.contains(def.name)) AddLSObject(fileOf[f], def);
            }
        }
        index += category.entries.size();
    }
}

int LsyTree::AddFile(std::string name, std::vector<std::string> comments) {
    LsyTreeFile file{tLsyFile(std::move(name)), {}};
    for (std::string& line : comments) file.content.AddComment(std::move(line));
    m_files.push_back(std::move(file));
    return FileCount() - 1;
}

bool LsyTree::AddLSObject(int file, const tLSDef& def) {
    if (Trimmed(def.name).empty()) {
        ShowError(AddSource, WrongName, Buttons::Ok);
        return false;
    }
    if (Trimmed(def.axiom).empty()) {
        ShowError(AddSource, WrongAxiom, Buttons::Ok);
        return false;
    }
    tVLSystem node = ToVLSystem(def);
    // The start definition "empty" stands in for what the library leaves at 0.
    if (node.angle == 0) node.angle = 90;
    if (node.thickness == 0) node.thickness = 1;
    if (node.deep == 0) node.deep = 1;
    m_files[static_cast<size_t>(file)].content.AddNode(std::move(node));
    return true;
}

std::optional<int> LsyTree::Load(const std::string& path) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        SetIoResult(ENOENT);
        ShowFileError(0, path);
        return std::nullopt;
    }
    tLsyFile read;
    if (!ReadLsyFile(path, read).opened) return std::nullopt;

    const std::string identity = Identity(path);
    auto same = std::find_if(m_files.begin(), m_files.end(), [&](const LsyTreeFile& f) {
        return !f.path.empty() && Identity(f.path) == identity;
    });
    LsyTreeFile loaded{std::move(read), path};
    if (same != m_files.end()) {
        *same = std::move(loaded);
        return static_cast<int>(same - m_files.begin());
    }
    m_files.push_back(std::move(loaded));
    return FileCount() - 1;
}

bool LsyTree::Save(int file, const std::string& path) const {
    if (file < 0 || file >= FileCount()) return false;
    if (!SaveLsyFile(m_files[static_cast<size_t>(file)].content, path)) return false;
    ShowSavedMessage(path);
    return true;
}

void LsyTree::RemoveFile(int file) {
    if (file >= 0 && file < FileCount()) m_files.erase(m_files.begin() + file);
}

bool LsyTree::Contains(TreeNode node) const {
    if (node.file < 0 || node.file >= FileCount()) return false;
    return node.item < static_cast<int>(m_files[static_cast<size_t>(node.file)].content.Items().size());
}

std::string LsyTree::Text(TreeNode node) const {
    if (!Contains(node)) return {};
    const LsyTreeFile& file = m_files[static_cast<size_t>(node.file)];
    if (node.IsFile()) return fs::path(file.content.Name()).filename().string();
    const tLsyFile::Item& item = file.content.Items()[static_cast<size_t>(node.item)];
    return item.IsNode() ? item.Node().name : item.Line();
}

const tVLSystem* LsyTree::System(TreeNode node) const {
    if (!Contains(node) || node.IsFile()) return nullptr;
    const tLsyFile::Item& item = m_files[static_cast<size_t>(node.file)].content.Items()[static_cast<size_t>(node.item)];
    return item.IsNode() ? &item.Node() : nullptr;
}

bool LsyTree::FileExists(TreeNode node) const {
    if (!Contains(node)) return false;
    const std::string& path = m_files[static_cast<size_t>(node.file)].path;
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

std::vector<TreeNode> LsyTree::Order() const {
    std::vector<TreeNode> order;
    for (int f = 0; f < FileCount(); ++f) {
        order.push_back({f, -1});
        const int items = static_cast<int>(m_files[static_cast<size_t>(f)].content.Items().size());
        for (int i = 0; i < items; ++i) order.push_back({f, i});
    }
    return order;
}

std::optional<TreeNode> LsyTree::NeighbourSystem(TreeNode after, int step) const {
    const std::vector<TreeNode> order = Order();
    const auto at = std::find(order.begin(), order.end(), after);
    int position = at == order.end() ? (step > 0 ? -1 : static_cast<int>(order.size())) : static_cast<int>(at - order.begin());
    for (position += step; position >= 0 && position < static_cast<int>(order.size()); position += step)
        if (System(order[static_cast<size_t>(position)])) return order[static_cast<size_t>(position)];
    return std::nullopt;
}

std::optional<TreeNode> LsyTree::Search(std::string_view text, TreeNode after) const {
    const std::string wanted = Lower(Trimmed(text));
    if (wanted.empty()) return std::nullopt;
    const std::vector<TreeNode> order = Order();
    if (order.empty()) return std::nullopt;
    const auto at = std::find(order.begin(), order.end(), after);
    const size_t start = at == order.end() ? 0 : static_cast<size_t>(at - order.begin()) + 1;
    for (size_t k = 0; k < order.size(); ++k) {
        const TreeNode node = order[(start + k) % order.size()];
        if ((node.IsFile() || System(node)) && Lower(Text(node)).find(wanted) != std::string::npos) return node;
    }
    return std::nullopt;
}

std::optional<TreeNode> LsyTree::FirstSystem(int file) const {
    std::optional<TreeNode> node = NeighbourSystem({file, -1}, +1);
    if (node && node->file == file) return node;
    return std::nullopt;
}

}  // namespace pax
