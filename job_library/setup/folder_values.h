// The four folder values of the installation's registry key.
#pragma once
#include "config_reader.h"
#include "config_record.h"
#include "registry_reader.h"

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
// read; an empty value counts as unreadable, as it names no folder. Folders
// not read are empty. The key is closed on every path.
FolderKeyResult ReadFolderValues(RegistryReader& registry, const char* subKey,
                                 const RegistryValueNames& names, FolderValues& folders);
