// Emptying the data folder of page files left over from an earlier run.
#pragma once
#include <set>
#include <string>

#include "file_system.h"

// Deletes every file in dataDir\Data except those whose full path is in
// keep (compared as PathKey of waiting_handoff_files.h gives them): pages a
// launcher has still to print, or that open jobs hold. Sub-folders and their
// contents stay, files that cannot be deleted stay without a message. The
// current directory is saved before and restored after.
void EmptyDataFolder(const char* dataDir, FileSystem& files, const std::set<std::string>& keep);
