// A module loaded with LoadLibrary or LoadLibraryEx, freed with FreeLibrary
// unless handed on (unique_handle_win32.h).
#pragma once
#include <windows.h>

#include "win32_shared/unique_handle_win32.h"

struct LoadedModuleTraits : NullIsEmpty<HMODULE> {
    static bool Free(Handle module) { return FreeLibrary(module) != FALSE; }
};
using LoadedModule = UniqueHandle<LoadedModuleTraits>;
