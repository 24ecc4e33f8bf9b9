// A registry key opened for reading, closed when the object goes, also
// when an error passes through.
#pragma once
#include <windows.h>

#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyEx with KEY_READ; false when the key cannot be opened.
    bool Open(HKEY root, const std::string& path);
    // The value's data taken as a zero-terminated text, whatever its type,
    // read into a buffer of bufferSize bytes. False when it cannot be read
    // or does not fit.
    bool QueryText(const std::string& valueName, DWORD bufferSize, std::string& text) const;

private:
    HKEY m_key = nullptr;
};
