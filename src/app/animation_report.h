#pragma once
// The live values of the animation loop that the animation values window shows after each
// picture, as texts, so that the window only has to put them into its fields.

#include <cstdint>
#include <string>

namespace pax {

class MainState;
class ObjectWindow;

struct AnimationReport {
    std::string FigureName;
    std::string DemoGroup;          // demo index
    std::string DemoFigure;         // figure index
    std::string PictureNumber;      // the object window's picture number, grouped
    std::string RefreshCounter;     // RefreshTimer ticks not yet consumed
    std::string RefreshFrequency;   // pictures per second
    std::string RefreshTime;        // milliseconds per picture
    std::string SceneParts;         // parts of the last picture
    std::string Time;               // milliseconds since the picture clock's reset
    std::string FreeMemory;         // available physical memory in kB
    std::string SyncMode;           // "off" or the rate and " Hz"
    std::string PictureCounter;     // pictures since the picture clock's reset, grouped
};

// Reads the memory status afresh.
AnimationReport MakeAnimationReport(const MainState& state, const ObjectWindow& view);

// Decimal with "." before every group of three digits from the right: 1234567 gives
// "1.234.567", -1000 gives "-1.000".
std::string GroupDigits(int64_t value);

}  // namespace pax
