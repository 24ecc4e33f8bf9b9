#include "bench_options.h"

#include <cstdlib>

bool ReadCount(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}
