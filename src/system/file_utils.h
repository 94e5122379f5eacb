#pragma once
// Files and directories: the temporary directory, the start directory, file listings.

#include <string>
#include <vector>

namespace pax {

// $TMPDIR, else /tmp, joined with name.
std::string TempFilePath(const std::string& name);

// The current directory at start-up (recorded by RememberStartDirectory).
void RememberStartDirectory();
const std::string& StartDirectory();
void RestoreStartDirectory();

// Appends every regular file in directory whose name matches mask ("*.LSY", "*", case
// ignored) to files, each with its directory, sorted by name; directories are left out.
void ListFiles(const std::string& directory, const std::string& mask, std::vector<std::string>& files);

bool FileExists(const std::string& path);

}  // namespace pax
