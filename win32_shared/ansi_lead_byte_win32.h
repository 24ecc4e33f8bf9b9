// The system's lead-byte test for the process's ANSI code page, shared by
// jobport.dll, KESTRO.EXE and Tessary.exe for splitting ANSI paths.
#pragma once
#include <windows.h>

// True when byte starts a double-byte character in the ANSI code page.
inline bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
