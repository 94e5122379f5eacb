#include "app/main_commands.h"

#include <algorithm>
#include <utility>

#include "app/basic_animations.h"
#include "app/demo_player.h"
#include "app/font_commands.h"
#include "app/main_state.h"
#include "app/options/option_form.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "app/virtual_key.h"
#include "render/fonts/font3d.h"
#include "render/windows/stage.h"
#include "scene/eye3d.h"
#include "scene/pax3d.h"
#include "system/settings.h"
#include "system/sound.h"
#include "system/stop_request.h"

namespace pax {

namespace {

using VirtualKey::F;

const TShiftState None;
const TShiftState ShiftOnly = ShiftFlag::Shift;
const TShiftState CtrlOnly = ShiftFlag::Ctrl;
const TShiftState AltOnly = ShiftFlag::Alt;
const TShiftState CtrlAlt = ShiftFlag::Ctrl | ShiftFlag::Alt;
// The light shading of circle parts.
constexpr int CircleShadingSwitch = 31;
constexpr int OpacityStep = 8;

}  // namespace

MainCommands::MainCommands(Studio& studio) : m_studio(studio) {}

// --- hooks ---------------------------------------------------------------------------------------

void MainCommands::SetWindowOpener(AppWindow window, Command open) {
    m_openers[static_cast<size_t>(window)] = std::move(open);
}

bool MainCommands::OpenWindow(AppWindow window) {
    const Command& open = m_openers[static_cast<size_t>(window)];
    if (!open) return false;
    open();
    return true;
}

void MainCommands::Bind(int key, TShiftState shift, Command command) {
    std::erase_if(m_bindings, [&](const Binding& b) { return b.Key == key && b.Shift == shift; });
    if (command) m_bindings.push_back({key, shift, std::move(command)});
}

bool MainCommands::BoundCommand(int key, TShiftState shift) {
    for (const Binding& b : m_bindings) {
        if (b.Key != key || b.Shift != shift) continue;
        // A copy: the command may bind keys itself.
        const Command run = b.Run;
        run();
        return true;
    }
    return false;
}

std::string MainCommands::StateText(TShiftState shift) const {
    if (!shift.Empty()) return ModifierText(shift);
    return m_studio.State().FigureString();
}

// --- keys ----------------------------------------------------------------------------------------

void MainCommands::KeyDown(int key, TShiftState shift) {
    MainState& state = m_studio.State();
    PictureInput& input = state.Input;
    input.LastKey = static_cast<uint16_t>(key);
    input.LastShift = shift;
    input.PressedKeys[static_cast<size_t>(key & 0xFF)] = true;
    input.KeyNotHandled = false;
    state.Callbacks().ShowStatus1(StateText(shift), MainState::StatusTextColor);

    const bool command = BoundCommand(key, shift) || KeyCommand(key, shift);
    const bool character = !command && CharacterCommand(key, shift);
    if (!command && !character) input.KeyNotHandled = true;
    if (shift.Has(ShiftFlag::Alt)) KeyMotion(m_studio.GetStage().Eye(), state.EyeMotion, key, shift);
    state.WindowRefresh();
    if (character) state.RestartDemo();
}

void MainCommands::KeyUp(int key, TShiftState shift) {
    m_studio.State().Input.PressedKeys[static_cast<size_t>(key & 0xFF)] = false;
    m_studio.State().Callbacks().ShowStatus1(StateText(shift), MainState::StatusTextColor);
}

// The keys that act on their own, by the modifiers held.
bool MainCommands::KeyCommand(int key, TShiftState shift) {
    MainState& state = m_studio.State();
    DemoPlayer& player = m_studio.Player();
    PictureLoop& pictures = m_studio.Pictures();
    if (shift == None) {
        switch (key) {
        case VirtualKey::Escape:
        case F(11): state.Callbacks().CloseWindow(); return true;
        case F(1): player.SetFirstFigure(); return true;
        case F(2): OpenWindow(AppWindow::Options); return true;
        case F(10): OpenWindow(AppWindow::About); return true;
        case F(3): state.ChangeInfoMode(+1); return true;
        case F(4): state.ChangeSyncMode(+1); return true;
        case F(5): state.ChangeMotionMode(+1); return true;
        case F(6): ChangeFont(m_studio.GetStage().Font(), state, +1); return true;
        case F(8): pictures.SetPause(true); return true;
        case F(9): pictures.SetPause(false); return true;
        case VirtualKey::Pause: pictures.SetPause(state.Running()); return true;
        case VirtualKey::Backspace: player.ShowNextFigure(-1); return true;
        default: return false;
        }
    }
    if (shift == ShiftOnly) {
        switch (key) {
        case F(1): state.ToggleHelp(); return true;
        case F(3): state.ChangeInfoMode(-1); return true;
        case F(4): state.ChangeSyncMode(-1); return true;
        case F(5): state.ChangeMotionMode(-1); return true;
        case F(6): ChangeFont(m_studio.GetStage().Font(), state, -1); return true;
        case F(8): OpenWindow(AppWindow::Options); return true;
        case VirtualKey::Backspace: player.ShowNextDemo(-1); return true;
        case VirtualKey::Space: player.ShowNextDemo(+1); return true;
        default: return false;
        }
    }
    if (shift == CtrlOnly) {
        if (key >= '1' && key <= '9') {
            player.ShowDemo(key - '1', 0);
            return true;
        }
        switch (key) {
        case F(2): OpenWindow(AppWindow::Options); return true;
        case F(3): OpenWindow(AppWindow::Navigation); return true;
        case F(4): OpenWindow(AppWindow::AnimationValues); return true;
        case F(8): OpenWindow(AppWindow::Editor); return true;
        case VirtualKey::Backspace: player.ShowNextDemo(-1); return true;
        case VirtualKey::Enter: player.ShowNextDemo(+1); return true;
        case VirtualKey::Pause:
        case VirtualKey::Cancel:
            // Ctrl+Break: the picture being drawn ends; the loop goes on with the next.
            SoundBeep();
            RequestStop();
            return true;
        case VirtualKey::Space: player.ShowNextFigure(+1); return true;
        case 'N': player.Restart(); return true;
        default: return false;
        }
    }
    if (shift == AltOnly && key == F(2)) {
        OpenWindow(AppWindow::OptionsBackground);
        return true;
    }
    if (shift == CtrlAlt) return CtrlAltCommand(key);
    return false;
}

// Ctrl+Alt: the basic animations by digit, a drawing switch by letter, the fill opacity.
bool MainCommands::CtrlAltCommand(int key) {
    MainState& state = m_studio.State();
    struct LetterSwitch {
        char Letter;
        int Index;
    };
    static constexpr LetterSwitch Letters[] = {
        {'A', Switch::ShowAxis},        {'B', Switch::PolygonBorder},     {'C', Switch::ConvexObject},
        {'D', Switch::DoubleSidedPlanes}, {'E', Switch::RefreshBackground}, {'F', Switch::PolygonFilling},
        {'H', Switch::Highlights},      {'I', Switch::LightIsOn},         {'L', Switch::AntiAliasedLine},
        {'M', CircleShadingSwitch},     {'N', Switch::ShowNormals},       {'P', Switch::AntiAliasedPolygon},
        {'R', Switch::RainbowColors},   {'T', Switch::TilesBackground},   {'V', Switch::VertexNumbers},
        {'Y', Switch::ColorCycling},    {'Z', Switch::ZBuffer},
    };
    switch (key) {
    case F(1): state.ToggleHelp(); return true;
    case F(7): state.ChangeDelayTime(+10); return true;
    case F(8): state.ChangeDelayTime(-10); return true;
    case VirtualKey::Add:
    case VirtualKey::Subtract: {
        // Opacity up is transparency down.
        const int step = key == VirtualKey::Add ? -OpacityStep : OpacityStep;
        m_studio.Options().Change(OptionId::FillTransparency,
                                  std::clamp(ConfigValues().FillTransparency + step, 0, 255));
        return true;
    }
    default: break;
    }
    if (key >= '0' && key <= '6') {
        m_studio.Animations().SelectBasicAnimation(key - '0');
        return true;
    }
    for (const LetterSwitch& l : Letters) {
        if (l.Letter != key) continue;
        SetSwitch(l.Index, !Switches()[static_cast<size_t>(l.Index)]);
        state.Callbacks().RefreshOptions();
        return true;
    }
    return false;
}

// The keys that act through the character they type.
bool MainCommands::CharacterCommand(int key, TShiftState shift) {
    if (shift.Has(ShiftFlag::Alt)) return false;
    if (!shift.Has(ShiftFlag::Ctrl)) {
        if (key == VirtualKey::Enter) m_studio.Player().NextDemo();
        else if (key == VirtualKey::Space) m_studio.Player().NextFigure();
        else return false;
        return true;
    }
    switch (key) {
    case 'R': EditReset(shift); return true;
    case 'Z': RequestStop(); return true;
    default: return false;
    }
}

// --- mouse ---------------------------------------------------------------------------------------

void MainCommands::MouseDown(uint8_t button, int x, int y, TShiftState) {
    MainState& state = m_studio.State();
    state.Input.Button = button;
    state.Input.MouseX = x;
    state.Input.MouseY = y;
    if (button == MouseButton::Left)
        ShowEyeData();
    else
        state.Callbacks().ShowStatus2(button == MouseButton::Right ? MoveHint : WheelHint, MainState::StatusTextColor);
    state.WindowRefresh();
}

void MainCommands::MouseMove(int x, int y, TShiftState shift) {
    MainState& state = m_studio.State();
    PictureInput& input = state.Input;
    input.MouseMoved = true;
    input.DeltaX = x - input.MouseX;
    input.DeltaY = y - input.MouseY;
    input.MouseX = x;
    input.MouseY = y;
    const bool moved = input.DeltaX != 0 || input.DeltaY != 0;
    if ((input.Button == MouseButton::Left && moved) || input.Button == MouseButton::Right ||
        input.Button == MouseButton::Middle)
        MouseMotion(m_studio.GetStage().Eye(), state.EyeMotion, input.DeltaX, input.DeltaY, shift);
    state.WindowRefresh();
    if (input.Button == MouseButton::Left) ShowEyeData();
}

void MainCommands::MouseUp(TShiftState) {
    MainState& state = m_studio.State();
    if (state.ShowCursorData)
        state.Callbacks().ShowStatus2(CursorDataText(m_studio.GetStage(), m_studio.Ghost()), MainState::StatusTextColor);
    else
        state.ShowEyeMode();
    state.Input.Button = MouseButton::None;
}

void MainCommands::Wheel(int sign, TShiftState shift) {
    if (sign == 0) return;
    MainState& state = m_studio.State();
    const uint8_t button = state.Input.Button;
    if (button == MouseButton::Right || button == MouseButton::Middle) {
        m_studio.Player().ShowNextFigure(sign);
        return;
    }
    if (button == MouseButton::Left) {
        if (m_textureWheel) m_textureWheel(sign);
        return;
    }
    WheelMotion(m_studio.GetStage().Eye(), state.EyeMotion, sign, shift);
    state.WindowRefresh();
}

void MainCommands::DoubleClick(TShiftState shift) {
    if (shift == ShiftOnly) {
        m_studio.GetStage().Eye().RollToHorizontal();
        m_studio.State().WindowRefresh();
    } else if (shift == AltOnly) {
        // The eye looks back the way it came.
        m_studio.GetStage().Eye().TurnAround();
        m_studio.State().WindowRefresh();
    } else if (shift.Empty()) {
        EditReset(shift);
    }
}

void MainCommands::ShowEyeData() {
    Eye3d& eye = m_studio.GetStage().Eye();
    m_studio.State().Callbacks().ShowStatus2("Eye: " + eye.PositionText() + eye.StatusText(3),
                                             MainState::StatusTextColor);
}

// --- reset ---------------------------------------------------------------------------------------

void MainCommands::EditReset(TShiftState shift) {
    Stage& stage = m_studio.GetStage();
    stage.Dragon().Reset();
    m_studio.Ghost().Reset();
    stage.Eye().Reset();
    stage.Pax().Reset();
    stage.Bee().Reset();
    m_studio.Animations().PrepareGhost(ConfigValues().BasicAnimation);
    if (shift.Has(ShiftFlag::Shift))
        stage.Eye().ResetView(4);
    else if (shift.Has(ShiftFlag::Alt))
        stage.Eye().ResetView(3);
    MainState& state = m_studio.State();
    state.Input.ResetForNextPicture();
    state.RestartDemo();
}

}  // namespace pax
