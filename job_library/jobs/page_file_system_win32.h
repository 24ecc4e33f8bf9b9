// Page files on Windows: CreateDirectoryA, MoveFileExA, CopyFileA,
// DeleteFileA, and the library's debug log.
#pragma once
#include "page_file_system.h"

PageFileSystem& Win32PageFileSystem();

// A page just moved into the data folder stays open from before its move
// until the caller has taken the page's own lock (held_page_locks_win32.h),
// then this lets it go.
void ReleaseMovedPageGuard();
