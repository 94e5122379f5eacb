#include "app/export/picture_export.h"

#include <cstring>
#include <filesystem>

#include "app/config/atomic_file.h"
#include "app/export/export_scope.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "render/surface/bitmap32.h"
#include "system/settings.h"

namespace pax {

namespace {

void DrawPicture(Studio& studio, const PictureDrawer& draw) {
    if (draw)
        draw();
    else
        studio.Pictures().ShowActualPicture();
}

}  // namespace

std::string WriteExportFile(const std::string& file, std::string_view contents) {
    const AtomicWriteResult result = WriteFileAtomically(file, contents);
    if (result.Ok()) return {};
    return "cannot write " + file + ": " + std::strerror(result.Error);
}

std::string RecordSvg(Studio& studio, const PictureDrawer& draw, SvgCounts* counts) {
    const TBitmap32& picture = studio.Picture();
    SvgRecorder recorder(picture.Width(), picture.Height(), ConfigValues().BackgroundColor);
    {
        ExportScope scope(studio, &recorder, nullptr);
        DrawPicture(studio, draw);
    }
    std::string document = recorder.Document();
    if (counts) *counts = recorder.Counts();
    return document;
}

ExportResult ExportSvg(Studio& studio, const std::string& file, const PictureDrawer& draw) {
    ExportResult result;
    result.zBufferReplaced = ZBufferSelected();
    const std::string document = RecordSvg(studio, draw, &result.svg);
    result.error = WriteExportFile(file, document);
    result.ok = result.error.empty();
    return result;
}

std::string MtlFileFor(const std::string& objFile) {
    return std::filesystem::path(objFile).replace_extension(".mtl").string();
}

ObjTexts RecordObj(Studio& studio, const PictureDrawer& draw, const std::string& mtlName) {
    ObjRecorder recorder;
    {
        ExportScope scope(studio, nullptr, &recorder);
        DrawPicture(studio, draw);
    }
    ObjTexts texts;
    texts.model = recorder.Model(mtlName);
    texts.materials = recorder.Materials();
    texts.counts = recorder.Counts();
    return texts;
}

ExportResult ExportObj(Studio& studio, const std::string& file, const PictureDrawer& draw) {
    ExportResult result;
    result.mtlFile = MtlFileFor(file);
    const ObjTexts texts = RecordObj(studio, draw, std::filesystem::path(result.mtlFile).filename().string());
    result.obj = texts.counts;
    // The materials first: a model never names a file that is not there.
    result.error = WriteExportFile(result.mtlFile, texts.materials);
    if (result.error.empty()) result.error = WriteExportFile(file, texts.model);
    result.ok = result.error.empty();
    return result;
}

}  // namespace pax
