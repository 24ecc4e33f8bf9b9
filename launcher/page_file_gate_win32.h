// Opens the page files of a group, and only files directly in the data
// folder: the path is first tested as text (normalised, ansi_paths), then
// the opened file's final path, with links and junctions resolved, must lie
// directly in the data folder's own final path. The file stays open, shared
// for reading only, until the group is done with, so it cannot be replaced
// or renamed while it is checked and printed.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

class PageFileGate {
public:
    explicit PageFileGate(const std::string& dataFolder) : m_dataFolder(dataFolder) {}

    enum class Verdict {
        Open,        // `file` holds the page, open for reading
        Unreadable,  // the page cannot be read: `reason` says why
        Foreign,     // not a page of the data folder: `reason` says why
    };

    Verdict Open(const std::string& path, KernelHandle& file, std::string& reason);

private:
    // The data folder's final path, read again for every page (the folder
    // may have been replaced meanwhile); empty when it cannot be opened.
    std::wstring DataFolderFinalPath(std::string& reason);

    std::string m_dataFolder;
};
