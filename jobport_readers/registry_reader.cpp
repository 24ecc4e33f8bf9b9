#include "registry_reader.h"

#include <cstring>

bool ReadRegistryText(RegistryKey& key, const char* name, char* out, size_t size)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    uint32_t needed = 0;
    if (!key.QueryValueSize(name, &needed))
        return false;
    if (needed == 0 || needed > size)
        return false;

    uint32_t stored = needed;
    if (!key.QueryValue(name, out, &stored) || stored > needed) {
        out[0] = '\0';
        return false;
    }
    // The stored bytes need not end with a terminator.
    const size_t length = strnlen(out, stored);
    if (length == stored) {
        if (stored >= size) {
            out[0] = '\0';
            return false;
        }
        out[stored] = '\0';
    }
    return true;
}
