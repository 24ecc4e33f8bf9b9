// A folder of its own for one test, under the user's temporary folder (or a
// given parent), removed with everything in it when the test ends.
#pragma once
#include <string>

class ScratchFolder {
public:
    // Under the temporary folder; empty Path() when it cannot be created.
    ScratchFolder();
    // Under parent (without a trailing backslash).
    explicit ScratchFolder(const std::string& parent);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return m_path; }

private:
    void Create(const std::string& parent);
    std::string m_path;
};

// Whole-file helpers for the tests.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
