// The hand-off files on Windows: files through CreateFileA and WriteFile,
// the settings file through WritePrivateProfileStringA, errors through the
// library's error reporter.
#pragma once
#include "handoff_file_system.h"

HandoffFileSystem& Win32HandoffFileSystem();
