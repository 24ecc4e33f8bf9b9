// Page files on Windows: CreateDirectoryA, MoveFileExA, CopyFileA,
// DeleteFileA, and the library's debug log.
#pragma once
#include "page_file_system.h"

PageFileSystem& Win32PageFileSystem();
