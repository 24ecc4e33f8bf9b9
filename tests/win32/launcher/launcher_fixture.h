// Shared set-up of the launcher control tests: a temporary installation
// folder holding the launcher double as KESTRO.EXE, a configuration file, a
// fresh debug log, cannot-print boxes recorded instead of shown, and helpers
// that wait (bounded) for what the double writes into its record file.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installation.h"
#include "setup/diagnostics_platform.h"
#include "win32_shared/loaded_module_win32.h"

struct LogLine {
    std::string number;
    std::string text;
};

// Real clock, error codes and the DLL's string table; boxes are only counted.
class RecordingDiagnostics : public DiagnosticsPlatform {
public:
    LocalTime Now() override;
    uint32_t LastError() override { return GetLastError(); }
    bool LoadText(const char* module, unsigned id, char* buf, size_t size,
                  uint32_t* error) override;
    void ShowBox(const char* text, const char*, unsigned) override { boxes.push_back(text); }

    std::vector<std::string> boxes;
};

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Options of the double for the next start (environment variables).
    static void SetDoubleOption(const char* name, const char* value);

    std::string ReadRecord() const;
    // Waits until the record holds `text`; false after `timeoutMs`.
    bool WaitForRecord(const std::string& text, DWORD timeoutMs = 10000) const;
    // Process ids of the "START" entries, in order.
    std::vector<DWORD> StartedProcesses() const;

    std::vector<LogLine> LogLines() const;
    bool LogHas(const std::string& text) const;
    // Index of the first log line with `text` at or after `from`; -1 if none.
    int FindLog(const std::string& text, int from = 0) const;

    // Writes a hand-off file of (job, page) in the temporary folder.
    std::string WriteHandoff(unsigned jobId, unsigned page, const std::vector<std::string>& lines);
    std::string WriteDataFile(const std::string& name);

    std::string m_root;        // everything of one test, removed afterwards
    std::string m_installDir;  // holds KESTRO.EXE; its name has a blank
    std::string m_configPath;  // KESTRO.cfg
    std::string m_recordPath;
    std::string m_logPath;
    RecordingDiagnostics m_diagnostics;

private:
    std::vector<std::string> m_handoffs;
    LoadedModule m_dll;
};

std::string HexText(unsigned long value);
