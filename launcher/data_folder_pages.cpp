#include "data_folder_pages.h"

#include "ansi_paths/ansi_path_normal.h"

namespace {

// The longest path the library writes to a page list.
const size_t kLongestPagePath = 259;

}  // namespace

bool IsInDataFolder(const std::string& path, const std::string& dataFolder, LeadByteTest isLeadByte)
{
    std::string name;
    return path.size() <= kLongestPagePath && !dataFolder.empty() &&
           PathIsInsideFolder(path, dataFolder, isLeadByte, &name) &&
           EndOfLastSeparator(name, kBackslash, isLeadByte) == 0;
}
