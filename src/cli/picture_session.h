#pragma once
// PictureSession: the engine as the command line uses it. It builds the program's objects
// with the settings of --config (or the built-in defaults), finds the figure a selection
// names, and draws pictures of it as the desktop program shows the first picture of a figure,
// without the info overlays, under a time limit. The process-wide settings it changes are put
// back when the session ends.

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/message_capture.h"
#include "cli/options.h"
#include "lsystem/commands.h"
#include "lsystem/vl_system.h"

namespace pax {

class TBitmap32;
class Studio;

// A figure of the library as the demo catalogue holds it.
struct CatalogueFigure {
    int demo = 0;
    int figure = 0;
    std::string category;
    std::string name;
};

// What a selection resolved to: a library figure or a node read from a file.
struct FigureToDraw {
    std::string name;                 // the system's name
    std::optional<int> demo, figure;  // a library figure
    std::optional<tVLSystem> node;    // a file's node
    std::string file;                 // the file it was read from
    uint32_t parseErrors = 0;         // the syntax errors found in that file
};

struct DrawnPicture {
    tLSStatistics statistics;
    int32_t parts = 0;        // parts of the object window at the end of the picture
    double seconds = 0;       // the picture's drawing time
    double cpuSeconds = 0;    // the processor time it took, all threads together
    // Of seconds: the walk that made the object window's parts, and drawing them.
    double walkSeconds = 0, drawingSeconds = 0;
    int errors = 0;           // errors reported while drawing
    bool stopped = false;     // the time limit ended the drawing
    // The picture was abandoned on an exception (the loop logged it and went on with the
    // next figure); failure holds the logged message.
    bool failed = false;
    std::string failure;
    std::vector<std::string> trace;   // the result list: the name, then the traced commands
    uint64_t commands = 0;            // traced commands
};

enum class TraceMode { Off, On };

class PictureSession {
public:
    // Throws CliError (bad input) when the configuration file cannot be read. Errors while
    // drawing go to err, one line each.
    PictureSession(const PictureOptions& options, std::ostream& err);
    ~PictureSession();
    PictureSession(const PictureSession&) = delete;
    PictureSession& operator=(const PictureSession&) = delete;

    // Every figure of the library in registration order.
    const std::vector<CatalogueFigure>& Catalogue() const { return m_catalogue; }

    // The figure of a selection: by exact name (the first of that name), by demo and figure
    // index, or a file's node (the first, or the one of the selection's name). A file's parse
    // errors are written to err. Throws CliError (bad input) when there is no such figure.
    FigureToDraw Resolve(const FigureSelection& selection);

    // One picture of the figure with the session's options (depth, seed, projection, view,
    // z-buffer, light model). Throws CliError (bad input) when the system cannot be selected.
    DrawnPicture Draw(const FigureToDraw& figure, TraceMode trace = TraceMode::Off);
    // The figure of the last Draw again, drawn behind as the running loop draws it: the walk
    // beside the drawing of the picture before, whose picture Picture() then shows.
    DrawnPicture DrawAgainBehind();
    // The next picture of the figure's animation, drawn behind in the same way.
    DrawnPicture DrawNextBehind();

    const TBitmap32& Picture() const;
    // The program's objects, for measurements that go below the picture.
    Studio& GetStudio() { return *m_studio; }
    const PictureOptions& Options() const { return m_options; }
    // Changes the time limit of the following pictures.
    void SetTimeLimit(double seconds) { m_options.timeLimit = seconds; }

private:
    struct SavedSettings;
    void Select(const FigureToDraw& figure);
    void ApplyDrawingOptions();
    // The picture drawn by show, timed under the watchdog, with its counters.
    template <class Show>
    DrawnPicture TimedPicture(Show show, TraceMode trace);

    PictureOptions m_options;
    std::ostream& m_err;
    std::unique_ptr<SavedSettings> m_saved;
    std::unique_ptr<Studio> m_studio;
    std::unique_ptr<MessageCapture> m_messages;
    std::vector<CatalogueFigure> m_catalogue;
};

// The name as a file name: letters, digits, "-", "_" and "." kept, everything else "_".
std::string FileSafeName(const std::string& name);

}  // namespace pax
