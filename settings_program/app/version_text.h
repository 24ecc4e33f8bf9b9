// The FileVersion text of a version resource in the dotted form the
// program compares: "1, 0, 3, 0" becomes "1.0.3.0".
#pragma once
#include <string>

// Every comma becomes a full stop, then every space is removed.
std::string NormaliseVersionText(const std::string& text);
