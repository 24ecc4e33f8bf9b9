// Page files this process holds in the data folder stay open, without delete
// sharing, until they are handed to the launcher or deleted: the data folder
// is shared, and another host process's JP_init (a second scanning program,
// or the library loaded twice) then cannot delete a page that waits here.
// The launcher opens a page only after its group was handed over, when the
// lock is gone. Called under the library lock only.
#pragma once
#include <string>
#include <vector>

// Opens the page file at path and keeps it open. A page that cannot be
// opened is held all the same, without the lock.
void LockHeldPage(const std::string& path);
// Closes the lock of the page at path, if it has one.
void UnlockPage(const std::string& path);
// Closes the lock of every page that is not among the pages still held.
void UnlockPagesNoLongerHeld(const std::vector<std::string>& held);
