// Paths the tools hand to other programs: whole, so that they mean the same
// file whatever the other program's current folder.
#pragma once
#include <string>

// The full path of `path`; `path` itself when it cannot be made whole.
std::string FullPath(const std::string& path);
// The full path of the running program; empty when it cannot be read whole.
std::string ThisProgramPath();
