#pragma once
// The stop request of the main window: the derivation and the object window read it and end
// their work early when it is set (too many parts, a user's break, a command-line time limit).

namespace pax {

bool StopRequested();
void RequestStop();
void ClearStopRequest();

}  // namespace pax
