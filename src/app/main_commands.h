#pragma once
// MainCommands: what the main window's keys and mouse on the picture do, in the engine's own
// terms (virtual-key codes, the modifier set, picture pixels), so that it runs without a
// display. The widgets translate their toolkit's events and forward them here; the commands go
// to the Studio's player, picture loop and state, and what needs widgets (closing, the tool
// windows) goes through the main callbacks and the window openers.
//
// Two hooks let the tool windows and later commands join without editing the key table:
//     commands.SetWindowOpener(AppWindow::Options, [&dialog] { dialog.show(); });
//     commands.Bind(VirtualKey::F(6), {}, [&] { ChangeFont(+1); });
// The keys of the tool windows (F2, Ctrl+F2 .. Ctrl+F4, F10, Ctrl+F8, Alt+F2) are bound
// already and open what was registered; without an opener they do nothing.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scene/eye_motion.h"

namespace pax {

class Studio;

// The tool windows the main window opens by key and menu.
enum class AppWindow {
    Options,             // F2, Ctrl+F2, Shift+F8, "Options ..."
    OptionsBackground,   // Alt+F2, the background menu's "Options...": the options on their background page
    Navigation,          // Ctrl+F3
    AnimationValues,     // Ctrl+F4
    About,               // F10
    Editor,              // Ctrl+F8, the L-system editor
    Textures,            // the textures window
    Count
};

class MainCommands {
public:
    using Command = std::function<void()>;

    static constexpr const char* MoveHint = "Eye Mode = Move";
    static constexpr const char* WheelHint = "mouse wheel up/down: figure selection";

    explicit MainCommands(Studio& studio);
    MainCommands(const MainCommands&) = delete;
    MainCommands& operator=(const MainCommands&) = delete;

    // --- hooks ---------------------------------------------------------------------------------
    // What opens a tool window; an empty command removes it.
    void SetWindowOpener(AppWindow window, Command open);
    // Opens the window through its opener; returns whether one was registered.
    bool OpenWindow(AppWindow window);
    // An extra key command, taken before the built-in table for exactly this key and
    // modifier set. A later binding of the same key replaces an earlier one; an empty
    // command removes it.
    void Bind(int key, TShiftState shift, Command command);
    // What the wheel does with the left button held: the texture by the wheel's sign.
    void OnTextureWheel(std::function<void(int)> change) { m_textureWheel = std::move(change); }

    // --- keys and mouse ------------------------------------------------------------------------
    // The key recorded for the next picture, then the key commands, then those of the
    // characters for a key the first did not take; any other key is left to the next
    // picture's eye motion. With Alt the eye moves at once as well.
    void KeyDown(int key, TShiftState shift);
    void KeyUp(int key, TShiftState shift);

    // button: MouseButton::Left, Right or Middle; x, y in picture pixels.
    void MouseDown(uint8_t button, int x, int y, TShiftState shift);
    void MouseMove(int x, int y, TShiftState shift);
    void MouseUp(TShiftState shift);
    // sign: +1 a turn away from the user, -1 towards.
    void Wheel(int sign, TShiftState shift);
    // Shift: the eye rolls back to horizontal; Alt: it turns around; none: EditReset.
    void DoubleClick(TShiftState shift);

    // The dragon, the ghost, the eye and both turtles reset; the ghost prepared for the
    // basic animation; with Shift the top view, with Alt the right view; a fresh picture.
    void EditReset(TShiftState shift);

    // The first status panel: the modifiers held, else the demo and figure shown ("3/12").
    std::string StateText(TShiftState shift) const;

private:
    struct Binding {
        int Key;
        TShiftState Shift;
        Command Run;
    };

    bool BoundCommand(int key, TShiftState shift);
    bool KeyCommand(int key, TShiftState shift);
    bool CharacterCommand(int key, TShiftState shift);
    bool CtrlAltCommand(int key);
    void ShowEyeData();

    Studio& m_studio;
    std::array<Command, static_cast<size_t>(AppWindow::Count)> m_openers;
    std::vector<Binding> m_bindings;
    std::function<void(int)> m_textureWheel;
};

}  // namespace pax
