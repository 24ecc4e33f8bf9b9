// ProfileReader over GetPrivateProfileIntA / GetPrivateProfileStringA.
#pragma once
#include "profile_reader.h"

class Win32ProfileReader : public ProfileReader {
public:
    int32_t ReadInt(const char* path, const char* section, const char* key,
                    int32_t def) override;
    size_t ReadString(const char* path, const char* section, const char* key, const char* def,
                      char* buffer, size_t size) override;
};
