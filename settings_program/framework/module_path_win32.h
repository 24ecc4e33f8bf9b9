// The path of a loaded module and the code page's lead-byte test, for
// path splitting that respects double-byte characters.
#pragma once
#include <windows.h>

#include <string>

// Full path of the module's file (the program's own for its instance).
std::string ModuleFilePath(HINSTANCE module);

// True when byte starts a double-byte character in the ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);
