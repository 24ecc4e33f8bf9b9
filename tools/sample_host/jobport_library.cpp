#include "jobport_library.h"

namespace {

// GetProcAddress gives a generic function pointer; going through void*
// converts it to the export's real type without a cast warning.
template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function, std::string& error)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (function)
        return true;
    error = std::string("export ") + name + " not found (Windows error " +
            std::to_string(GetLastError()) + ")";
    return false;
}

}  // namespace

bool JobportLibrary::Load(const char* fileName, std::string& error)
{
    Unload();
    m_module.Reset(LoadLibraryA(fileName));
    if (!m_module) {
        error = std::string("cannot load ") + fileName + " (Windows error " +
                std::to_string(GetLastError()) + ")";
        return false;
    }
    const HMODULE module = m_module.Get();
    if (Resolve(module, "JP_init", JP_init, error) &&
        Resolve(module, "JP_StartJob", JP_StartJob, error) &&
        Resolve(module, "JP_SendData", JP_SendData, error) &&
        Resolve(module, "JP_EndJob", JP_EndJob, error) &&
        Resolve(module, "JP_AbortJob", JP_AbortJob, error))
        return true;
    Unload();
    return false;
}

void JobportLibrary::Unload()
{
    m_module.Close();
    JP_init = nullptr;
    JP_StartJob = nullptr;
    JP_SendData = nullptr;
    JP_EndJob = nullptr;
    JP_AbortJob = nullptr;
}

std::string JobportLibrary::Path() const
{
    char path[MAX_PATH] = {};
    const DWORD n = m_module ? GetModuleFileNameA(m_module.Get(), path, sizeof path) : 0;
    return std::string(path, n < sizeof path ? n : 0);
}
