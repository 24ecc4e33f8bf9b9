// RestrictDllSearch, which KESTRO.EXE and Tessary.exe call first thing: a DLL
// planted in the current folder is loaded by its bare name before the call
// and not after it; one beside the program and a system DLL still are.
// (Wine keeps searching the current folder after SetDllDirectory("");
// SetDefaultDllDirectories is what takes it out there.)
#include <windows.h>

#include <gtest/gtest.h>

#include "installation.h"
#include "win32_shared/dll_search_win32.h"
#include "win32_shared/loaded_module_win32.h"

TEST(DllSearch, APlantedDllInTheCurrentFolderIsNoLongerLoadedByItsBareName)
{
    char path[MAX_PATH] = {};
    const std::string program(path, GetModuleFileNameA(nullptr, path, sizeof path));
    const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    const std::string probe = folder + PLANTED_PROBE;
    ScopedFolder planted(folder + "planted");
    ASSERT_TRUE(planted.Created());
    ASSERT_TRUE(CopyFileA(probe.c_str(), (planted.Path() + "\\kestro_planted_probe.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(probe.c_str(), (folder + "kestro_beside_probe.dll").c_str(), FALSE));
    ScopedCurrentDirectory inPlanted(planted.Path());
    ASSERT_TRUE(inPlanted.Changed());

    LoadedModule before(LoadLibraryA("kestro_planted_probe.dll"));
    ASSERT_TRUE(before) << "the current folder is searched by default";
    before.Close();
    EXPECT_TRUE(RestrictDllSearch());
    EXPECT_EQ(LoadLibraryA("kestro_planted_probe.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(LoadLibraryA("kestro_beside_probe.dll"), nullptr) << "the program's own folder";
    EXPECT_NE(LoadLibraryA("msimg32.dll"), nullptr) << "the system folder";
}
