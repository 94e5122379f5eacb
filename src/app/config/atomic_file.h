#pragma once
// Replacing a file so that a crash or a full disk never leaves it half written: the new
// contents go to a temporary file in the same directory, are flushed to the disk, and then
// renamed over the old file in one step.

#include <string>
#include <string_view>

namespace pax {

struct AtomicWriteResult {
    enum class Stage { None, Create, Write, Replace };
    Stage FailedAt = Stage::None;
    int Error = 0;  // errno of the failing call

    bool Ok() const { return FailedAt == Stage::None; }
};

// A symbolic link at path is followed, so the link stays and its target is replaced. A new
// file gets the mode 0644, a replaced one keeps its mode.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view contents);

}  // namespace pax
