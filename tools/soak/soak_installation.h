// A whole installation of the print system for the soak, made in the Wine
// prefix and put back when the object goes: the product's registry values,
// an installation folder with the launcher double as KESTRO.EXE,
// "KESTRO.cfg" in the host's current folder (a small log ring, so that it
// wraps many times), "KESTROst.ini", a default printer on a harmless port,
// a private temporary folder for the hand-off files (TMP and TEMP, which
// the launcher inherits) and the double's record file.
// Several host processes share one installation: host 1 makes it; each
// other host process joins it with a page folder, a record file and a
// launcher double of its own (its environment names its record file).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "installation.h"
#include "printer_state.h"

class SoakInstallation {
public:
    // root: a folder to create (emptied first) by host 1, kept afterwards
    // when Keep() was called; the installation there that host joins.
    SoakInstallation(const std::string& root, unsigned host);
    ~SoakInstallation();
    SoakInstallation(const SoakInstallation&) = delete;
    SoakInstallation& operator=(const SoakInstallation&) = delete;

    // False with a reason when a step failed.
    bool Ready(std::string& reason) const;
    // Leaves the folder tree in place for inspection.
    void Keep() { m_keep = true; }

    // The name of a kernel object (`what`) that the host processes of this
    // installation share, and no soak in another folder.
    std::string SharedObjectName(const char* what) const;

    // Puts the default printer back; false with a reason when it cannot.
    bool AddDefaultPrinter(std::string& error) const;
    bool RemoveDefaultPrinter(std::string& error) const;

    std::string root, hostDir, pagesDir, installDir, settingsDir, systemDir, dataDir, logDir, tempDir;
    std::string settingsFile;  // "KESTROst.ini"
    std::string logFile;       // "KESTROd.LOG"
    std::string recordFile;    // the record of this host process's double

private:
    bool Build();
    bool Join();
    bool MakeFolders(const std::vector<const std::string*>& folders);
    bool SetEnvironment();

    const unsigned m_host;
    std::unique_ptr<wine_printers::ScopedPrinterState> m_printers;
    std::unique_ptr<ScopedRegistryKey> m_key;
    std::unique_ptr<ScopedEnvironment> m_environment;
    std::unique_ptr<ScopedCurrentDirectory> m_currentDir;
    std::string m_failure;
    bool m_keep = false;
};
