// Every test process writes its own debug log and keeps its configuration and state folders
// in a scratch folder of its own: CTest runs the cases of one executable as parallel
// processes in one directory, a shared DEBUG.TMP would be truncated under the tests that read
// it back, and no test may write into the user's real ~/.config or ~/.local/state.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "system/debug_log.h"
#include "system/file_utils.h"

namespace {

struct ProcessFolders {
    pid_t owner = getpid();
    std::string root = pax::TempFilePath("pax3d-test-" + std::to_string(owner));
    std::string log = root + "/DEBUG.TMP";
    ProcessFolders() {
        std::filesystem::create_directories(root);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        setenv("XDG_STATE_HOME", (root + "/state").c_str(), 1);
        // The resources the program ships (stroke fonts, ...) come from the source tree.
        setenv("PAX3D_DATA", PAX3D_SOURCE_DIR "/data", 0);
        pax::CreateDebugLog(log, "test");
    }
    ~ProcessFolders() {
        // A death test's child exits through here too; the folders are its parent's.
        if (getpid() != owner) return;
        pax::CloseDebugLog();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

const ProcessFolders g_processFolders;

}  // namespace
