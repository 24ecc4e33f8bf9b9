#include "handoff_paths_win32.h"

#include "jobport_readers/temp_folder_win32.h"
#include "shared_formats/handoff_file_name.h"

std::string HandoffPath(uint32_t jobId, uint32_t page)
{
    char folder[260];
    char name[260];
    if (!ReadTempFolder(folder, sizeof folder) ||
        !HandoffFileName(folder, jobId, page, name, sizeof name))
        return std::string();
    return name;
}
