// The library-wide lock: every export, JP_init included, runs while it holds
// it, so calls from several host threads take their turns one whole call at a
// time. A host that calls from one thread never waits on it.
#pragma once

// Holds the library lock from construction to destruction. The lock is
// re-entrant: a call made on the same thread while a call is in progress
// (from a window procedure run by a warning box's message loop) goes ahead.
class LibraryLockHolder {
public:
    LibraryLockHolder();
    ~LibraryLockHolder();
    LibraryLockHolder(const LibraryLockHolder&) = delete;
    LibraryLockHolder& operator=(const LibraryLockHolder&) = delete;
};
