#include "cli/picture_session.h"

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <ctime>
#include <fstream>

#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "cli/cli_io.h"
#include "cli/lsy_input.h"
#include "cli/watchdog.h"
#include "lsystem/interpreter.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "system/debug_log.h"
#include "system/file_utils.h"
#include "system/settings.h"

namespace pax {
namespace {

StudioOptions MakeStudioOptions(const PictureOptions& options) {
    StudioOptions studio;
    studio.ViewWidth = options.width;
    studio.ViewHeight = options.height;
    // Windows draw there only until they get a surface of their own; twice the screen (the
    // desktop's size) would cost a third of a second per command.
    studio.DefaultSurfaceWidth = options.width;
    studio.DefaultSurfaceHeight = options.height;
    if (options.configFile.empty()) {
        studio.Config = ConfigSource::BuiltInDefaults;
    } else {
        studio.Config = ConfigSource::File;
        studio.ConfigFile = options.configFile;
    }
    return studio;
}

// Without blocking: a FIFO named as the configuration must not hang the command.
void CheckReadable(const std::string& file) {
    int error = 0;
    const int fd = OpenRegularFile(file, error);
    if (fd < 0) ThrowBadInput("cannot read config " + file);
    ::close(fd);
}

std::vector<CatalogueFigure> ListCatalogue(const DemoCatalogue& catalogue) {
    std::vector<CatalogueFigure> figures;
    for (int32_t d = 0; d < catalogue.DemoCount(); ++d) {
        const DemoRecord& demo = catalogue.Demo(d);
        for (int32_t f = 0; f < demo.FigureCount(); ++f)
            figures.push_back({d, f, demo.Name, demo.Figures[static_cast<size_t>(f)].Name});
    }
    return figures;
}

// The node named name, or the first one when name is empty.
const tVLSystem* FindNode(const tLsyFile& file, const std::string& name) {
    for (const tVLSystem* node : file.Nodes())
        if (name.empty() || node->name == name) return node;
    return nullptr;
}

// The last message the picture loop logged for a picture that threw.
std::string LastPictureError() {
    std::ifstream log(DebugLogPath());
    std::string line, message = "see " + DebugLogPath();
    const std::string_view prefix = PictureLoop::ErrorPrefix;
    while (std::getline(log, line))
        if (line.starts_with(prefix)) message = line.substr(prefix.size());
    return message;
}

}  // namespace

// The process-wide settings as they were before the session.
struct PictureSession::SavedSettings {
    tSwitches switches = Switches();
    tConfigValues values = ConfigValues();
};

PictureSession::PictureSession(const PictureOptions& options, std::ostream& err)
    : m_options(options), m_err(err), m_saved(std::make_unique<SavedSettings>()) {
    if (!options.configFile.empty()) CheckReadable(options.configFile);
    m_studio = std::make_unique<Studio>(MakeStudioOptions(options));
    // After the Studio, whose start may install sinks of its own.
    m_messages = std::make_unique<MessageCapture>(err);
    m_catalogue = ListCatalogue(m_studio->Catalogue());
}

PictureSession::~PictureSession() {
    m_messages.reset();
    m_studio.reset();
    Switches() = m_saved->switches;
    ConfigValues() = m_saved->values;
}

const TBitmap32& PictureSession::Picture() const { return m_studio->Picture(); }

FigureToDraw PictureSession::Resolve(const FigureSelection& selection) {
    FigureToDraw figure;
    switch (selection.kind) {
        case FigureSelection::Kind::Name:
            for (const CatalogueFigure& entry : m_catalogue)
                if (entry.name == selection.name) {
                    figure.name = entry.name;
                    figure.demo = entry.demo;
                    figure.figure = entry.figure;
                    return figure;
                }
            ThrowBadInput("unknown figure '" + selection.name + "' (pax3d list shows them all)");
        case FigureSelection::Kind::Index: {
            const DemoCatalogue& catalogue = m_studio->Catalogue();
            if (selection.demo >= catalogue.DemoCount())
                ThrowBadInput("no demo " + std::to_string(selection.demo) + " (there are " +
                              std::to_string(catalogue.DemoCount()) + ")");
            const DemoRecord& demo = catalogue.Demo(selection.demo);
            if (selection.figure >= demo.FigureCount())
                ThrowBadInput("no figure " + selection.Describe() + " (demo " + std::to_string(selection.demo) +
                              " has " + std::to_string(demo.FigureCount()) + ")");
            figure.name = demo.Figures[static_cast<size_t>(selection.figure)].Name;
            figure.demo = selection.demo;
            figure.figure = selection.figure;
            return figure;
        }
        case FigureSelection::Kind::File: {
            LsyInput input = ReadLsyInput(selection.file);
            WriteParseReport(input.result, m_err);
            const tVLSystem* node = FindNode(input.file, selection.name);
            if (!node && selection.name.empty()) ThrowBadInput("no LSystem node could be read from " + selection.file);
            if (!node) ThrowBadInput("no system '" + selection.name + "' in " + selection.file);
            figure.name = node->name;
            figure.node = *node;
            figure.file = selection.file;
            figure.parseErrors = input.result.errorCount;
            return figure;
        }
    }
    return figure;
}

void PictureSession::Select(const FigureToDraw& figure) {
    tTarnsInterpreter& interpreter = m_studio->Interpreter();
    // A file's node is drawn in the place of the first library figure, whose start leaves the
    // scene as every L-system figure finds it.
    m_studio->Player().ShowDemo(figure.demo.value_or(0), figure.figure.value_or(0));
    interpreter.SetSeed(m_options.seed.value_or(tTarnsInterpreter::DefaultSeed));
    bool selected = true;
    if (figure.node) {
        tVLSystem node = *figure.node;
        if (m_options.depth) node.deep = *m_options.depth;
        selected = interpreter.SetVLSystem(node);
    } else if (m_options.depth) {
        const tLSDef* def = interpreter.FindLSDef(figure.name);
        if (!def) ThrowBadInput("figure '" + figure.name + "' is no L-system; --depth does not apply");
        tLSDef deeper = *def;
        deeper.deep = *m_options.depth;
        selected = interpreter.SetLSDef(deeper);
    }
    if (!selected) ThrowBadInput("'" + figure.name + "' cannot be drawn");
}

void PictureSession::ApplyDrawingOptions() {
    Stage& stage = m_studio->GetStage();
    MainState& state = m_studio->State();
    // The picture alone: no info line, help, value bars, flash texts or RGB values.
    state.Info = InfoMode::Off;
    state.HelpMode = 0;
    state.ValueInputShown = false;
    state.ClearFlashInfo();
    Switches()[Switch::ShowRGBValues] = false;
    if (m_options.zbuffer) SetSwitch(Switch::ZBuffer, true);
    if (m_options.lightModel) {
        ConfigValues().LightModel = *m_options.lightModel;
        stage.Light().SetModel(*m_options.lightModel);
    }
    if (m_options.projection) stage.View().SetProjection(*m_options.projection);
    if (m_options.threads) stage.View().SetDrawingShares(*m_options.threads);
    if (m_options.view) stage.Eye().ResetView(*m_options.view);
}

DrawnPicture PictureSession::Draw(const FigureToDraw& figure, TraceMode trace) {
    m_messages->ResetCount();
    if (m_options.zbuffer) SetSwitch(Switch::ZBuffer, true);
    Select(figure);
    ApplyDrawingOptions();
    m_studio->Interpreter().SetShowResult(trace == TraceMode::On);
    return TimedPicture([this] { m_studio->Pictures().ShowActualPicture(); }, trace);
}

DrawnPicture PictureSession::DrawAgainBehind() {
    m_messages->ResetCount();
    return TimedPicture([this] { m_studio->Pictures().ShowActualPictureBehind(); }, TraceMode::Off);
}

DrawnPicture PictureSession::DrawNextBehind() {
    m_messages->ResetCount();
    return TimedPicture([this] { m_studio->Pictures().ShowNextPictureBehind(); }, TraceMode::Off);
}

template <class Show>
DrawnPicture PictureSession::TimedPicture(Show show, TraceMode trace) {
    tTarnsInterpreter& interpreter = m_studio->Interpreter();
    DrawnPicture picture;
    const int32_t shows = m_studio->State().DemoShows;
    {
        Watchdog watchdog(m_options.timeLimit);
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        show();
        picture.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        picture.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        picture.stopped = watchdog.Fired();
    }
    m_messages->WriteRepeatSummary();
    // The loop goes on with the next figure after a picture that threw.
    if (m_studio->State().DemoShows != shows) {
        picture.failed = true;
        picture.failure = LastPictureError();
    }
    picture.statistics = interpreter.Statistics();
    const ObjectWindow& view = m_studio->GetStage().View();
    picture.parts = view.PartCount();
    picture.walkSeconds = view.LastPictureTimes().walk;
    picture.drawingSeconds = view.LastPictureTimes().drawing;
    picture.errors = m_messages->ErrorCount();
    if (trace == TraceMode::On) {
        picture.trace = interpreter.ResultLines();
        picture.commands = interpreter.ResultCounter();
        interpreter.SetShowResult(false);
    }
    return picture;
}

std::string FileSafeName(const std::string& name) {
    std::string safe;
    for (unsigned char c : name) {
        const bool keep = std::isalnum(c) || c == '-' || c == '_' || c == '.';
        safe += keep ? static_cast<char>(c) : '_';
    }
    if (safe.empty() || safe.front() == '.') safe.insert(safe.begin(), '_');
    return safe;
}

}  // namespace pax
