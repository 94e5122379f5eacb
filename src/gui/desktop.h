#pragma once
// The desktop program.

#include <string>

namespace pax {

// lsyFile, when given, is loaded into the editor's tree and its first system shown.
int RunDesktop(int argc, char** argv, const std::string& lsyFile = {});

}  // namespace pax
