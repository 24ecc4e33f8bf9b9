#include "installation.h"
#include "test_folders.h"

#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/registry_key_win32.h"

namespace {

bool KeyExists(const std::string& path)
{
    return RegistryKeyHandle().Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ);
}

}  // namespace

ScopedRegistryKey::ScopedRegistryKey(const std::string& path) : m_path(path)
{
    for (size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
        const std::string key = path.substr(0, end);
        if (!KeyExists(key)) {
            RegistryKeyHandle created;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                created.Receive(), nullptr) != ERROR_SUCCESS)
                return;
            m_createdKeys.push_back(key);
        }
        if (end == std::string::npos)
            break;
    }
    m_ready = true;
}

ScopedRegistryKey::~ScopedRegistryKey()
{
    {
        RegistryKeyHandle key;
        key.Open(HKEY_LOCAL_MACHINE, m_path.c_str(), KEY_WRITE);
        for (auto value = m_saved.rbegin(); key && value != m_saved.rend(); ++value) {
            if (value->existed)
                RegSetValueExA(key.Get(), value->name.c_str(), 0, value->type, value->data.data(),
                               static_cast<DWORD>(value->data.size()));
            else
                RegDeleteValueA(key.Get(), value->name.c_str());
        }
    }
    for (auto key = m_createdKeys.rbegin(); key != m_createdKeys.rend(); ++key)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key->c_str());
}

bool ScopedRegistryKey::SetString(const std::string& name, const std::string& value)
{
    RegistryKeyHandle key;
    if (!key.Open(HKEY_LOCAL_MACHINE, m_path.c_str(), KEY_READ | KEY_WRITE))
        return false;
    bool saved = false;
    for (const SavedValue& old : m_saved)
        saved = saved || old.name == name;
    if (!saved) {
        SavedValue old;
        old.name = name;
        DWORD size = 0;
        old.existed = RegQueryValueExA(key.Get(), name.c_str(), nullptr, &old.type, nullptr,
                                       &size) == ERROR_SUCCESS;
        if (old.existed) {
            old.data.resize(size);
            RegQueryValueExA(key.Get(), name.c_str(), nullptr, &old.type, old.data.data(), &size);
            old.data.resize(size);
        }
        m_saved.push_back(old);
    }
    return RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto& entry : m_originals)
        SetEnvironmentVariableA(entry.first.c_str(),
                                entry.second.existed ? entry.second.value.c_str() : nullptr);
}

void ScopedEnvironment::Set(const std::string& name, const char* value)
{
    if (m_originals.find(name) == m_originals.end()) {
        Original original;
        char buffer[4096];
        const DWORD n = GetEnvironmentVariableA(name.c_str(), buffer, sizeof buffer);
        original.existed = n > 0 && n < sizeof buffer;
        if (original.existed)
            original.value.assign(buffer, n);
        m_originals[name] = original;
    }
    SetEnvironmentVariableA(name.c_str(), value);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::string& folder)
{
    char buffer[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer)
        return;
    m_saved.assign(buffer, n);
    m_changed = SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

ScopedCurrentDirectory::~ScopedCurrentDirectory()
{
    if (m_changed)
        SetCurrentDirectoryA(m_saved.c_str());
}

ScopedFolder::ScopedFolder(const std::string& path) : m_path(path)
{
    RemoveTree(path);
    m_created = CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

ScopedFolder::~ScopedFolder()
{
    if (m_created)
        RemoveTree(m_path);
}

std::string UnixPath(const std::string& windowsPath)
{
    typedef char*(__cdecl * ToUnix)(const WCHAR*);
    const ToUnix toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                               "wine_get_unix_file_name")));
    if (!toUnix)
        return std::string();
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unixPath = toUnix(wide.c_str());
    if (!unixPath)
        return std::string();
    std::string result(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadShared(const std::string& path)
{
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string all;
    if (!file)
        return all;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        all.append(buffer, got);
    return all;
}

bool WriteWhole(const std::string& path, const std::string& content)
{
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

bool WriteStretched(const std::string& path, const std::string& content, long long size)
{
    if (!WriteWhole(path, content))
        return false;
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = size;
    return file && SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
}

bool WaitForProcessEnd(DWORD processId, DWORD timeoutMs)
{
    KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return !process || WaitForSingleObject(process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void EndProcess(DWORD processId)
{
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process || WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)
        return;
    TerminateProcess(process.Get(), 99);
    WaitForSingleObject(process.Get(), 10000);
}
