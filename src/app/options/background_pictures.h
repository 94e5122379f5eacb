#pragma once
// BackgroundPictures: the options' background pictures. It loads a picture file as the
// background (LoadBackgroundFile), keeps the loaded picture, walks the picture list of the
// settings (the combo box, previous, next, remove, the open dialog's choice) and knows the
// background type the preview shows: colour, texture, picture or panorama.
//
// Rebuilding the surface each picture copies from, clearing the background and selecting a
// texture belong to the main window's commands; they are reached through BackgroundCommands,
// whose default does the plain version of each, so the options work on their own.

#include <functional>
#include <string>
#include <string_view>

#include "foundation/color32.h"
#include "render/surface/bitmap32.h"

namespace pax {

class Studio;
struct tBackground;

enum class BackgroundType { Colour = 0, Texture = 1, Picture = 2, Panorama = 3 };

// What the background's commands of the main window do for the options.
class BackgroundCommands {
public:
    virtual ~BackgroundCommands() = default;
    // ClearBackground: the picture and the z-buffer cleared, switch 10 off, the colour stored.
    virtual void ClearBackground(TColor32 colour);
    // UpdateBackground: the surface each picture copies from, rebuilt from the loaded picture.
    virtual void UpdateBackground(const TBitmap32& loaded, bool tiles);
    // The texture "Tile Number" as the loaded picture.
    virtual void SelectTexture(int& tileNumber, TBitmap32& loaded);

    Studio* Owner = nullptr;
};

// The plain rebuild: tiled from (0, 0) with the picture's size as tile; a panorama (at least
// twice as wide as high) scaled to the window picture's height on a surface at least twice
// its width; any other picture stretched to the window picture's size.
void RebuildBackground(const TBitmap32& loaded, bool tiles, int pictureWidth, int pictureHeight,
                       tBackground& background);

class BackgroundPictures {
public:
    static constexpr const char* MissingCaption = "Unit PaxUtils:  LoadBackgroundFile";
    static constexpr const char* PicsFolder = "pics";

    explicit BackgroundPictures(Studio& studio);

    // Replaces the background commands (nullptr: the defaults). Not owned.
    void SetCommands(BackgroundCommands* commands);
    // Called after every change of the background, so the dialog shows it.
    void OnChange(std::function<void()> changed) { m_changed = std::move(changed); }

    // Nothing for an empty name; a missing file is told (ShowInfo) and changes nothing.
    // Otherwise the picture is loaded: a damaged or unreadable file is told by the loader and
    // keeps the old background; a picture turns the background picture on and makes the type
    // picture, or panorama when it is more than twice as wide as high. Returns whether a
    // picture was loaded.
    bool LoadBackgroundFile(const std::string& name);
    // A picture made or pasted becomes the background: switches 9 and 10 on, the surface
    // rebuilt. An empty picture changes nothing.
    void TakePicture(TBitmap32 picture);
    const TBitmap32& Loaded() const { return m_loaded; }
    // The copied background rebuilt from the loaded picture (the tiles switch changed).
    void Rebuild();

    BackgroundType Type() const { return m_type; }
    // "use background color", "use background texture", "use background picture",
    // "use panorama picture".
    static std::string_view TypeHint(BackgroundType type);
    // The preview's click: colour clears to the stored colour with refresh on; texture selects
    // the stored tile with switch 8 off and 9, 10, 12 on and no used picture; picture and
    // panorama load the used picture.
    void ChooseType(BackgroundType type);

    // The picture list: entry index loaded and used (the combo box and its Return key).
    void SelectPicture(int index);
    // A name typed into the combo box and Return: loaded, and added to the list.
    void LoadTyped(const std::string& name);
    void Previous() { Step(-1); }
    void Next() { Step(+1); }
    // The entry shown in the combo box leaves the list.
    void RemoveSelected();
    // The open dialog's choice: stored relative to the current folder when below it, loaded
    // and added to the list.
    void OpenChosen(const std::string& file);
    // Where the open dialog starts: the program's "pics" folder when it exists, else empty.
    static std::string OpenFolder();

private:
    void Step(int delta);
    // The background changed: rebuilt, the dialog told, a new picture.
    void Changed();
    // Only the list changed.
    void Listed();

    Studio& m_studio;
    BackgroundCommands m_defaultCommands;
    BackgroundCommands* m_commands = &m_defaultCommands;
    TBitmap32 m_loaded;
    BackgroundType m_type = BackgroundType::Colour;
    std::function<void()> m_changed;
};

// Saved pictures: the name proposed ("Images/Pax_0001.JPG", the next free one), and the
// name with the extension of the save dialog's type list (0 ".png", 1 ".jpg", 2 ".bmp";
// another index keeps the name). There is no icon type: the picture files cannot write one.
std::string ProposedPictureName();
std::string WithPictureType(std::string_view name, int typeIndex);

}  // namespace pax
