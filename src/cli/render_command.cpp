// pax3d render SEL [-o FILE] [OPTS]: one picture into a PNG, JPEG or BMP file.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "cli/all_figures.h"
#include "cli/picture_session.h"
#include "cli/subcommands.h"
#include "render/files/picture_io.h"

namespace pax {
namespace {

std::string LowerExtension(const std::string& file) {
    std::string ext = std::filesystem::path(file).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

void CheckPictureName(const std::string& file) {
    const std::string ext = LowerExtension(file);
    if (ext != ".png" && ext != ".jpg" && ext != ".jpeg" && ext != ".bmp")
        ThrowUsage("'" + file + "' is no picture name: use .png, .jpg, .jpeg or .bmp");
}

}  // namespace

const FigureSelection& RequireSelection(const CommandOptions& options, const char* subcommand) {
    if (options.selections.empty()) ThrowUsage(std::string(subcommand) + " needs --figure NAME, --figure D/F or --file F.LSY");
    return options.selections.front();
}

void CheckDrawn(const DrawnPicture& picture, const std::string& name, double timeLimit) {
    if (picture.stopped) {
        char text[64];
        std::snprintf(text, sizeof text, "stopped after %g s", timeLimit);
        ThrowBadInput(text);
    }
    if (picture.failed) ThrowBadInput("'" + name + "' could not be drawn: " + picture.failure);
}

int ExitCodeAfterDrawing(const FigureToDraw& figure, std::ostream& err) {
    if (figure.parseErrors == 0) return ExitCode::Ok;
    err << "pax3d: " << figure.parseErrors << " parsing error" << (figure.parseErrors == 1 ? "" : "s") << " in "
        << figure.file << '\n';
    return ExitCode::BadInput;
}

void CheckOutputDirectory(const std::string& file) {
    const std::filesystem::path parent = std::filesystem::path(file).parent_path();
    if (parent.empty()) return;
    std::error_code error;
    if (!std::filesystem::is_directory(parent, error))
        ThrowBadInput("cannot write " + file + ": no directory " + parent.string());
}

int RunRender(const CommandOptions& options, CliStreams io) {
    if (options.all) {
        if (!options.selections.empty()) ThrowUsage("render --all draws every figure: no --figure or --file with it");
        if (!options.output) ThrowUsage("render --all needs -o DIR");
        return RenderAllFigures(*options.output, options.picture, io);
    }
    const FigureSelection& selection = RequireSelection(options, "render");
    if (options.output) {
        CheckPictureName(*options.output);
        CheckOutputDirectory(*options.output);
    }

    PictureSession session(options.picture, io.err);
    const FigureToDraw figure = session.Resolve(selection);
    const DrawnPicture picture = session.Draw(figure);
    CheckDrawn(picture, figure.name, options.picture.timeLimit);
    const std::string file = options.output.value_or(FileSafeName(figure.name.empty() ? "lsystem" : figure.name) + ".png");
    if (!SavePicture(session.Picture(), file)) ThrowBadInput("cannot write " + file);
    return ExitCodeAfterDrawing(figure, io.err);
}

}  // namespace pax
