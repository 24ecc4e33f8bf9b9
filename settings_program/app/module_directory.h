// The folder part of a path in the ANSI code page, found so that a trail
// byte of a double-byte character that equals "\" (0x5C) is not taken for
// a separator.
#pragma once
#include <string>

#include "ansi_paths/ansi_path_split.h"  // LeadByteTest

// path up to and including its last "\"; empty when it has none.
std::string DirectoryWithSeparator(const std::string& path, LeadByteTest isLeadByte);

// The file name of path without its folder and without its extension
// ("C:\Prog\Tessary.exe" gives "Tessary").
std::string FileTitle(const std::string& path, LeadByteTest isLeadByte);
