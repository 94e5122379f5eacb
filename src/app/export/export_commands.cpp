#include "app/export/export_commands.h"

#include "app/export/picture_export.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "system/error_reporting.h"
#include "system/presenter.h"

namespace pax {

namespace {

bool Report(Studio& studio, bool ok, const std::string& error, const std::string& done) {
    if (!ok) {
        ShowError(ExportCaption, error, Buttons::Ok);
        return false;
    }
    studio.State().FlashInfo(done, MainState::InfoColor);
    return true;
}

}  // namespace

bool ExportSvgCommand(Studio& studio, const std::string& file) {
    const ExportResult result = ExportSvg(studio, file);
    std::string done = "SVG written: " + file;
    if (result.zBufferReplaced) done += " (lines from the part list, not the z-buffer)";
    return Report(studio, result.ok, result.error, done);
}

bool ExportObjCommand(Studio& studio, const std::string& file) {
    const ExportResult result = ExportObj(studio, file);
    return Report(studio, result.ok, result.error,
                  "OBJ written: " + file + " (" + std::to_string(result.obj.faces) + " faces, " +
                      std::to_string(result.obj.lines) + " lines)");
}

bool ExportFramesCommand(Studio& studio, const std::string& directory, FrameKind kind, int count, double fps) {
    FramesRequest request{directory, count, fps, kind};
    const FramesResult result = ExportFrames(studio, request);
    return Report(studio, result.ok, result.error,
                  std::to_string(result.written) + " pictures written to " + directory);
}

}  // namespace pax
