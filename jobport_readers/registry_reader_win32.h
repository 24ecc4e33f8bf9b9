// RegistryReader over RegOpenKeyExA / RegQueryValueExA / RegCloseKey below
// HKEY_LOCAL_MACHINE, keys opened with KEY_READ.
#pragma once
#include "registry_reader.h"

class Win32RegistryReader : public RegistryReader {
public:
    std::unique_ptr<RegistryKey> OpenKey(const char* subKey) override;
};
