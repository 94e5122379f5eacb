#pragma once
// LSystemEditor: what the "Lindenmayer Systems" window does, without its widgets. It keeps
// the file tree and its selection, the edit page's fields and their validity, and acts on the
// program's one interpreter: View and Set select a system and ask the main window for a
// fresh picture, "Save..." writes the system last set or viewed, closing keeps it in
// "work.LSY". The window shows what it reads here after every command and asks the user
// for file names itself.
//
//     LSystemEditor editor(studio);
//     editor.Select(*editor.Tree().FirstSystem(0));
//     editor.View();                        // the main window draws KochSnowflake-2
//     editor.Edit();                        // its fields on the "edit" page
//     editor.Fields().Angle.SetText("45");  // then editor.FieldsChanged()

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/editor/edit_fields.h"
#include "app/editor/lsy_tree.h"

namespace pax {

class Studio;

enum class EditorPage { Select, Edit, Result, Rules, Syntax, About };

// The window's place on the screen, as the configuration keeps it.
struct EditorPlace {
    int Left = 488, Top = 0, Width = 540, Height = 360;
    bool operator==(const EditorPlace&) const = default;
};

class LSystemEditor {
public:
    static constexpr const char* Caption = "Lindenmayer Systems";
    static constexpr const char* WorkFileName = "work.LSY";
    static constexpr const char* AboutLink = "https://en.wikipedia.org/wiki/L-system";
    static constexpr int MinWidth = 160, MinHeight = 120;
    static constexpr int ResetWidth = 540, ResetHeight = 360;
    static constexpr int32_t MaxSeed = 2147483647;   // seeds are drawn from 0 .. MaxSeed - 1

    // Builds the built-in tree and fills the fields from the interpreter's system. The studio
    // must outlive the editor.
    explicit LSystemEditor(Studio& studio);

    const LsyTree& Tree() const { return m_tree; }
    EditFields& Fields() { return m_fields; }
    const EditFields& Fields() const { return m_fields; }
    EditorPage Page() const { return m_page; }
    void SetPage(EditorPage page) { m_page = page; }

    // --- the "select" page ---------------------------------------------------------------------
    // nullopt when nothing is selected.
    std::optional<TreeNode> Selection() const { return m_selection; }
    void Select(TreeNode node);
    bool CanLoadAgain() const;            // the selected node's file exists
    bool CanView() const;                 // a system is selected
    bool CanSaveFile() const;             // a node is selected
    // The selected node's file node.
    std::optional<int> SelectedFile() const;
    // The file and the system viewed last, as the page shows them ("edit" for a system Set).
    const std::string& ViewedFile() const { return m_viewedFile; }
    const std::string& ViewedSystem() const { return m_viewedSystem; }

    // The selected system into the interpreter; the main window redraws with it.
    bool View();
    // The system above or below the selected one (step -1 or +1), selected and viewed.
    bool ViewNeighbour(int step);
    // Backspace: a selected file node leaves the tree.
    bool DeleteSelectedFile();
    // Loads path into the tree and selects its file node.
    bool LoadFile(const std::string& path);
    bool LoadAgain();
    // The selected node's file node into path.
    bool SaveFile(const std::string& path);
    // The name the save dialog offers: the selected node's text.
    std::string SaveFileProposal() const;
    // The selected system's fields on the "edit" page.
    bool Edit();
    // The next match of text after the selection, selected; a box says when there is none
    // (an empty text searches nothing).
    bool Search(std::string_view text);
    // A file given to the program (command line, drop): loaded, its first system viewed.
    bool OpenFile(const std::string& path);

    // --- the "edit" page ----------------------------------------------------------------------
    // After any change of a field: validity again; when valid and auto redraw is on, Set.
    void FieldsChanged();
    bool Valid() const { return m_valid; }
    // The state field: "+" green when valid, "-" red when not.
    std::string StateText() const { return m_valid ? "+" : "-"; }
    bool AutoRedraw() const { return m_autoRedraw; }
    void SetAutoRedraw(bool on);
    // The fields of the interpreter's system.
    void Get();
    // Get, unless the fields were changed or filled since the editor was made: the window
    // shows the system being drawn when it is first opened, not the start definition it
    // found when it was created.
    void GetUnlessEdited();
    // The fields' system into the interpreter, when valid.
    bool Set();
    // "LS_" + the trimmed name + ".LSY".
    std::string SaveSystemProposal() const;
    // When valid: the interpreter's system (the one last set or viewed) into path.
    bool SaveSystem(const std::string& path);
    // The fields' system as node text on the clipboard.
    bool Copy();
    // Of the system being drawn: it has a link; it is stochastic.
    bool CanOpenLink() const;
    bool CanRandomize() const;
    // Opens the current system's link when it is a web address; anything else is refused.
    bool OpenLink();
    bool OpenAboutLink();
    // A new random seed for the drawings; the main window redraws.
    void Randomize();

    // --- the "result" page --------------------------------------------------------------------
    void SetShowResult(bool on);
    bool ShowResult() const;

    // --- the window ---------------------------------------------------------------------------
    // From the configuration: width and height at least MinWidth x MinHeight and at most the
    // screen.
    EditorPlace RestorePlace(int screenWidth, int screenHeight) const;
    void StorePlace(const EditorPlace& place);
    // With valid fields the interpreter's system is written to "work.LSY" in the state
    // folder; invalid fields leave the file alone. Returns whether it was written.
    bool Close();
    // Where Close writes.
    static std::string WorkFilePath();

    // What opens a web link (the desktop's default handler unless a test puts its own).
    void SetLinkOpener(std::function<bool(const std::string&)> opener) { m_openLink = std::move(opener); }

private:
    bool ViewNode(TreeNode node);
    // The main window draws the selected system: an L-system figure is shown first when the
    // main window shows something else.
    void Redraw();

    Studio& m_studio;
    LsyTree m_tree;
    EditFields m_fields;
    EditorPage m_page = EditorPage::Select;
    std::optional<TreeNode> m_selection;
    std::string m_viewedFile;
    std::string m_viewedSystem;
    bool m_valid = false;
    bool m_autoRedraw = false;
    bool m_fieldsUsed = false;   // changed, or filled by Edit, since the editor was made
    std::function<bool(const std::string&)> m_openLink;
};

// Whether text is an http:// or https:// address with a host: the only links the editor
// hands to the desktop. Blanks and control characters are refused.
bool IsWebLink(std::string_view text);

}  // namespace pax
