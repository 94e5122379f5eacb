// Every test process writes its own debug log. CTest runs the cases of one executable as
// parallel processes in one directory, and a shared DEBUG.TMP would be truncated under the
// tests that read it back.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "system/debug_log.h"
#include "system/file_utils.h"

namespace {

struct ProcessLog {
    pid_t owner = getpid();
    std::string path = pax::TempFilePath("pax3d-test-" + std::to_string(owner) + ".TMP");
    ProcessLog() { pax::CreateDebugLog(path, "test"); }
    ~ProcessLog() {
        // A death test's child exits through here too; the log is its parent's.
        if (getpid() != owner) return;
        pax::CloseDebugLog();
        std::remove(path.c_str());
    }
};

const ProcessLog g_processLog;

}  // namespace
