#pragma once
// The desktop program.

namespace pax {

int RunDesktop(int argc, char** argv);

}  // namespace pax
