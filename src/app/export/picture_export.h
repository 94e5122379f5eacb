#pragma once
// The picture as files for other programs: SVG vector graphics of the picture as the object
// window draws it, and an OBJ model (with its MTL materials) of the figure's 3D geometry. Each
// draws the picture once more with a recorder attached (see ExportScope) and writes the file
// atomically: whole or not at all.
//
// The desktop's "Export SVG ..." and "Export OBJ ..." items call these with the current
// figure as shown; the command line passes its own drawing.

#include <functional>
#include <string>

#include "render/export/obj_recorder.h"
#include "render/export/svg_recorder.h"

namespace pax {

class Studio;

// Draws the picture; empty: the current picture as the desktop shows it (ShowActualPicture).
using PictureDrawer = std::function<void()>;

struct ExportResult {
    bool ok = false;
    std::string error;             // why nothing was written ("cannot write x.svg: ...")
    bool zBufferReplaced = false;  // the z-buffer was on: lines were exported as parts instead
    SvgCounts svg;
    ObjCounts obj;
    std::string mtlFile;           // the materials' file beside the model
};

// The SVG document of one picture of the size of the studio's picture.
std::string RecordSvg(Studio& studio, const PictureDrawer& draw, SvgCounts* counts = nullptr);
ExportResult ExportSvg(Studio& studio, const std::string& file, const PictureDrawer& draw = {});

// The model beside NAME.mtl: file's name with its extension replaced by ".mtl".
std::string MtlFileFor(const std::string& objFile);
struct ObjTexts {
    std::string model;       // names mtlName in its "mtllib" line
    std::string materials;
    ObjCounts counts;
};
ObjTexts RecordObj(Studio& studio, const PictureDrawer& draw, const std::string& mtlName);
ExportResult ExportObj(Studio& studio, const std::string& file, const PictureDrawer& draw = {});

// Writes contents to file atomically; an empty string, or the reason it failed.
std::string WriteExportFile(const std::string& file, std::string_view contents);

}  // namespace pax
