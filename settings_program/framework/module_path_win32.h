// The path of a loaded module and the code page's lead-byte test, for
// path splitting that respects double-byte characters.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/ansi_lead_byte_win32.h"  // IsAnsiLeadByte

// Full path of the module's file (the program's own for its instance).
std::string ModuleFilePath(HINSTANCE module);
