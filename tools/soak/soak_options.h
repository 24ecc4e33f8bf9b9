// The soak's command line:
//   soak [--pages N] [--seed S] [--threads T] [--hosts H] [--root FOLDER] [--verbose 1]
//   soak --companion K --parent PID --root FOLDER --seed S ...
//                        (host process K of H, started by host 1 with its options)
//   soak --hold-file PATH MILLISECONDS     (the soak's own helper process)
#pragma once
#include <cstdint>
#include <string>

struct SoakOptions {
    static const unsigned kMaxHosts = 4;

    uint64_t pages = 100000;     // pages JP_SendData must accept, all host processes together
    uint64_t seed = 0;           // 0: one is drawn and printed
    unsigned threads = 3;        // host threads of each host process
    unsigned hosts = 1;          // host processes sharing the installation
    unsigned host = 1;           // which of them this is; host 1 sets up and starts the others
    unsigned long parent = 0;    // host 1's process id, in the others
    std::string root;            // installation folder; default: in the temporary folder
    bool verbose = false;        // --verbose 1: each fault as it is injected
    bool holdFile = false;       // run as the log-holding helper
    std::string holdPath;
    unsigned long holdMs = 0;

    bool Companion() const { return host > 1; }
    // This host process's share of the pages.
    uint64_t HostPages() const { return pages / hosts + (host <= pages % hosts ? 1 : 0); }
    // The seed of this host process's own random streams; host 1's is the seed itself.
    uint64_t HostSeed() const;
    // "host K" when there are several host processes, else "".
    std::string Label() const;
};

// False with a reason for a command line it does not understand.
bool ParseSoakOptions(int argc, char** argv, SoakOptions& options, std::string& error);
