#pragma once
// pax3d render --all -o DIR: one picture of every figure of the library, and a contact sheet
// of them all, DIR/index.png.

#include <string>

#include "cli/cli_io.h"
#include "cli/options.h"

namespace pax {

inline constexpr const char* ContactSheetName = "index.png";

// Writes DIR/D_F_Name.png for every figure (the name made safe for file names) and the
// sheet; prints one line per figure. Exit 1 when a figure was stopped, failed or
// not written.
int RenderAllFigures(const std::string& directory, const PictureOptions& options, CliStreams io);

// "3_15_VariableLeaf-124.png"
std::string FigureFileName(int demo, int figure, const std::string& name);

}  // namespace pax
