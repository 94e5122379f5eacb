#pragma once
// The desktop's "Export SVG ...", "Export OBJ ..." and "Export Frames ..." once the user has
// chosen a name: the current figure is exported as shown (the eye's view, the depth and seed
// of the moment); success is flashed over the picture, a failure shown in a box with the
// caption ExportCaption. Each returns whether everything was written.

#include <string>

#include "app/export/frame_export.h"

namespace pax {

class Studio;

inline constexpr const char* ExportCaption = "Export";

bool ExportSvgCommand(Studio& studio, const std::string& file);
// Writes file and the materials beside it (file's name with ".mtl").
bool ExportObjCommand(Studio& studio, const std::string& file);
// count pictures into directory, of the animation at fps or of the growth.
bool ExportFramesCommand(Studio& studio, const std::string& directory, FrameKind kind = FrameKind::Animation,
                         int count = 100, double fps = 25);

}  // namespace pax
