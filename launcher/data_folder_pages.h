// Which files the launcher takes as pages: only files the library put into
// its data folder, which it places directly in that folder under a path of
// at most 259 characters. A page list naming anything else (a system file,
// a share, a file of another folder or of a sub-folder such as the folder
// of kept pages) was not written by the library, and nothing of its group
// is printed, moved or deleted.
#pragma once
#include <string>

#include "ansi_paths/ansi_path_split.h"

// True when `path`, normalised, names a file directly in `dataFolder`.
bool IsInDataFolder(const std::string& path, const std::string& dataFolder, LeadByteTest isLeadByte);
