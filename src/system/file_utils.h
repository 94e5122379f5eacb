#pragma once
// Files and directories: the temporary directory, the start directory, file listings.

#include <cstdio>
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

// Opens a file of the program's own (the debug log, the parse errors) for writing, truncated
// or for appending, mode 0600: a symbolic link planted under its name is not followed (its
// target is never touched; ELOOP), nothing but a regular file is written (a FIFO does not
// block). nullptr with errno on failure.
std::FILE* OpenPrivateFile(const std::string& path, bool append);

// Opens path for reading without blocking (a FIFO without a writer would hang a plain open)
// and accepts a regular file only. Returns the descriptor, or -1 with error set to the open's
// errno, EISDIR for a directory or ENODEV for a FIFO, device or socket (never read).
int OpenRegularFile(const std::string& path, int& error);

// Reads at most limit bytes of a regular file (opened as above) into text and sets cut when
// more was there. The size is not trusted: files in /proc report 0, a file may grow while it
// is read, a sparse file may claim terabytes. Returns 0 or the errno of the failure.
int ReadFilePrefix(const std::string& path, size_t limit, std::string& text, bool& cut);

}  // namespace pax
