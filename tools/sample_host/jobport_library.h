// jobport.dll loaded the way a host program loads it: LoadLibraryA by name
// (the program's own folder is searched first), the five exports resolved
// by their plain names. The library is freed when the object goes, which
// lets it tell a running launcher to end.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/loaded_module_win32.h"

class JobportLibrary {
public:
    using InitFunction = int(__stdcall*)(const char* caller);
    using StartJobFunction = int(__stdcall*)(int* jobIdOut, unsigned int copies);
    using SendDataFunction = int(__stdcall*)(int jobId, const char* pageFilePath);
    using JobFunction = int(__stdcall*)(int jobId);

    JobportLibrary() = default;
    ~JobportLibrary() { Unload(); }
    JobportLibrary(const JobportLibrary&) = delete;
    JobportLibrary& operator=(const JobportLibrary&) = delete;

    // Loads `fileName` and resolves every export; false with a reason when
    // the file cannot be loaded or an export is missing.
    bool Load(const char* fileName, std::string& error);
    void Unload();
    // The full path the system loaded the library from.
    std::string Path() const;

    InitFunction JP_init = nullptr;
    StartJobFunction JP_StartJob = nullptr;
    SendDataFunction JP_SendData = nullptr;
    JobFunction JP_EndJob = nullptr;
    JobFunction JP_AbortJob = nullptr;

private:
    LoadedModule m_module;
};
