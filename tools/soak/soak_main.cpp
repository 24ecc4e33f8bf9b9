// soak.exe: drives the real jobport.dll under Wine for a long run with the
// launcher double, injecting faults from a printed seed, and checks that no
// page is lost, taken twice without cause or left behind (make soak; a
// short run is part of make test). Exit code 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <exception>

#include "file_holder.h"
#include "soak_options.h"
#include "soak_run.h"

int main(int argc, char** argv)
{
    SoakOptions options;
    std::string error;
    if (!ParseSoakOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "soak: %s\nusage: soak [--pages N] [--seed S] [--threads T] [--hosts H] [--root FOLDER]\n",
                     error.c_str());
        return 2;
    }
    if (options.holdFile)
        return RunFileHolder(options.holdPath, options.holdMs);
    // Boxes of the system's own (a missing disk, a crash) would wait for a user.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    try {
        const int result = RunSoak(options);
        std::fflush(stdout);
        return result;
    } catch (const std::exception& e) {
        std::printf("SOAK FAILED: %s\n", e.what());
    } catch (...) {
        std::printf("SOAK FAILED: unexpected exception\n");
    }
    return 2;
}
