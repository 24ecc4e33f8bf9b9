// Moving a page file from where the host wrote it into the data folder, from
// which the launcher prints it. A page never replaces another page waiting in
// the data folder: when its name is taken it gets a numbered name.
#pragma once
#include <cstddef>
#include <string>

#include "page_file_system.h"

// Name attempts before a page is refused: "scan.bmp", then "scan(2).bmp" up
// to "scan(9999).bmp".
const unsigned kMaxPageNameAttempts = 9999;

// The file name of a page path: everything after its last '\' or '/', or the
// whole path when it has neither.
std::string PageFileName(const std::string& path);

// The name of attempt n (1 and up) for fileName: the name itself for 1, else
// a "(n)" put before the extension: "scan.bmp", "scan(2).bmp", "scan(3).bmp".
// A leading dot starts no extension.
std::string NumberedFileName(const std::string& fileName, unsigned attempt);

// The data folder under dataDir (the library's data directory):
// dataDir + "\Data".
std::string DataFolderPath(const char* dataDir);

// Moves the page file at hostPath into the data folder under dataDir: by
// renaming it where the system can, else by copying it and deleting the
// source. A name taken in the data folder gives the page the next free
// numbered name.
//
// Returns true when the page was moved; newPath is then its path in the data
// folder. When the move fails after a free destination was chosen (a
// missing or unreadable source), newPath is that destination, which names no
// file, and the source stays. When no destination can be formed (a path or
// name that would not fit a 260-byte path buffer, a path without a file
// name, no free name) a line goes to the debug log, nothing is moved and
// newPath is left as it was.
bool MovePageFile(PageFileSystem& files, const char* dataDir, const std::string& hostPath,
                  std::string& newPath);
