#include "cli/all_figures.h"

#include <cstdio>
#include <filesystem>

#include "cli/contact_sheet.h"
#include "cli/picture_session.h"
#include "render/files/picture_io.h"

namespace pax {
namespace {

void MakeDirectory(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (!std::filesystem::is_directory(directory, error)) ThrowBadInput("cannot create directory " + directory);
}

std::string FigureLine(const CatalogueFigure& entry, const DrawnPicture& picture, const std::string& file) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", picture.seconds);
    std::string line = std::to_string(entry.demo) + "/" + std::to_string(entry.figure) + "\t" + entry.name +
                       "\tparts=" + std::to_string(picture.parts) + "\tsegments=" +
                       std::to_string(picture.statistics.segments) + "\terrors=" + std::to_string(picture.errors) +
                       "\tseconds=" + seconds + "\t" + file;
    if (picture.stopped) line += "\tstopped";
    if (picture.failed) line += "\tfailed: " + picture.failure;
    return line;
}

}  // namespace

std::string FigureFileName(int demo, int figure, const std::string& name) {
    return std::to_string(demo) + "_" + std::to_string(figure) + "_" + FileSafeName(name) + ".png";
}

int RenderAllFigures(const std::string& directory, const PictureOptions& options, CliStreams io) {
    MakeDirectory(directory);
    PictureSession session(options, io.err);
    const auto& catalogue = session.Catalogue();
    ContactSheet sheet("Pax3d: " + std::to_string(catalogue.size()) + " figures at " +
                       std::to_string(options.width) + " x " + std::to_string(options.height));
    int failures = 0;
    for (const CatalogueFigure& entry : catalogue) {
        FigureSelection selection;
        selection.kind = FigureSelection::Kind::Index;
        selection.demo = entry.demo;
        selection.figure = entry.figure;
        const DrawnPicture picture = session.Draw(session.Resolve(selection));
        const std::string file = FigureFileName(entry.demo, entry.figure, entry.name);
        const bool written = SavePicture(session.Picture(), (std::filesystem::path(directory) / file).string());
        if (picture.stopped || picture.failed || !written) ++failures;
        io.out << FigureLine(entry, picture, written ? file : "(not written)") << std::endl;
        const bool flagged = picture.errors > 0 || picture.stopped || picture.failed;
        sheet.Add(entry.category, entry.name, session.Picture(), flagged ? SheetMark::Flagged : SheetMark::None);
    }
    const std::string sheetFile = (std::filesystem::path(directory) / ContactSheetName).string();
    if (!SavePicture(sheet.Compose(), sheetFile)) ThrowBadInput("cannot write " + sheetFile);
    if (failures > 0) ThrowBadInput(std::to_string(failures) + " figures were stopped, failed or not written");
    return ExitCode::Ok;
}

}  // namespace pax
