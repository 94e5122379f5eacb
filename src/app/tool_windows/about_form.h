#pragma once
// AboutForm: the texts of the about window "About Dizuded Odirivuze Didu": the title, the
// version line and the acknowledgements, the keyboard and mouse help (written from the main
// window's command tables), and the machine's and operating system's values with the
// desktop settings tool that belongs to each.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pax {

struct HelpLine {
    std::string_view Keys;
    std::string_view Command;
};

struct InfoLine {
    std::string Label;
    std::string Value;
    // The settings page its "..." button opens ("sysdm.cpl", ...); "printer" for the printer
    // setup dialog; empty for no button.
    std::string Applet;
};

// What only the widgets can tell: the printer's resolution and the pointing devices.
struct PlatformFacts {
    int PrinterResolution = 0;   // dots per inch of the default printer; 0 for none
    std::vector<std::string> Mice;
};

namespace AboutForm {

inline constexpr const char* Caption = "About Dizuded Odirivuze Didu";
inline constexpr const char* Title = "Pax3d";
inline constexpr const char* VersionLine = "3D Graphics Animation 1/2006";
inline constexpr const char* NotAvailable = "not available";
inline constexpr const char* PrinterSetup = "printer";
// "about", "keys", "mouse", "HW info", "OS Info".
std::span<const std::string_view> TabNames();

std::span<const std::string_view> Acknowledgements();
std::span<const HelpLine> KeyHelp();
// The mouse on the picture: the buttons and drags, then the wheel and double clicks.
std::span<const HelpLine> MouseButtonHelp();
std::span<const HelpLine> MouseWheelHelp();

// "CPU", "CPU speed", "main memory", "virtual memory", "sound cards", "CD / DVD",
// "default printer", "printer resolution", "mouse". Reads the memory status afresh.
std::vector<InfoLine> HardwareInfo(const PlatformFacts& facts);
// "operating system", "os version", "screen resolution", "bits per pixel",
// "monitor frequence", "computer name", "user name", "language", "date", "directX".
std::vector<InfoLine> OperatingSystemInfo();
// The extra buttons of the "HW info" page: "joystick" and "modem".
std::span<const InfoLine> ExtraButtons();

// "32 (True Color)": the bits followed by "(Palette 16)", "(Palette 256)", "(Hi Color)" or
// "(True Color)" for 4, 8, 15 and 16, 24 to 32 bits.
std::string BitsPerPixelText(int bits);
// "%d Hz", or "? Hz" for 0.
std::string RefreshRateText(int hertz);
// "%d MB" of a byte count.
std::string MegabyteText(unsigned long long bytes);

// Whether the desktop has a tool for the applet (the button is offered only then), and
// opening it; a missing tool does nothing.
bool HasSettingsTool(const std::string& applet);
void OpenSettingsTool(const std::string& applet);

}  // namespace AboutForm
}  // namespace pax
