#include "app/tool_windows/about_form.h"

#include <array>

#include "system/display_info.h"
#include "system/shell.h"
#include "system/sound.h"
#include "system/system_info.h"
#include "system/text_utils.h"

namespace pax::AboutForm {

namespace {

constexpr std::array<std::string_view, 5> Tabs{"about", "keys", "mouse", "HW info", "OS Info"};

constexpr std::array<std::string_view, 4> Thanks{
    "L-systems after the work of Aristid Lindenmayer and Przemyslaw Prusinkiewicz",
    "stroke fonts drawn from the public-domain Hershey fonts",
    "pictures read and written with libpng, libjpeg-turbo and zlib",
    "windows by Qt, text by FreeType and fontconfig",
};

constexpr std::array<HelpLine, 52> Keys{{
    {"Esc, F11", "close the program"},
    {"F1", "set as 1st figure (the next start begins here)"},
    {"F2, Ctrl+F2, Shift+F8", "options"},
    {"Alt+F2", "background options"},
    {"F3 / Shift+F3", "next / previous info mode"},
    {"F4 / Shift+F4", "next / previous sync mode"},
    {"F5 / Shift+F5", "next / previous eye mode"},
    {"F6 / Shift+F6", "next / previous font"},
    {"F7 / Shift+F7", "next / previous texture"},
    {"F8", "pause, then one picture per press"},
    {"F9", "run"},
    {"F10", "this window"},
    {"Pause", "pause or run"},
    {"Space / Backspace", "next / previous figure"},
    {"Ctrl+Space", "next figure"},
    {"Enter, Shift+Space, Ctrl+Enter", "next demo"},
    {"Shift+Backspace, Ctrl+Backspace", "previous demo"},
    {"Ctrl+N", "the current figure again"},
    {"Ctrl+1 .. Ctrl+9", "the first figure of demo 1 .. 9"},
    {"Shift+F1, Ctrl+Alt+F1", "figure help on or off"},
    {"Shift+F2", "palette on or off"},
    {"Shift+F9", "sound on or off"},
    {"Ctrl+F3", "eye navigation"},
    {"Ctrl+F4", "animation values"},
    {"Ctrl+F5", "background colour"},
    {"Ctrl+F6", "value input on or off"},
    {"Ctrl+F8", "L-system editor"},
    {"Ctrl+F10", "draw the background now"},
    {"Ctrl+F11 / Ctrl+F12", "blur / zoom the background"},
    {"Ctrl+O", "next 3D cursor data"},
    {"Ctrl+Break, Ctrl+Z", "stop drawing the picture"},
    {"Ctrl+Alt+0 .. Ctrl+Alt+6", "basic animation off, rotate, wobble, swing, oscillate, spin, orbit"},
    {"Ctrl+Alt+letter", "switch: A axis, B border, C cull face, D double sided, E refresh, F filling, H highlights, "
                        "I light, L smooth lines, M circle shading, N normals, P smooth polygons, R rainbow, "
                        "T tiles, V vertex numbers, Y colour cycling, Z z-buffer"},
    {"Ctrl+Alt+pad plus / minus", "fill opacity up / down"},
    {"Ctrl+Alt+F7 / Ctrl+Alt+F8", "delay after each picture up / down"},
    {"Ctrl+S, Ctrl+B, Ctrl+G", "save the picture as JPEG, BMP, PNG"},
    {"Ctrl+Shift+S", "save the picture as ..."},
    {"Ctrl+C / Ctrl+V", "copy the picture / paste a background"},
    {"Ctrl+E", "clear the background"},
    {"Ctrl+P", "print the picture"},
    {"Ctrl+R", "reset the eye and the turtles (Shift: top view, Alt: right view)"},
    {"Ctrl+A", "arrange the windows"},
    {"Ctrl+M, Ctrl+T, Ctrl+W", "menu bar, title bar, RGB values on or off"},
    {"Ctrl+Shift+A, M, O, T", "status bar, menu bar, tool bar, title bar on or off"},
    {"Ctrl+F1", "sound on or off (menu)"},
    {"Ctrl+H", "the eye level again (menu)"},
    {"Ctrl+X", "centre the window (menu)"},
    {"Ctrl+I / Ctrl+D", "increase / decrease the window size (menu)"},
    {"Ctrl+F", "full screen (menu)"},
    {"Del", "previous figure (the picture's menu)"},
    {"arrows, Home, End, Page Up/Down, pad keys", "move the eye by the eye mode (Shift slower, Ctrl faster)"},
    {"any key with Alt", "moves the eye at once as well"},
}};

constexpr std::array<HelpLine, 4> MouseButtons{{
    {"left button, drag", "moves the eye by the eye mode (Shift slower, Ctrl faster)"},
    {"right button, drag", "moves the eye"},
    {"middle button, drag", "moves the eye"},
    {"left button held", "shows the eye's position"},
}};

constexpr std::array<HelpLine, 6> MouseWheel{{
    {"wheel", "the eye forward or back (Shift slower, Ctrl faster)"},
    {"wheel with Alt", "the view angle wider or narrower"},
    {"wheel, left button held", "the next or previous texture"},
    {"wheel, right or middle button held", "the next or previous figure"},
    {"double click", "reset the eye and the turtles"},
    {"double click with Shift", "the eye level again"},
}};

const std::array<InfoLine, 2>& Extra() {
    static const std::array<InfoLine, 2> extra{{{"joystick", "", "joy.cpl"}, {"modem", "", "modem.cpl"}}};
    return extra;
}

std::string OrNotAvailable(std::string text) { return text.empty() ? NotAvailable : text; }

}  // namespace

std::span<const std::string_view> TabNames() { return Tabs; }
std::span<const std::string_view> Acknowledgements() { return Thanks; }
std::span<const HelpLine> KeyHelp() { return Keys; }
std::span<const HelpLine> MouseButtonHelp() { return MouseButtons; }
std::span<const HelpLine> MouseWheelHelp() { return MouseWheel; }
std::span<const InfoLine> ExtraButtons() { return Extra(); }

std::string BitsPerPixelText(int bits) {
    std::string text = std::to_string(bits);
    if (bits == 4) return text + " (Palette 16)";
    if (bits == 8) return text + " (Palette 256)";
    if (bits == 15 || bits == 16) return text + " (Hi Color)";
    if (bits >= 24 && bits <= 32) return text + " (True Color)";
    return text;
}

std::string RefreshRateText(int hertz) { return hertz == 0 ? "? Hz" : std::to_string(hertz) + " Hz"; }

std::string MegabyteText(unsigned long long bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

std::vector<InfoLine> HardwareInfo(const PlatformFacts& facts) {
    RefreshMemoryStatus();
    const tMemoryStatus& memory = MemoryStatus();
    const int mhz = pax::SystemInfo::ProcessorSpeed();
    std::string mice;
    for (const std::string& mouse : facts.Mice) mice += (mice.empty() ? "" : ", ") + mouse;
    return {
        {"CPU", pax::SystemInfo::ProcessorName(), "sysdm.cpl"},
        {"CPU speed", mhz > 0 ? std::to_string(mhz) + " MHz" : NotAvailable, "sysdm.cpl"},
        {"main memory", MegabyteText(memory.TotalPhys), "sysdm.cpl"},
        // What the programs may take together: the memory and the swap space.
        {"virtual memory", MegabyteText(memory.TotalPhys + memory.TotalPageFile), "sysdm.cpl"},
        {"sound cards", std::to_string(WaveDeviceCount()), "mmsys.cpl"},
        {"CD / DVD", pax::SystemInfo::CdDrives(), ""},
        {"default printer", OrNotAvailable(pax::SystemInfo::DefaultPrinter()), PrinterSetup},
        {"printer resolution",
         facts.PrinterResolution > 0 ? std::to_string(facts.PrinterResolution) + " dpi" : NotAvailable, PrinterSetup},
        {"mouse", OrNotAvailable(mice), "main.cpl"},
    };
}

std::vector<InfoLine> OperatingSystemInfo() {
    const tDisplayInfo& d = DisplayInfo();
    return {
        {"operating system", pax::SystemInfo::OperatingSystemName(), "sysdm.cpl"},
        {"os version", pax::SystemInfo::ServicePack(), "sysdm.cpl"},
        {"screen resolution", std::to_string(d.HorzRes) + " x " + std::to_string(d.VertRes), "desk.cpl"},
        {"bits per pixel", BitsPerPixelText(d.BitsPerPixel), "desk.cpl"},
        {"monitor frequence", RefreshRateText(d.RefreshRate), "desk.cpl"},
        {"computer name", OrNotAvailable(pax::SystemInfo::ComputerName()), "sysdm.cpl"},
        {"user name", OrNotAvailable(pax::SystemInfo::UserName()), ""},
        {"language", pax::SystemInfo::Language(), "intl.cpl"},
        {"date", DateText(), "timedate.cpl"},
        {"directX", pax::SystemInfo::DirectXVersion(), ""},
    };
}

bool HasSettingsTool(const std::string& applet) { return applet == PrinterSetup || HasControlPanel(applet); }

void OpenSettingsTool(const std::string& applet) { OpenControlPanel(applet); }

}  // namespace pax::AboutForm
