// RestrictDllSearch, which KESTRO.EXE and Tessary.exe call first thing: a
// DLL planted in the current folder is loaded by its bare name before the
// call and not after it, while a DLL beside the program and a system DLL
// still are. (Wine keeps searching the current folder after
// SetDllDirectory(""); SetDefaultDllDirectories is what takes it out there.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "test_folders.h"
#include "win32_shared/dll_search_win32.h"

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of('\\') + 1);
}

TEST(DllSearch, APlantedDllInTheCurrentFolderIsNoLongerLoadedByItsBareName)
{
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    const std::string planted = std::string(temp) + "kestro_dll_search_cwd";
    const std::string probe = ProgramFolder() + PLANTED_PROBE;
    const std::string beside = ProgramFolder() + "kestro_beside_probe.dll";
    RemoveTree(planted);
    ASSERT_TRUE(CreateDirectoryA(planted.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(probe.c_str(), (planted + "\\kestro_afterwardsprobe.dll").c_str(), FALSE))
        << probe;
    ASSERT_TRUE(CopyFileA(probe.c_str(), beside.c_str(), FALSE));
    char before[MAX_PATH] = {};
    ASSERT_NE(GetCurrentDirectoryA(sizeof before, before), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(planted.c_str()));

    const HMODULE found = LoadLibraryA("kestro_afterwardsprobe.dll");
    EXPECT_NE(found, nullptr) << "the current folder is searched by default";
    if (found)
        FreeLibrary(found);

    EXPECT_TRUE(RestrictDllSearch());
    SetLastError(0);
    const HMODULE afterwards = LoadLibraryA("kestro_afterwardsprobe.dll");
    EXPECT_EQ(afterwards, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    const HMODULE own = LoadLibraryA("kestro_beside_probe.dll");
    EXPECT_NE(own, nullptr) << "the program's own folder";
    const HMODULE system = LoadLibraryA("msimg32.dll");
    EXPECT_NE(system, nullptr) << "the system folder";

    for (const HMODULE module : {afterwards, own, system})
        if (module)
            FreeLibrary(module);
    SetCurrentDirectoryA(before);
    DeleteFileA(beside.c_str());
    RemoveTree(planted);
}

}  // namespace
