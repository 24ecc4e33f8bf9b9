// The soak's command line:
//   soak [--pages N] [--seed S] [--threads T] [--root FOLDER] [--verbose 1]
//   soak --hold-file PATH MILLISECONDS     (the soak's own helper process)
#pragma once
#include <cstdint>
#include <string>

struct SoakOptions {
    uint64_t pages = 100000;     // pages JP_SendData must accept
    uint64_t seed = 0;           // 0: one is drawn and printed
    unsigned threads = 3;        // host threads
    std::string root;            // installation folder; default: in the temporary folder
    bool verbose = false;        // --verbose 1: each fault as it is injected
    bool holdFile = false;       // run as the log-holding helper
    std::string holdPath;
    unsigned long holdMs = 0;
};

// False with a reason for a command line it does not understand.
bool ParseSoakOptions(int argc, char** argv, SoakOptions& options, std::string& error);
