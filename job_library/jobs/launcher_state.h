// Whether the launcher program counts as running, as the job engine knows it.
// The numbers of the messages posted to it: shared_formats/launcher_messages.h.
#pragma once
#include <cstdint>

// 1 while the launcher process counts as running. Set from the result of
// CreateLauncher by the job engine, cleared by ResetJobState and by a
// successful LM_DELETE; read by whoever posts to the launcher.
extern int32_t gbLuncherExist;
