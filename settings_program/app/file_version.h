// The FileVersion text of a file's version resource, normalised
// ("1.0.3.0"); empty when the file has no usable version resource. Printer
// driver files are compared by it to notice a driver change.
#pragma once
#include <string>

std::string GetFileVersionString(const std::string& path);
