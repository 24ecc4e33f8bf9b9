// Moves the page files the launcher could not print into the user's folder
// of kept pages inside the data folder (kept_files.h). The folder is made
// private to the user; an existing one is used only when it is a real
// folder, not a link or junction, that the user owns, so no other user can
// have put it there to read or remove the pages. A kept file never replaces
// another: a name that is taken gets a number.
#pragma once
#include <cstdint>
#include <string>

class KeptFolder {
public:
    explicit KeptFolder(const std::string& dataFolder) : m_dataFolder(dataFolder) {}

    // Moves `path` (a file directly in the data folder) into the kept folder.
    // True with its new path in keptAs; false with why in `why`, the file
    // then stays where it was.
    bool Keep(const std::string& path, uint32_t jobId, uint32_t jobPage, std::string& keptAs,
              std::string& why);

private:
    // Creates the folder, or checks the one that is there; every time, as it
    // may have been removed or replaced since.
    bool Prepare(std::string& folder, std::string& why);

    std::string m_dataFolder;
};
