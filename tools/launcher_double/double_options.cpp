#include "double_options.h"

#include <windows.h>

#include <cstdlib>

#include "full_path_win32.h"

namespace {

std::string Variable(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

bool Switch(const char* name) { return Variable(name) == "1"; }

std::string RecordBesideProgram()
{
    std::string result = ThisProgramPath();
    const size_t slash = result.find_last_of('\\');
    result.erase(slash == std::string::npos ? 0 : slash + 1);
    return result + "kestro_double.rec";
}

}  // namespace

DoubleOptions ReadDoubleOptions()
{
    DoubleOptions options;
    options.recordPath = Variable("KESTRO_DOUBLE_RECORD");
    if (options.recordPath.empty())
        options.recordPath = RecordBesideProgram();
    options.startDelayMs = std::strtoul(Variable("KESTRO_DOUBLE_START_DELAY_MS").c_str(), nullptr, 10);
    options.windowDelayMs =
        std::strtoul(Variable("KESTRO_DOUBLE_WINDOW_DELAY_MS").c_str(), nullptr, 10);
    options.noWindow = Switch("KESTRO_DOUBLE_NO_WINDOW");
    options.deletePrinted = Switch("KESTRO_DOUBLE_DELETE_PRINTED");
    options.exitOnDelete = Switch("KESTRO_DOUBLE_EXIT_ON_DELETE");
    const std::string printLimit = Variable("KESTRO_DOUBLE_PRINT_LIMIT");
    options.limitPrinted = !printLimit.empty();
    options.printLimit = std::strtoul(printLimit.c_str(), nullptr, 10);
    return options;
}
