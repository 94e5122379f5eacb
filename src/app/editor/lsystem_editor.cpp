#include "app/editor/lsystem_editor.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "lsystem/interpreter.h"
#include "lsystem/library/library.h"
#include "lsystem/vl_system.h"
#include "system/error_reporting.h"
#include "system/presenter.h"
#include "system/settings.h"
#include "system/shell.h"
#include "system/user_folders.h"

namespace pax {
namespace {

std::string Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool IsLibraryCategory(std::string_view name) {
    const auto& library = BuiltInLibrary();
    return std::any_of(library.begin(), library.end(), [name](const tLSCategory& c) { return c.name == name; });
}

}  // namespace

bool IsWebLink(std::string_view text) {
    std::string lower;
    for (char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (std::string_view scheme : {"http://", "https://"}) {
        if (!lower.starts_with(scheme)) continue;
        const std::string_view host = std::string_view(lower).substr(scheme.size());
        return !host.empty() && host.front() != '/';
    }
    return false;
}

LSystemEditor::LSystemEditor(Studio& studio) : m_studio(studio), m_openLink(OpenDocument) {
    std::vector<const tLSDef*> definitions;
    for (const auto& def : studio.Interpreter().Definitions()) definitions.push_back(def.get());
    m_tree.AddBuiltInFiles(definitions);
    Get();
}

// --- the "select" page ---------------------------------------------------------------------

void LSystemEditor::Select(TreeNode node) {
    if (m_tree.Contains(node)) m_selection = node;
}

bool LSystemEditor::CanLoadAgain() const { return m_selection && m_tree.FileExists(*m_selection); }
bool LSystemEditor::CanView() const { return m_selection && m_tree.System(*m_selection); }
bool LSystemEditor::CanSaveFile() const { return m_selection.has_value(); }

std::optional<int> LSystemEditor::SelectedFile() const {
    if (!m_selection) return std::nullopt;
    return m_selection->file;
}

bool LSystemEditor::View() { return m_selection && ViewNode(*m_selection); }

bool LSystemEditor::ViewNode(TreeNode node) {
    const tVLSystem* system = m_tree.System(node);
    if (!system) return false;
    tTarnsInterpreter& interpreter = m_studio.Interpreter();
    if (!interpreter.SetVLSystem(*system)) return false;
    m_viewedFile = m_tree.Text({node.file, -1});
    m_viewedSystem = system->name;
    Redraw();
    return true;
}

bool LSystemEditor::ViewNeighbour(int step) {
    std::optional<TreeNode> next = m_tree.NeighbourSystem(m_selection.value_or(TreeNode{}), step < 0 ? -1 : +1);
    if (!next) return false;
    m_selection = next;
    return ViewNode(*next);
}

bool LSystemEditor::DeleteSelectedFile() {
    if (!m_selection || !m_selection->IsFile()) return false;
    m_tree.RemoveFile(m_selection->file);
    m_selection.reset();
    return true;
}

bool LSystemEditor::LoadFile(const std::string& path) {
    // The selection may point into the file that is replaced: it moves to the file node.
    std::optional<int> file = m_tree.Load(path);
    if (!file) return false;
    m_selection = TreeNode{*file, -1};
    return true;
}

bool LSystemEditor::LoadAgain() {
    if (!CanLoadAgain()) return false;
    return LoadFile(m_tree.Files()[static_cast<size_t>(m_selection->file)].path);
}

bool LSystemEditor::SaveFile(const std::string& path) {
    std::optional<int> file = SelectedFile();
    return file && m_tree.Save(*file, path);
}

std::string LSystemEditor::SaveFileProposal() const {
    if (!m_selection) return {};
    return m_tree.Text(*m_selection);
}

bool LSystemEditor::Edit() {
    const tVLSystem* system = m_selection ? m_tree.System(*m_selection) : nullptr;
    if (!system) return false;
    m_fields.Fill(*system);
    m_page = EditorPage::Edit;
    FieldsChanged();
    return true;
}

bool LSystemEditor::Search(std::string_view text) {
    if (Trimmed(text).empty()) return false;
    std::optional<TreeNode> found = m_tree.Search(text, m_selection.value_or(TreeNode{}));
    if (!found) {
        std::string message(1, '"');
        message.append(Trimmed(text)).append("\" not found");
        ShowInfo(Caption, message);
        return false;
    }
    m_selection = found;
    return true;
}

bool LSystemEditor::OpenFile(const std::string& path) {
    if (!LoadFile(path)) return false;
    std::optional<TreeNode> first = m_tree.FirstSystem(m_selection->file);
    if (!first) return true;
    m_selection = first;
    return ViewNode(*first);
}

// --- the "edit" page ------------------------------------------------------------------------

void LSystemEditor::FieldsChanged() {
    m_fieldsUsed = true;
    m_valid = m_fields.Valid();
    if (m_valid && m_autoRedraw) Set();
}

void LSystemEditor::SetAutoRedraw(bool on) {
    m_autoRedraw = on;
    FieldsChanged();
}

void LSystemEditor::Get() {
    m_fields.Fill(m_studio.Interpreter().System());
    m_fields.SetObjects(m_studio.Interpreter().PlantCount());
    m_valid = m_fields.Valid();
}

void LSystemEditor::GetUnlessEdited() {
    if (!m_fieldsUsed) Get();
}

bool LSystemEditor::Set() {
    std::optional<tLSDef> def = m_fields.Definition();
    if (!def) return false;
    tTarnsInterpreter& interpreter = m_studio.Interpreter();
    interpreter.SetPlantCount(m_fields.Objects);
    if (!interpreter.SetLSDef(*def)) return false;
    m_viewedFile = "edit";
    m_viewedSystem = interpreter.System().name;
    Redraw();
    return true;
}

std::string LSystemEditor::SaveSystemProposal() const { return "LS_" + Trimmed(m_fields.Name) + ".LSY"; }

bool LSystemEditor::SaveSystem(const std::string& path) {
    if (!m_valid || path.empty()) return false;
    return m_studio.Interpreter().SaveLSystem(path);
}

bool LSystemEditor::Copy() {
    std::optional<tLSDef> def = m_fields.Definition();
    if (!def) return false;
    CurrentPresenter().SetClipboardText(VLSystemText(ToVLSystem(ToLSystem(*def)), 0));
    return true;
}

bool LSystemEditor::OpenLink() {
    const std::string link = Trimmed(m_studio.Interpreter().System().link);
    if (link.empty()) return false;
    if (!IsWebLink(link)) {
        ShowInfo(Caption, "only web addresses (http:// or https://) are opened; not opened:\n" + link);
        return false;
    }
    return m_openLink(link);
}

bool LSystemEditor::OpenAboutLink() { return m_openLink(AboutLink); }

void LSystemEditor::Randomize() {
    tTarnsInterpreter& interpreter = m_studio.Interpreter();
    // Not the program's generator: every drawing reseeds that one, so it would give the same
    // "random" seed again and again.
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<uint32_t> seeds(0, MaxSeed - 1);
    uint32_t seed = seeds(generator);
    while (seed == interpreter.Seed()) seed = seeds(generator);
    interpreter.SetSeed(seed);
    Redraw();
}

bool LSystemEditor::CanOpenLink() const { return !m_studio.Interpreter().System().link.empty(); }
bool LSystemEditor::CanRandomize() const { return m_studio.Interpreter().Stochastic(); }

void LSystemEditor::Redraw() {
    MainState& state = m_studio.State();
    const bool shown = m_studio.Activated() && state.ShownDemo && IsLibraryCategory(state.ShownDemo->Name);
    if (!shown) {
        // The first activation and showing a library figure select a figure of their own:
        // the chosen system comes back after them.
        tTarnsInterpreter& interpreter = m_studio.Interpreter();
        const tVLSystem chosen = ToVLSystem(interpreter.System());
        const int plants = interpreter.PlantCount();
        m_studio.Activate();
        const DemoCatalogue& catalogue = m_studio.Catalogue();
        if (!state.ShownDemo || !IsLibraryCategory(state.ShownDemo->Name)) {
            for (int32_t d = 0; d < catalogue.DemoCount(); ++d) {
                if (!IsLibraryCategory(catalogue.Demo(d).Name)) continue;
                m_studio.Player().ShowDemo(d, 0);
                break;
            }
        }
        interpreter.SetPlantCount(plants);
        interpreter.SetVLSystem(chosen);
    }
    // The caption names the system drawn; the next figure shown names its own again.
    state.FigureTitle = m_studio.Interpreter().System().name;
    state.UpdateCaption();
    state.RestartDemo();
}

// --- the "result" page ----------------------------------------------------------------------

void LSystemEditor::SetShowResult(bool on) {
    m_studio.Interpreter().SetShowResult(on);
    Redraw();
}

bool LSystemEditor::ShowResult() const { return m_studio.Interpreter().ShowResult(); }

// --- the window -----------------------------------------------------------------------------

EditorPlace LSystemEditor::RestorePlace(int screenWidth, int screenHeight) const {
    const tConfigValues& values = ConfigValues();
    EditorPlace place{values.LSystemWindow.Left, values.LSystemWindow.Top, values.LSystemWidth, values.LSystemHeight};
    place.Width = std::max(MinWidth, std::min(place.Width, std::max(MinWidth, screenWidth)));
    place.Height = std::max(MinHeight, std::min(place.Height, std::max(MinHeight, screenHeight)));
    return place;
}

void LSystemEditor::StorePlace(const EditorPlace& place) {
    tConfigValues& values = ConfigValues();
    values.LSystemWindow = {place.Left, place.Top};
    values.LSystemWidth = place.Width;
    values.LSystemHeight = place.Height;
}

bool LSystemEditor::Close() {
    if (!m_valid) return false;
    return m_studio.Interpreter().SaveLSystem(WorkFilePath());
}

std::string LSystemEditor::WorkFilePath() { return StateFilePath(WorkFileName); }

}  // namespace pax
