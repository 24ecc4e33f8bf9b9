#include "registry_reader_win32.h"

#include <windows.h>

#include "win32_shared/registry_key_win32.h"

namespace {

// An open key; closed by Close or, failing that, by its owner.
class Win32RegistryKey : public RegistryKey {
public:
    bool Open(const char* subKey) { return m_key.Open(HKEY_LOCAL_MACHINE, subKey, KEY_READ); }

    bool QueryValueSize(const char* name, uint32_t* size) override
    {
        DWORD bytes = 0;
        if (RegQueryValueExA(m_key.Get(), name, nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return false;
        *size = bytes;
        return true;
    }

    bool QueryValue(const char* name, void* data, uint32_t* size) override
    {
        DWORD bytes = *size;
        if (RegQueryValueExA(m_key.Get(), name, nullptr, nullptr, static_cast<BYTE*>(data), &bytes) !=
            ERROR_SUCCESS)
            return false;
        *size = bytes;
        return true;
    }

    bool Close() override { return m_key.Close(); }

private:
    RegistryKeyHandle m_key;
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
