// The pieces of a real installation that an end-to-end test sets up in the
// Wine prefix, each put back as it was when its owner goes: registry values,
// environment variables, the current folder, a folder tree and a loaded
// library.
#pragma once
#include "test_folders.h"
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "win32_shared/kernel_handles_win32.h"

// A key below HKEY_LOCAL_MACHINE with string values. Keys of the path that
// were missing are created and deleted again; values that existed get their
// old type and data back, new ones are deleted.
class ScopedRegistryKey {
public:
    explicit ScopedRegistryKey(const std::string& path);
    ~ScopedRegistryKey();
    ScopedRegistryKey(const ScopedRegistryKey&) = delete;
    ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

    bool Ready() const { return m_ready; }
    bool SetString(const std::string& name, const std::string& value);

private:
    struct SavedValue {
        std::string name;
        bool existed = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    std::string m_path;
    std::vector<std::string> m_createdKeys;  // outermost first
    std::vector<SavedValue> m_saved;
    bool m_ready = false;
};

// Environment variables of this process (which the launcher inherits);
// each gets its first value back.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // A null value removes the variable.
    void Set(const std::string& name, const char* value);

private:
    struct Original {
        bool existed = false;
        std::string value;
    };
    std::map<std::string, Original> m_originals;
};

class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& folder);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;
    bool Changed() const { return m_changed; }

private:
    std::string m_saved;
    bool m_changed = false;
};

// A folder created empty (a leftover of an earlier run is removed first) and
// removed with everything in it.
class ScopedFolder {
public:
    explicit ScopedFolder(const std::string& path);
    ~ScopedFolder();
    ScopedFolder(const ScopedFolder&) = delete;
    ScopedFolder& operator=(const ScopedFolder&) = delete;
    bool Created() const { return m_created; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    bool m_created = false;
};

bool PathExists(const std::string& path);
// The Unix path of a Windows path, as Wine maps it ("" when not under Wine).
std::string UnixPath(const std::string& windowsPath);
// The whole file, read while others may still write it; empty if missing.
std::string ReadShared(const std::string& path);
// Writes content as the whole file; true when all of it was written.
bool WriteWhole(const std::string& path, const std::string& content);
// Writes content, then stretches the file to size bytes without writing
// them (a sparse file where the file system keeps them so).
bool WriteStretched(const std::string& path, const std::string& content, long long size);

// Waits until process `processId` has ended; true also when it is gone already.
bool WaitForProcessEnd(DWORD processId, DWORD timeoutMs = 10000);
// Ends a process that still runs and waits for it.
void EndProcess(DWORD processId);
