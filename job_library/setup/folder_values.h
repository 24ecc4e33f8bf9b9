// The four folder values of the installation's registry key.
#pragma once
#include "file_system.h"
#include "jobport_readers/config_reader.h"
#include "jobport_readers/config_record.h"
#include "jobport_readers/registry_reader.h"

struct FolderValues {
    char logDir[kPathBufferSize];
    char installDir[kPathBufferSize];
    char iniDir[kPathBufferSize];
    char dataDir[kPathBufferSize];
    // How many were read, in reading order: log, installation, settings, data.
    int readCount;

    bool AllRead() const { return readCount == 4; }
};

enum class FolderKeyResult { NotOpened, Closed, CloseFailed };

// Opens subKey and reads the values in the order log directory, installation
// folder, settings folder, data folder, stopping at the first that cannot be
// read. A value that is empty or not an absolute path (files.IsAbsolutePath)
// counts as unreadable: a relative or rooted folder ("Data", "\Data") would
// be taken from whatever the host's current folder and drive are. Trailing
// separators of the installation, settings and data folders are dropped (a
// drive's root keeps its own), so every path formed from them has one form.
// Folders not read are empty. The key is closed on every path.
FolderKeyResult ReadFolderValues(RegistryReader& registry, FileSystem& files,
                                 const char* subKey, const RegistryValueNames& names,
                                 FolderValues& folders);

// True for "X:\..." and "\\server\share...": a path that names the same
// place whatever the current folder and drive are.
bool IsAbsoluteWindowsPath(const char* path);
