// Finding the library's configuration file in the host's current directory.
#pragma once
#include <cstddef>

#include "file_system.h"

// Current directory + "\" + fileName into out when that file can be opened
// for reading; false (out empty) when it cannot or the path does not fit.
bool FindCfgFile(char* out, size_t size, const char* fileName, FileSystem& files);
