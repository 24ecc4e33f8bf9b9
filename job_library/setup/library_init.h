// JP_init: resets the job state, reads "KESTRO.cfg" and the installation's
// folders from the registry, points the debug log at its folder, empties
// the data folder and writes the start lines.
#pragma once
#include <cstdint>

#include "setup_platform.h"

// 1 when the library is ready, 0 otherwise. caller is only written to the
// debug log (null counts as empty).
int32_t InitLibrary(const char* caller, const SetupPlatform& platform);
