// Emptying the data folder of page files left over from an earlier run.
#pragma once
#include <set>
#include <string>

#include "file_system.h"

// Deletes every file in dataDir\Data except the pages a launcher has still
// to print and those a host still holds. Another host process of the same
// user shares the folder and may hand pages over meanwhile, so every other
// file is first held for this process alone (a file that cannot be held is
// in use and stays), and only then are the page lists waiting in tempDir
// (ending with a backslash; empty for none) read: a file they name stays,
// every other held file is deleted through its handle. `held` lists the
// pages this process's jobs hold (compared as PathKey of
// waiting_handoff_files.h gives them). Sub-folders and their contents stay,
// files that cannot be deleted stay without a message. The current directory
// is saved before and restored after.
void EmptyDataFolder(const char* dataDir, FileSystem& files, const std::set<std::string>& held,
                     const char* tempDir);
