#include "registry_reader_win32.h"

#include <windows.h>

namespace {

// An open key; closed by Close or, failing that, by the destructor.
class Win32RegistryKey : public RegistryKey {
public:
    Win32RegistryKey() = default;
    ~Win32RegistryKey() override { Close(); }
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    bool Open(const char* subKey)
    {
        return RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &m_key) == ERROR_SUCCESS;
    }

    bool QueryValueSize(const char* name, uint32_t* size) override
    {
        DWORD bytes = 0;
        if (RegQueryValueExA(m_key, name, nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return false;
        *size = bytes;
        return true;
    }

    bool QueryValue(const char* name, void* data, uint32_t* size) override
    {
        DWORD bytes = *size;
        if (RegQueryValueExA(m_key, name, nullptr, nullptr, static_cast<BYTE*>(data), &bytes) !=
            ERROR_SUCCESS)
            return false;
        *size = bytes;
        return true;
    }

    bool Close() override
    {
        if (!m_key)
            return true;
        const LONG status = RegCloseKey(m_key);
        m_key = nullptr;
        return status == ERROR_SUCCESS;
    }

private:
    HKEY m_key = nullptr;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32RegistryReader::OpenKey(const char* subKey)
{
    // The holder exists before the key is opened, so no open key is ever
    // without an owner.
    std::unique_ptr<Win32RegistryKey> key(new Win32RegistryKey);
    if (!key->Open(subKey))
        return nullptr;
    return key;
}
