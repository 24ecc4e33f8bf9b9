#include "launcher_command_line.h"

#include <cstdio>

namespace {

// snprintf into a fixed buffer; a result that would be cut leaves it empty.
template <size_t N>
bool FormWhole(char (&out)[N], int written)
{
    if (written < 0 || static_cast<size_t>(written) >= N) {
        out[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace

bool FormLauncherProgramPath(const char* installDir, char (&path)[kLauncherProgramPathSize])
{
    if (!installDir) {
        path[0] = '\0';
        return false;
    }
    return FormWhole(path, std::snprintf(path, sizeof path, "%s\\%s", installDir,
                                         kLauncherProgramName));
}

bool FormLauncherCommandLine(const char* installDir, const char* configPath,
                             char (&commandLine)[kLauncherCommandLineSize])
{
    if (!installDir || !configPath) {
        commandLine[0] = '\0';
        return false;
    }
    return FormWhole(commandLine,
                     std::snprintf(commandLine, sizeof commandLine, "%s\\%s \"%s\"", installDir,
                                   kLauncherProgramName, configPath));
}
