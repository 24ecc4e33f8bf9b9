// Folders the Windows tests make and clean up.
#pragma once
#include <string>

// Deletes folder with everything in it (read-only files included); what
// cannot be deleted stays.
void RemoveTree(const std::string& folder);
