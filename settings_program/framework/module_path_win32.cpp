#include "framework/module_path_win32.h"

#include <vector>

std::string ModuleFilePath(HINSTANCE module)
{
    // A module path is never longer than this; one zero byte more than the
    // call may fill keeps it terminated.
    const DWORD size = 65536;
    std::vector<char> buffer(size + 1, '\0');
    const DWORD length = GetModuleFileNameA(module, buffer.data(), size);
    return std::string(buffer.data(), length);
}
