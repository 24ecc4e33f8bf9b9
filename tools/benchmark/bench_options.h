// Reading the benchmarks' command-line numbers.
#pragma once

// A whole decimal number from low to high; false for anything else.
bool ReadCount(const char* text, int low, int high, int& value);
