#include "app/options/background_pictures.h"

#include <algorithm>
#include <filesystem>

#include "app/config/configuration.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "render/files/picture_io.h"
#include "render/textures/textures.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "system/error_reporting.h"
#include "system/file_utils.h"
#include "system/settings.h"
#include "system/user_folders.h"

namespace pax {

namespace fs = std::filesystem;

void BackgroundCommands::ClearBackground(TColor32 colour) {
    if (!Owner) return;
    Stage& stage = Owner->GetStage();
    stage.DrawingSurface().Clear(colour | 0xFF000000u);
    stage.ZBuffer().Clear();
    SetSwitch(Switch::BackgroundPicture, false);
    ConfigValues().BackgroundColor = colour;
}

void BackgroundCommands::UpdateBackground(const TBitmap32& loaded, bool tiles) {
    if (!Owner) return;
    const TBitmap32& picture = Owner->Picture();
    RebuildBackground(loaded, tiles, picture.Width(), picture.Height(), Owner->Pictures().Background());
}

void BackgroundCommands::SelectTexture(int& tileNumber, TBitmap32& loaded) {
    (void)tileNumber;
    if (const TTextureRef texture = CurrentTexture()) loaded.Assign(*texture);
}

void RebuildBackground(const TBitmap32& loaded, bool tiles, int pictureWidth, int pictureHeight,
                       tBackground& background) {
    TBitmap32& surface = background.Picture;
    if (loaded.Empty() || pictureWidth <= 0 || pictureHeight <= 0) {
        surface.SetSize(0, 0);
        background.TileWidth = background.TileHeight = 0;
        return;
    }
    if (tiles) {
        // Scrolling starts one tile in, so the surface holds a picture and two tiles each way.
        background.TileWidth = loaded.Width();
        background.TileHeight = loaded.Height();
        surface.SetSize(pictureWidth + 2 * loaded.Width(), pictureHeight + 2 * loaded.Height());
        TileTexture(0, 0, loaded, surface);
        return;
    }
    if (loaded.Width() >= 2 * loaded.Height()) {
        const int64_t width = static_cast<int64_t>(loaded.Width()) * pictureHeight / loaded.Height();
        background.TileWidth = static_cast<int32_t>(std::clamp<int64_t>(width, 1, 1 << 15));
        background.TileHeight = pictureHeight;
        // The panorama turns with the eye: a window-wide part from any start fits.
        surface.SetSize(std::max(2 * background.TileWidth, background.TileWidth + pictureWidth), pictureHeight);
        loaded.StretchTo(surface, {0, 0, background.TileWidth, background.TileHeight});
        loaded.StretchTo(surface, {background.TileWidth, 0, 2 * background.TileWidth, background.TileHeight});
        return;
    }
    background.TileWidth = pictureWidth;
    background.TileHeight = pictureHeight;
    surface.SetSize(pictureWidth, pictureHeight);
    loaded.StretchTo(surface, {0, 0, pictureWidth, pictureHeight});
}

BackgroundPictures::BackgroundPictures(Studio& studio) : m_studio(studio) {
    m_defaultCommands.Owner = &studio;
    const tConfigValues& v = ConfigValues();
    if (Switches()[Switch::BackgroundPicture])
        m_type = v.UsedPicture.empty() ? BackgroundType::Texture : BackgroundType::Picture;
}

void BackgroundPictures::SetCommands(BackgroundCommands* commands) {
    m_commands = commands ? commands : &m_defaultCommands;
}

void BackgroundPictures::Rebuild() { m_commands->UpdateBackground(m_loaded, Switches()[Switch::TilesBackground]); }

void BackgroundPictures::Changed() {
    Rebuild();
    m_studio.State().Callbacks().RefreshOptions();
    m_studio.State().RestartDemo();
    if (m_changed) m_changed();
}

bool BackgroundPictures::LoadBackgroundFile(const std::string& name) {
    if (name.empty()) return false;
    if (!FileExists(name)) {
        ShowInfo(MissingCaption, "file '" + name + "' do not exist\r\n");
        return false;
    }
    // Into a picture of its own: a file that cannot be read keeps the old background.
    TBitmap32 picture;
    if (!LoadPicture(picture, name) || picture.Empty()) return false;
    m_loaded = std::move(picture);
    SetSwitch(Switch::BackgroundPicture, true);
    m_type = m_loaded.Width() > 2 * m_loaded.Height() ? BackgroundType::Panorama : BackgroundType::Picture;
    Changed();
    return true;
}

void BackgroundPictures::TakePicture(TBitmap32 picture) {
    if (picture.Empty()) return;
    m_loaded = std::move(picture);
    SetSwitch(Switch::RefreshBackground, true);
    SetSwitch(Switch::BackgroundPicture, true);
    m_type = m_loaded.Width() > 2 * m_loaded.Height() ? BackgroundType::Panorama : BackgroundType::Picture;
    Changed();
}

std::string_view BackgroundPictures::TypeHint(BackgroundType type) {
    switch (type) {
    case BackgroundType::Colour: return "use background color";
    case BackgroundType::Texture: return "use background texture";
    case BackgroundType::Picture: return "use background picture";
    case BackgroundType::Panorama: return "use panorama picture";
    }
    return {};
}

void BackgroundPictures::ChooseType(BackgroundType type) {
    tConfigValues& v = ConfigValues();
    switch (type) {
    case BackgroundType::Colour:
        m_type = type;
        SetSwitch(Switch::RefreshBackground, true);
        m_commands->ClearBackground(v.BackgroundColor);
        Changed();
        return;
    case BackgroundType::Texture:
        m_type = type;
        m_commands->SelectTexture(v.TileNumber, m_loaded);
        SetSwitch(Switch::ShowPicture, false);
        for (int s : {Switch::RefreshBackground, Switch::BackgroundPicture, Switch::TilesBackground}) SetSwitch(s, true);
        v.UsedPicture.clear();
        Changed();
        return;
    case BackgroundType::Picture:
    case BackgroundType::Panorama: LoadBackgroundFile(v.UsedPicture); return;
    }
}

void BackgroundPictures::SelectPicture(int index) {
    tConfigValues& v = ConfigValues();
    if (index < 0 || static_cast<size_t>(index) >= v.PictureList.size()) return;
    v.UsedPictureIndex = index;
    v.UsedPicture = v.PictureList[static_cast<size_t>(index)];
    LoadBackgroundFile(v.UsedPicture);
}

void BackgroundPictures::LoadTyped(const std::string& name) {
    if (name.empty() || !LoadBackgroundFile(name)) return;
    AddPicture(ConfigValues(), name);
    Listed();
}

void BackgroundPictures::Step(int delta) {
    const tConfigValues& v = ConfigValues();
    const int count = static_cast<int>(v.PictureList.size());
    if (count == 0) return;
    // From a used picture outside the list, Next starts at the first entry.
    const int from = v.UsedPictureIndex < 0 ? (delta > 0 ? -1 : 0) : v.UsedPictureIndex;
    SelectPicture(((from + delta) % count + count) % count);
}

void BackgroundPictures::RemoveSelected() {
    tConfigValues& v = ConfigValues();
    if (v.UsedPictureIndex < 0 || static_cast<size_t>(v.UsedPictureIndex) >= v.PictureList.size()) return;
    DeletePicture(v, v.UsedPictureIndex);
    Listed();
}

void BackgroundPictures::Listed() {
    m_studio.State().Callbacks().RefreshOptions();
    if (m_changed) m_changed();
}

void BackgroundPictures::OpenChosen(const std::string& file) {
    if (file.empty()) return;
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error);
    const fs::path current = fs::current_path(error);
    std::string name = file;
    if (!error) {
        const fs::path relative = absolute.lexically_relative(current);
        if (!relative.empty() && *relative.begin() != "..") name = relative.generic_string();
    }
    if (LoadBackgroundFile(name)) {
        AddPicture(ConfigValues(), name);
        Listed();
    }
    RestoreStartDirectory();
}

std::string BackgroundPictures::OpenFolder() {
    const std::string folder = DataFilePath(PicsFolder);
    std::error_code error;
    return fs::is_directory(folder, error) ? folder : std::string();
}

std::string ProposedPictureName() { return NextPictureName(".JPG"); }

std::string WithPictureType(std::string_view name, int typeIndex) {
    static constexpr std::string_view Extensions[] = {".png", ".jpg", ".bmp"};
    if (typeIndex < 0 || typeIndex >= 3) return std::string(name);
    return fs::path(name).replace_extension(Extensions[typeIndex]).string();
}

}  // namespace pax
