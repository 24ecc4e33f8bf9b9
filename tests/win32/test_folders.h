// Folders the Windows tests make and clean up.
#pragma once
#include <string>
#include <vector>

// Deletes folder with everything in it (read-only files included); what
// cannot be deleted stays.
void RemoveTree(const std::string& folder);

// The names in folder, sorted: its files, and its subfolders when foldersToo.
std::vector<std::string> NamesIn(const std::string& folder, bool foldersToo = false);
