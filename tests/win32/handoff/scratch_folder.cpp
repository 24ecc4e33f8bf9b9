#include "scratch_folder.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
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
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return;
    std::string parent = temp;
    parent.pop_back();  // the trailing backslash
    Create(parent);
}

ScratchFolder::ScratchFolder(const std::string& parent) { Create(parent); }

void ScratchFolder::Create(const std::string& parent)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = parent + "\\handoff_test_" +
                                 std::to_string(GetCurrentProcessId()) + "_" +
                                 std::to_string(++counter);
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            m_path = path;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder()
{
    if (!m_path.empty())
        RemoveTree(m_path);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
