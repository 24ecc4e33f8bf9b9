#include "app/registry_key_win32.h"

#include <vector>

RegistryKey::~RegistryKey()
{
    if (m_key)
        RegCloseKey(m_key);
}

bool RegistryKey::Open(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    if (m_key)
        RegCloseKey(m_key);
    m_key = key;
    return true;
}

bool RegistryKey::QueryText(const std::string& valueName, DWORD bufferSize, std::string& text) const
{
    // One zero byte more than the call may fill: a value stored without
    // its terminator still ends inside the buffer.
    std::vector<char> buffer(bufferSize + 1, '\0');
    DWORD size = bufferSize;
    if (!m_key || RegQueryValueExA(m_key, valueName.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    text = buffer.data();
    return true;
}
