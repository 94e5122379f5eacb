#pragma once
// The stop request of the main window: the derivation and the object window read it and end
// their work early when it is set (too many parts, a user's break, a command-line time limit).
//
// A picture that takes long must still hear the user's break. The drawing thread cannot take
// its input while it draws, so a watcher (any thread) marks a look at the input as due, and
// the next StopRequested on the thread that installed the poll runs it; the poll may call
// RequestStop. Without a due mark StopRequested costs two relaxed loads.

#include <functional>

namespace pax {

bool StopRequested();
void RequestStop();
void ClearStopRequest();

// The poll runs on the installing thread only, never inside itself; an empty poll removes it.
void InstallStopPoll(std::function<void()> poll);
// Any thread: the next StopRequested on the poll's thread runs the poll once.
void MarkStopPollDue();

}  // namespace pax
