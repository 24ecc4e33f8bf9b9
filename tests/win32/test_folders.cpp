#include "test_folders.h"

#include <windows.h>

#include <algorithm>

#include "win32_shared/kernel_handles_win32.h"

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    // The listing ends before its folder is removed.
    if (const FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry)); find) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find.Get(), &entry));
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> NamesIn(const std::string& folder, bool foldersToo)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search)
        return names;
    do {
        const std::string name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder ? foldersToo && name != "." && name != ".." : true)
            names.push_back(name);
    } while (FindNextFileA(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}
