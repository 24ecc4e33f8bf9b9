// Reading of INI-style profile files ("KESTRO.cfg", "KESTROst.ini"). The DLL
// uses the Windows profile functions; native tests use a fake.
#pragma once
#include <cstddef>
#include <cstdint>

class ProfileReader {
public:
    virtual ~ProfileReader() = default;

    // The decimal number of key in section of the file at path (an optional
    // minus sign allowed), or def when the key is absent.
    virtual int32_t ReadInt(const char* path, const char* section, const char* key,
                            int32_t def) = 0;

    // The text of key, or def when the key is absent, copied into buffer
    // (size bytes, size >= 1) and always terminated. A text longer than
    // size - 1 characters is cut to size - 1. Returns the characters copied.
    virtual size_t ReadString(const char* path, const char* section, const char* key,
                              const char* def, char* buffer, size_t size) = 0;
};

// The text of key into out (size bytes, at most 260). A text that does not
// fit out counts as unreadable and def takes its place: a cut name or path
// would silently point somewhere else.
void ReadProfileText(ProfileReader& profile, const char* path, const char* section,
                     const char* key, const char* def, char* out, size_t size);
