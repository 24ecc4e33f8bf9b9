#include "soak_options.h"

#include <cstdlib>

#include "random_source.h"

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
        } else if (name == "--hosts" && Number(value, number) && number > 0 &&
                   number <= SoakOptions::kMaxHosts) {
            options.hosts = static_cast<unsigned>(number);
        } else if (name == "--companion" && Number(value, number) && number > 1 &&
                   number <= SoakOptions::kMaxHosts) {
            options.host = static_cast<unsigned>(number);
        } else if (name == "--parent" && Number(value, number) && number > 0 && number <= 0xFFFFFFFFull) {
            options.parent = static_cast<unsigned long>(number);
        } else {
            error = "unknown option or bad value: " + name + " " + value;
            return false;
        }
    }
    if (options.host > options.hosts) {
        error = "--companion " + std::to_string(options.host) + " of only " + std::to_string(options.hosts);
        return false;
    }
    if (options.Companion() && (options.parent == 0 || options.root.empty() || options.seed == 0)) {
        error = "--companion needs --parent, --root and --seed";
        return false;
    }
    if (options.pages < options.hosts) {
        error = "fewer pages than host processes";
        return false;
    }
    return true;
}

uint64_t SoakOptions::HostSeed() const
{
    if (host == 1)
        return seed;  // a run of one host replays as before
    RandomSource mix(seed ^ (0x9E3779B97F4A7C15ull * host));
    const uint64_t hostSeed = mix.Next() % 1000000000ull;
    return hostSeed == 0 ? 1 : hostSeed;
}

std::string SoakOptions::Label() const
{
    return hosts > 1 ? "host " + std::to_string(host) : std::string();
}
