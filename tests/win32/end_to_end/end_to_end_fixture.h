// The test program plays the host scanning program: it loads the real
// jobport.dll by name and calls its exports. Each test gets a real
// installation: the registry values of the product key, an installation
// folder with the launcher double as KESTRO.EXE, "KESTRO.cfg" in the host's
// current folder, "KESTROst.ini" in the settings folder, a default printer
// of the Wine prefix on a harmless port, a private temporary folder for the
// hand-off files, and page files written by the "scanner". Everything is put
// back afterwards. What the launcher was told is read from the double's
// record; every wait for it is bounded.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "installation.h"
#include "jobport.h"
#include "message_box_watcher.h"
#include "printer_state.h"
#include "win32_shared/loaded_module_win32.h"

// Texts of the cannot-print boxes, set in "KESTRO.cfg" so that a box shows
// where its text came from.
extern const char kBoxCaption[];
extern const char kGeneralBoxText[];
extern const char kPortBoxText[];

// The launcher messages as their numbers.
const unsigned kPrintMessage = 1125;
const unsigned kSuspendMessage = 1126;
const unsigned kResumeMessage = 1127;
const unsigned kDeleteMessage = 1128;

// One message as the double recorded it. For LM_PRINT the double copied the
// page list of (job, first page) and the job's settings file as it found them.
struct LauncherMessage {
    unsigned number = 0;
    unsigned long wParam = 0;
    unsigned long lParam = 0;
    size_t launcher = 0;  // the launcher that got it: 0 = the first one started
    bool pageListRead = false;
    std::vector<std::string> pageList;
    bool settingsRead = false;
    std::vector<std::string> settings;
};

struct LauncherRecord {
    std::vector<DWORD> processes;  // in start order
    std::vector<std::string> commandLines;
    std::vector<LauncherMessage> messages;
    size_t exits = 0;
};

struct LogLine {
    int number;
    std::string text;
};

// "KESTRO.cfg", section "Velora Config".
struct LibraryConfig {
    int childTimeOut = 10000;
    int remainScanedDataOnPC = 0;
    int secondJobPrintByMethod = 1;
    int portIsFileCheck = 1;
};

// "KESTROst.ini": what the settings program would have saved.
struct PrintSettingsFile {
    int printAfterReceivedAllData = 0;
    int printPos = 4;
    int sort = 0;
    int printSize = 1;
    int nup = 0;
    int pageFrame = 0;
    int autoRotate = 1;
    int autoPaperChange = 0;
};

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Installation.
    void WriteConfig(const LibraryConfig& config);
    void WriteSettings(const PrintSettingsFile& settings);
    void SetDoubleOption(const char* name, const char* value) { m_environment->Set(name, value); }
    void UseDefaultPrinterOnPort(const char* name, const char* port);
    // Changes one of the installation's registry values.
    bool SetRegistryValue(const char* name, const std::string& text) { return m_key->SetString(name, text); }

    // The host's calls. LoadAndInit loads the library and calls JP_init;
    // Load only loads it and resolves the exports.
    void LoadAndInit();
    void Load();
    // Opens a job and returns its id; 0 (and a test failure) when refused.
    int StartJob(unsigned copies = 1);
    // Writes page file `name` (a path relative to the host's folder) and sends it.
    bool Send(int jobId, const std::string& name, const std::string& content = std::string());
    // Frees the library, waits until the launcher took LM_DELETE and every
    // launcher has ended, and returns the complete record.
    LauncherRecord Unload();
    // Runs another host process (the sample host) in the host's folder with
    // these script commands and returns its exit code (~0u when it could not
    // be run or did not end within a minute).
    unsigned RunOtherHost(const std::string& commands) const;

    // What the launcher and the files show.
    LauncherRecord Record() const;
    // Waits until the double recorded at least `count` messages.
    LauncherRecord WaitForMessages(size_t count) const;
    // One line per message: "PRINT job,first: file names", "SUSPEND", ...
    std::vector<std::string> Sequence(const LauncherRecord& record) const;
    // Page lists in the temporary folder, "job,first", in job and page order.
    std::vector<std::string> ReleasedGroups() const;
    std::string HandoffPath(int jobId, int page) const;
    std::string DataPath(const std::string& name) const;
    std::string HostPath(const std::string& name) const;
    std::vector<LogLine> LogLines() const;
    std::vector<SeenBox> TakeBoxes() { return m_boxes->Take(); }
    // Names of the files in `folder` (with its sub-folders when foldersToo),
    // sorted, without "." and ".."; none when it is missing.
    std::vector<std::string> FilesIn(const std::string& folder, bool foldersToo = false) const;

    std::string m_root, m_hostDir, m_installDir, m_iniDir, m_dataDir, m_logDir, m_tempDir;
    LoadedModule m_library;
    decltype(&JP_init) m_init = nullptr;
    decltype(&JP_StartJob) m_startJob = nullptr;
    decltype(&JP_SendData) m_sendData = nullptr;
    decltype(&JP_EndJob) m_endJob = nullptr;
    decltype(&JP_AbortJob) m_abortJob = nullptr;

private:
    void EndLaunchers();

    wine_printers::ScopedPrinterState m_printers;
    std::unique_ptr<ScopedFolder> m_folder;
    std::unique_ptr<ScopedRegistryKey> m_key;
    std::unique_ptr<ScopedEnvironment> m_environment;
    std::unique_ptr<ScopedCurrentDirectory> m_currentDir;
    std::unique_ptr<MessageBoxWatcher> m_boxes;
    std::string m_recordPath;
};

// Strings for EXPECT_EQ against Sequence() and ReleasedGroups().
using Lines = std::vector<std::string>;
