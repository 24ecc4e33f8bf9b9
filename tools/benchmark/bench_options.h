// Reading the benchmarks' command lines: "--name value" pairs.
#pragma once
#include <functional>
#include <map>
#include <string>

// Puts an option's value in its place; false when the option takes no such value.
using OptionReader = std::function<bool(const char* value)>;

// Reads the command line as "--name value" pairs, each value through the
// reader of its name; false for a name without a reader or without a
// value, or for a value its reader refuses.
bool ReadNamedOptions(int argc, char** argv, const std::map<std::string, OptionReader>& readers);

// A whole decimal number from low to high.
OptionReader CountOption(int low, int high, int& value);
// A path, made whole (full_path_win32.h).
OptionReader PathOption(std::string& path);
// Any text.
OptionReader TextOption(std::string& text);
