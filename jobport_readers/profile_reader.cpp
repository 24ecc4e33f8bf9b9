#include "profile_reader.h"

#include "bounded_text.h"
#include "config_record.h"

void ReadProfileText(ProfileReader& profile, const char* path, const char* section,
                     const char* key, const char* def, char* out, size_t size)
{
    if (size == 0)
        return;
    if (size > kPathBufferSize)
        size = kPathBufferSize;
    // One character more than out can take: a text that fills the scratch
    // buffer was either cut or is exactly one character too long.
    char scratch[kPathBufferSize + 1];
    const size_t room = size + 1;
    const size_t copied = profile.ReadString(path, section, key, def, scratch, room);
    if (copied + 1 >= room) {
        CopyText(out, size, def);
        return;
    }
    scratch[copied] = '\0';
    CopyText(out, size, scratch);
}
