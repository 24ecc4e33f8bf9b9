// The hand-off files in the temporary folder that still wait for a launcher:
// a page list is deleted by the launcher only once it has printed it, and a
// job's settings file once the job has been printed. A page list's name must
// not be taken again and the page files they name must not be deleted before
// then. A settings file without a page list of its id is left over from a
// job that will never print another group, and may be overwritten.
#pragma once
#include <cstdint>
#include <set>
#include <string>

#include "setup/file_system.h"

// True when tempDir (ending with a backslash) holds a page list of jobId (a
// hand-off file of page 1 or more): a group of that id still waits to print.
bool PageListsWait(FileSystem& files, const char* tempDir, uint32_t jobId);

// Adds every page path the hand-off files in tempDir name to paths, as
// PathKey gives it. Any line of them may be a path: a line that is not one
// names no file of the data folder.
void AddPagesOfWaitingHandoffFiles(FileSystem& files, const char* tempDir,
                                   std::set<std::string>& paths);

// The form in which two paths are compared: the path as Windows resolves it
// (separators, "." and "..", trailing dots and blanks), and as file names
// are not case sensitive, ASCII letters lower case (never the trail byte of
// a double-byte character).
std::string PathKey(const std::string& path);
