// JP_init: resets the job state (only before the first success), reads "KESTRO.cfg" and the installation's
// folders from the registry, points the debug log at its folder, empties
// the data folder and writes the start lines.
#pragma once
#include <cstdint>

#include "setup_platform.h"

// 1 when the library is ready, 0 otherwise. caller is only written to the
// debug log (null counts as empty).
int32_t InitLibrary(const char* caller, const SetupPlatform& platform);

// True from an InitLibrary that returned 1 until one returns 0. Before that
// the exports refuse every call and touch nothing.
bool LibraryIsReady();

// The state of a library just loaded: not ready, never initialised, no jobs.
// For native tests, which "load" the library many times in one process.
void ResetLibraryAsLoaded();
