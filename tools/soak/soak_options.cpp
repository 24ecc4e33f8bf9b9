#include "soak_options.h"

#include <cstdlib>

namespace {

bool Number(const char* text, uint64_t& value)
{
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && end != text && *end == '\0';
}

}  // namespace

bool ParseSoakOptions(int argc, char** argv, SoakOptions& options, std::string& error)
{
    if (argc == 4 && std::string(argv[1]) == "--hold-file") {
        uint64_t ms = 0;
        options.holdFile = Number(argv[3], ms);
        options.holdPath = argv[2];
        options.holdMs = static_cast<unsigned long>(ms);
        error = "--hold-file PATH MILLISECONDS";
        return options.holdFile;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        uint64_t number = 0;
        if (name == "--root") {
            options.root = value;
        } else if (name == "--verbose" && Number(value, number)) {
            options.verbose = number != 0;
        } else if (name == "--pages" && Number(value, number) && number > 0) {
            options.pages = number;
        } else if (name == "--seed" && Number(value, number) && number > 0) {
            options.seed = number;
        } else if (name == "--threads" && Number(value, number) && number > 0 && number <= 16) {
            options.threads = static_cast<unsigned>(number);
        } else {
            error = "unknown option or bad value: " + name + " " + value;
            return false;
        }
    }
    return true;
}
