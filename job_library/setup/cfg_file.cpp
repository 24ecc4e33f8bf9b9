#include "cfg_file.h"

#include "jobport_readers/bounded_text.h"
#include "jobport_readers/config_record.h"

bool FindCfgFile(char* out, size_t size, const char* fileName, FileSystem& files)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    char folder[kPathBufferSize];
    char path[kPathBufferSize];
    if (!files.CurrentDir(folder, sizeof folder) ||
        !JoinPath(path, sizeof path, folder, fileName) || !files.CanOpenForReading(path))
        return false;
    return CopyText(out, size, path);
}
