#pragma once
// Where the program keeps its files, by the XDG conventions of the Linux desktop:
//   configuration  $XDG_CONFIG_HOME/pax3d   (default ~/.config/pax3d): "pax3d.INI"
//   state          $XDG_STATE_HOME/pax3d    (default ~/.local/state/pax3d): "DEBUG.TMP",
//                  "ParseErrors.tmp", "work.LSY"
//   data           $PAX3D_DATA, else data/ beside the executable (the build copies it there),
//                  else ../share/pax3d/data from the executable (the installed program)
// Nothing is written into the user's current folder unasked. A folder that cannot be made
// falls back to a private folder of this user below the temporary directory.

#include <string>
#include <string_view>

namespace pax {

inline constexpr std::string_view AppFolderName = "pax3d";

// The configuration and state folders, created (mode 0700) when missing. Each is looked up
// again on every call, so a test that changes the environment sees its own folders.
std::string ConfigFolder();
std::string StateFolder();
// name inside the state folder.
std::string StateFilePath(std::string_view name);

// "$TMPDIR/pax3d-<uid>" (else below /tmp), made with mode 0700 and accepted only when it is a
// real directory owned by this user: never a folder or link another user planted.
// Empty when no such folder can be had.
std::string PrivateTempFolder();
// name inside the private temporary folder; empty when there is none.
std::string PrivateTempFilePath(std::string_view name);

// The data folder: the first of the candidates above that is a directory; the first
// candidate when none is (so that a missing file is reported with a path a user recognises).
std::string DataFolder();
// name (which may hold sub-folders: "pics/sky.jpg") inside the data folder.
std::string DataFilePath(std::string_view name);

}  // namespace pax
