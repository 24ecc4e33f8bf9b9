#include "bench_options.h"

#include <cstdlib>

#include "full_path_win32.h"

bool ReadNamedOptions(int argc, char** argv, const std::map<std::string, OptionReader>& readers)
{
    if (argc % 2 != 1)
        return false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const auto reader = readers.find(argv[i]);
        if (reader == readers.end() || !reader->second(argv[i + 1]))
            return false;
    }
    return true;
}

OptionReader CountOption(int low, int high, int& value)
{
    return [low, high, &value](const char* text) {
        char* end = nullptr;
        const long number = std::strtol(text, &end, 10);
        if (*text == '\0' || *end != '\0' || number < low || number > high)
            return false;
        value = static_cast<int>(number);
        return true;
    };
}

OptionReader PathOption(std::string& path)
{
    return [&path](const char* text) {
        path = FullPath(text);
        return true;
    };
}

OptionReader TextOption(std::string& text)
{
    return [&text](const char* value) {
        text = value;
        return true;
    };
}
