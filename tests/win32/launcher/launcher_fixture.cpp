#include "launcher_fixture.h"
#include "test_folders.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "jobs/launcher_state.h"
#include "setup/clog_file.h"
#include "setup/library_config.h"

namespace {

const char* const kDoubleOptions[] = {
    "KESTRO_DOUBLE_RECORD",         "KESTRO_DOUBLE_START_DELAY_MS",
    "KESTRO_DOUBLE_WINDOW_DELAY_MS", "KESTRO_DOUBLE_NO_WINDOW",
    "KESTRO_DOUBLE_DELETE_PRINTED",  "KESTRO_DOUBLE_EXIT_ON_DELETE",
    "KESTRO_DOUBLE_PRINT_LIMIT",
};

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}

std::string TrimRight(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string TrimBoth(std::string text)
{
    text = TrimRight(text);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

}  // namespace

LocalTime RecordingDiagnostics::Now()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

bool RecordingDiagnostics::LoadText(const char* module, unsigned id, char* buf, size_t size,
                                    uint32_t* error)
{
    buf[0] = '\0';
    const HMODULE handle = GetModuleHandleA(module);
    if (handle && LoadStringA(handle, id, buf, static_cast<int>(size)) > 0)
        return true;
    *error = kErrorResourceNameNotFound;
    return false;
}

std::string HexText(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%lx", value);
    return text;
}

void LauncherTest::SetUp()
{
    m_dll.Reset(LoadLibraryA("jobport.dll"));  // its string table gives the error lines
    ASSERT_TRUE(m_dll);
    SetDiagnosticsPlatform(&m_diagnostics);

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_root = TempFolder() + "launcher_test_" + test->name();
    RemoveTree(m_root);
    ASSERT_TRUE(CreateDirectoryA(m_root.c_str(), nullptr));
    m_installDir = m_root + "\\install dir";
    ASSERT_TRUE(CreateDirectoryA(m_installDir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((m_root + "\\data").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\kestro_double.exe").c_str(),
                          (m_installDir + "\\KESTRO.EXE").c_str(), FALSE));
    m_configPath = m_root + "\\KESTRO.cfg";
    std::ofstream(m_configPath) << "[Velora Config]\nChildTimeOut=10000\n";

    m_recordPath = m_root + "\\record.txt";
    for (const char* name : kDoubleOptions)
        SetEnvironmentVariableA(name, nullptr);
    SetDoubleOption("KESTRO_DOUBLE_RECORD", m_recordPath.c_str());

    gLog.SetLogDir((m_root + "\\").c_str());
    gLog.SetLogFileName("KESTROd.LOG");
    gLog.MakeLogPath();
    m_logPath = gLog.LogPath();

    gConfig.ChildTimeOut = 10000;
    gbLuncherExist = 0;
}

void LauncherTest::TearDown()
{
    for (DWORD process : StartedProcesses())
        EndProcess(process);
    for (const char* name : kDoubleOptions)
        SetEnvironmentVariableA(name, nullptr);
    for (const std::string& path : m_handoffs)
        DeleteFileA(path.c_str());
    RemoveTree(m_root);
    gbLuncherExist = 0;
    SetDiagnosticsPlatform(nullptr);
    m_dll.Close();
}

void LauncherTest::SetDoubleOption(const char* name, const char* value)
{
    SetEnvironmentVariableA(name, value);
}

std::string LauncherTest::ReadRecord() const { return ReadShared(m_recordPath); }

bool LauncherTest::WaitForRecord(const std::string& text, DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (ReadRecord().find(text) != std::string::npos)
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
}

std::vector<DWORD> LauncherTest::StartedProcesses() const
{
    std::vector<DWORD> processes;
    std::istringstream record(ReadRecord());
    std::string line;
    while (std::getline(record, line))
        if (line.compare(0, 6, "START ") == 0)
            processes.push_back(std::strtoul(line.c_str() + 6, nullptr, 10));
    return processes;
}

std::vector<LogLine> LauncherTest::LogLines() const
{
    // A fresh log: record 0 is the header, the lines follow in order.
    const std::string file = ReadShared(m_logPath);
    std::vector<LogLine> lines;
    for (size_t offset = 300; offset + 300 <= file.size(); offset += 300)
        lines.push_back({TrimBoth(file.substr(offset + 22, 5)), TrimRight(file.substr(offset + 28, 269))});
    return lines;
}

int LauncherTest::FindLog(const std::string& text, int from) const
{
    const std::vector<LogLine> lines = LogLines();
    for (size_t i = static_cast<size_t>(from); i < lines.size(); ++i)
        if (lines[i].text == text)
            return static_cast<int>(i);
    return -1;
}

bool LauncherTest::LogHas(const std::string& text) const { return FindLog(text) >= 0; }

std::string LauncherTest::WriteHandoff(unsigned jobId, unsigned page,
                                       const std::vector<std::string>& lines)
{
    char name[MAX_PATH + 32];
    std::snprintf(name, sizeof name, "%s%s%2d%3d%s", TempFolder().c_str(), "KST_",
                  static_cast<int>(jobId), static_cast<int>(page), ".$$$");
    std::ofstream out(name);
    for (const std::string& line : lines)
        out << line << "\n";
    m_handoffs.push_back(name);
    return name;
}

std::string LauncherTest::WriteDataFile(const std::string& name)
{
    const std::string path = m_root + "\\data\\" + name;
    std::ofstream(path) << "page data";
    return path;
}
