#include "handoff_file_name.h"

#include <cstdio>

bool HandoffFileName(const char* tempDir, uint32_t jobId, uint32_t page, char* name,
                     size_t size)
{
    if (!name || size == 0)
        return false;
    name[0] = '\0';
    // Without the folder the name would be relative to whatever folder is current.
    if (!tempDir || tempDir[0] == '\0')
        return false;
    const int length = std::snprintf(name, size, "%s%s%2d%3d%s", tempDir, "KST_",
                                     static_cast<int>(jobId), static_cast<int>(page), ".$$$");
    if (length < 0 || static_cast<size_t>(length) >= size) {
        name[0] = '\0';
        return false;
    }
    return true;
}
