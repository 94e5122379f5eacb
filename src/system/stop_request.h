#pragma once
// The stop request of the main window: the derivation, the object window and the long loops
// of drawing read it and end their work early when it is set (too many parts, a user's break,
// a command-line time limit).
//
// A picture that takes long must still hear the user's break. The drawing thread cannot take
// its input while it draws, so a watcher (any thread) marks a look at the input as due, and
// the next StopRequested on the thread that installed the poll runs it; the poll may call
// RequestStop. Without a due mark StopRequested costs two relaxed loads.

#include <functional>

namespace pax {

// Whether the work of the picture should end: the derivation reads it every 1024 symbols.
bool StopRequested();
// Whether the drawing of what was made should end too (the part list, fills, filters): true
// after RequestStop, false after RequestDerivationStop alone. As cheap as StopRequested, so
// loops over rows or parts read it once per row or per few parts.
bool DrawingStopRequested();
// A user's break or a time limit: everything ends.
void RequestStop();
// Too many parts or no memory: the derivation ends, the parts made so far are still drawn.
void RequestDerivationStop();
void ClearStopRequest();

// The poll runs on the installing thread only, never inside itself; an empty poll removes it.
void InstallStopPoll(std::function<void()> poll);
// Any thread: the next StopRequested on the poll's thread runs the poll once.
void MarkStopPollDue();

}  // namespace pax
