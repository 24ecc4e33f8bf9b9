// Emptying the data folder of page files left over from an earlier run.
#pragma once

#include "file_system.h"

// Deletes every file in dataDir\Data; sub-folders and their contents stay,
// files that cannot be deleted stay without a message. The current
// directory is saved before and restored after.
void EmptyDataFolder(const char* dataDir, FileSystem& files);
