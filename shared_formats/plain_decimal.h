// Numbers stored as text in the settings file, read the way the settings
// program reads them.
#pragma once
#include <cstdint>
#include <string>

// Leading blanks, an optional sign and the digits up to the first other
// character; 0 when there are none or when the digits exceed a 32-bit int.
int32_t PlainDecimal(const std::string& text);
