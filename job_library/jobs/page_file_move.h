// Moving a page file from where the host wrote it into the data folder, from
// which the launcher prints it. A page never replaces another page waiting in
// the data folder: when its name is taken it gets a numbered name. A page
// that cannot be moved whole stays with the host and is refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "jobport_readers/page_file_names.h"
#include "page_file_system.h"

// Name attempts before a page is refused: "scan.bmp", then "scan(2).bmp" up
// to "scan(9999).bmp".
const unsigned kMaxPageNameAttempts = 9999;

// Why a page was not moved: the Windows error code, which the refusal line
// carries as its number, and a short reason.
struct PageRefusal {
    int32_t errorCode = 0;
    const char* reason = "";
};

// Moves the page file at hostPath into the data folder under dataDir: by
// renaming it where the system can, else by copying it and deleting the
// source. A name taken in the data folder gives the page the next free
// numbered name.
//
// Returns true when the page was moved; newPath is then its path in the data
// folder. Otherwise nothing was moved, the source stays, newPath is left as
// it was and `refusal` says why: no data folder (dataDir empty), a path or
// name that would not fit a 260-byte path buffer, a path without a file name,
// a device name, a source that is missing, a folder or held by another
// program, a copy that failed, no free name.
//
// When the page was copied but its source could not be deleted afterwards,
// *sourceKeptError (if given) is the Windows error code of that delete; the
// page counts as moved. Else it is 0.
bool MovePageFile(PageFileSystem& files, const char* dataDir, const std::string& hostPath,
                  std::string& newPath, PageRefusal& refusal,
                  int32_t* sourceKeptError = nullptr);

// The debug-log line of a refused page: "<<Error>> page file not moved
// (reason): path".
std::string PageRefusalLine(const PageRefusal& refusal, const std::string& hostPath);
