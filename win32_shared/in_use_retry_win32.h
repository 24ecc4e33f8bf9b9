// Another host process's JP_init holds each file of the data folder for
// itself for a moment while it finds out which it may delete (a virus
// scanner may hold a file the same way): an open or a delete that finds the
// file in use is tried again, for up to two seconds.
#pragma once
#include <windows.h>

// Runs attempt (true on success, GetLastError() set on failure) until it
// succeeds, fails for another reason, or the file stayed in use too long.
template <typename Attempt>
bool RetryWhileInUse(Attempt attempt)
{
    const int kTries = 40;
    const DWORD kPauseMs = 50;
    for (int tries = 1;; ++tries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION || tries >= kTries) {
            SetLastError(error);
            return false;
        }
        Sleep(kPauseMs);
    }
}
