#include "scratch_folder.h"
#include "test_folders.h"

#include <windows.h>

#include <fstream>
#include <sstream>

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
