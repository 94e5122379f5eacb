// pax3d export SEL -o NAME.svg|NAME.obj [OPTS]: the picture as SVG, or the figure's geometry
// as an OBJ model with NAME.mtl beside it; export --all -o DIR: the PNG, SVG and OBJ of every
// figure, with their times.

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/export/export_scope.h"
#include "app/export/picture_export.h"
#include "cli/all_figures.h"
#include "cli/picture_session.h"
#include "cli/subcommands.h"
#include "render/files/picture_io.h"

namespace pax {
namespace {

enum class ExportFormat { Svg, Obj };

constexpr const char* ZBufferNote =
    "pax3d: the z-buffer is a raster technique: the SVG is drawn from the part list, lines among the "
    "other parts far to near\n";

ExportFormat FormatOf(const std::string& file) {
    std::string ext = std::filesystem::path(file).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".svg") return ExportFormat::Svg;
    if (ext == ".obj") return ExportFormat::Obj;
    ThrowUsage("'" + file + "' is no export name: use .svg or .obj");
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Write(const std::string& file, std::string_view contents) {
    const std::string error = WriteExportFile(file, contents);
    if (!error.empty()) ThrowBadInput(error);
}

// One figure into file; the drawing is checked before anything is written.
void ExportFigure(PictureSession& session, const FigureToDraw& figure, ExportFormat format, const std::string& file) {
    DrawnPicture picture;
    const PictureDrawer draw = [&] { picture = session.Draw(figure); };
    if (format == ExportFormat::Svg) {
        const std::string document = RecordSvg(session.GetStudio(), draw);
        CheckDrawn(picture, figure.name, session.Options().timeLimit);
        Write(file, document);
        return;
    }
    const std::string mtlFile = MtlFileFor(file);
    const ObjTexts texts = RecordObj(session.GetStudio(), draw, std::filesystem::path(mtlFile).filename().string());
    CheckDrawn(picture, figure.name, session.Options().timeLimit);
    Write(mtlFile, texts.materials);
    Write(file, texts.model);
}

struct FigureTimes {
    std::string name;
    double render = 0, svg = 0, obj = 0;
    double Worst() const { return std::max(svg, obj) / std::max(render, 1e-6); }
};

// The median time of Runs runs of step; the first problem a run reports is kept.
template <class Step>
double MedianSeconds(Step step, std::string& problem) {
    constexpr int Runs = 3;
    std::array<double, Runs> seconds{};
    for (double& s : seconds) {
        const auto start = std::chrono::steady_clock::now();
        const std::string found = step();
        s = SecondsSince(start);
        if (!found.empty()) {
            problem += found;
            return s;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[Runs / 2];
}

std::string Seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", s);
    return text;
}

// Every figure: its picture drawn and written as render does it, then SVG and OBJ, each
// timed the same way, with the drawing, the recording and the writing (medians of three).
int ExportAllFigures(const std::string& directory, const PictureOptions& options, CliStreams io) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (!std::filesystem::is_directory(directory, error)) ThrowBadInput("cannot create directory " + directory);
    PictureSession session(options, io.err);
    std::vector<FigureTimes> times;
    int failures = 0;
    for (const CatalogueFigure& entry : session.Catalogue()) {
        FigureSelection selection;
        selection.kind = FigureSelection::Kind::Index;
        selection.demo = entry.demo;
        selection.figure = entry.figure;
        const FigureToDraw figure = session.Resolve(selection);
        FigureTimes t{entry.name};
        const std::string stem = FigureFileName(entry.demo, entry.figure, entry.name);
        const std::filesystem::path base = std::filesystem::path(directory) / stem;
        std::string problem;
        // The picture as render writes it, for the times and to compare with.
        t.render = MedianSeconds([&] {
            const DrawnPicture picture = session.Draw(figure);
            if (!SavePicture(session.Picture(), base.string())) return "\tcannot write " + base.string();
            if (picture.stopped || picture.failed) return picture.stopped ? "\tstopped" : "\tfailed: " + picture.failure;
            return std::string();
        }, problem);
        for (const ExportFormat format : {ExportFormat::Svg, ExportFormat::Obj}) {
            const std::string file =
                std::filesystem::path(base).replace_extension(format == ExportFormat::Svg ? ".svg" : ".obj").string();
            (format == ExportFormat::Svg ? t.svg : t.obj) = MedianSeconds([&] {
                try {
                    ExportFigure(session, figure, format, file);
                } catch (const CliError& e) {
                    return std::string("\t") + e.what();
                }
                return std::string();
            }, problem);
        }
        if (!problem.empty()) ++failures;
        io.out << entry.demo << '/' << entry.figure << '\t' << entry.name << "\trender=" << Seconds(t.render)
               << "\tsvg=" << Seconds(t.svg) << "\tobj=" << Seconds(t.obj) << problem << std::endl;
        times.push_back(t);
    }
    std::sort(times.begin(), times.end(), [](const FigureTimes& a, const FigureTimes& b) { return a.Worst() > b.Worst(); });
    io.out << "slowest against render (the larger of svg/render and obj/render):\n";
    for (size_t i = 0; i < std::min<size_t>(5, times.size()); ++i) {
        char ratio[32];
        std::snprintf(ratio, sizeof ratio, "%.2f", times[i].Worst());
        io.out << "  " << ratio << "x\t" << times[i].name << '\n';
    }
    if (failures > 0) ThrowBadInput(std::to_string(failures) + " figures were stopped, failed or not written");
    return ExitCode::Ok;
}

}  // namespace

int RunExport(const CommandOptions& options, CliStreams io) {
    if (options.all) {
        if (!options.selections.empty()) ThrowUsage("export --all exports every figure: no --figure or --file with it");
        if (!options.output) ThrowUsage("export --all needs -o DIR");
        return ExportAllFigures(*options.output, options.picture, io);
    }
    const FigureSelection& selection = RequireSelection(options, "export");
    if (!options.output) ThrowUsage("export needs -o NAME.svg or -o NAME.obj");
    const std::string& file = *options.output;
    const ExportFormat format = FormatOf(file);
    CheckOutputDirectory(file);

    PictureSession session(options.picture, io.err);
    const FigureToDraw figure = session.Resolve(selection);
    if (format == ExportFormat::Svg && (options.picture.zbuffer || ZBufferSelected())) io.err << ZBufferNote;
    ExportFigure(session, figure, format, file);
    return ExitCode::Ok;
}

}  // namespace pax
