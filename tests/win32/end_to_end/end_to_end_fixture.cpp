#include "end_to_end_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "started_process.h"
#include "test_folders.h"
#include "win32_shared/kernel_handles_win32.h"

const char kBoxCaption[] = "E2E cannot print";
const char kGeneralBoxText[] = "E2E general box text";
const char kPortBoxText[] = "E2E port FILE: box text";

namespace {

const char kProductKey[] = "SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate";
const char kPrinterName[] = "JP end-to-end printer";
// Nothing is printed in these tests; a port that is not "FILE:" is all the
// printer check asks for.
const char kHarmlessPort[] = "/dev/null";
const DWORD kWaitLimitMs = 10000;
const DWORD kPollMs = 20;

const char* const kDoubleOptions[] = {
    "KESTRO_DOUBLE_START_DELAY_MS", "KESTRO_DOUBLE_WINDOW_DELAY_MS", "KESTRO_DOUBLE_NO_WINDOW",
    "KESTRO_DOUBLE_DELETE_PRINTED",
};

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, n);
    return program.substr(0, program.find_last_of('\\'));
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    return std::string(temp, n < sizeof temp ? n : 0);
}

// Log texts keep their leading blanks; the fill after them goes.
std::string TrimRight(const std::string& text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

void WriteProfile(const std::string& file, const char* section, const char* key, int value)
{
    // The profile functions keep the library's view of the file current:
    // the host and the library share this process's profile cache.
    WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), file.c_str());
}

void WriteProfile(const std::string& file, const char* section, const char* key,
                  const char* value)
{
    WritePrivateProfileStringA(section, key, value, file.c_str());
}

LauncherRecord ParseRecord(const std::string& text)
{
    LauncherRecord record;
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string>* copy = nullptr;  // file lines go here
    int filesOfMessage = 0;
    while (std::getline(lines, line)) {
        LauncherMessage* message = record.messages.empty() ? nullptr : &record.messages.back();
        if (StartsWith(line, "START ")) {
            record.processes.push_back(std::strtoul(line.c_str() + 6, nullptr, 10));
        } else if (StartsWith(line, "COMMAND LINE ")) {
            record.commandLines.push_back(line.substr(13));
        } else if (StartsWith(line, "MESSAGE ")) {
            LauncherMessage next;
            std::sscanf(line.c_str() + 8, "%u %lu %lu", &next.number, &next.wParam, &next.lParam);
            next.launcher = record.processes.empty() ? 0 : record.processes.size() - 1;
            record.messages.push_back(next);
            filesOfMessage = 0;
            copy = nullptr;
        } else if (message && StartsWith(line, "FILE ")) {
            // The page list comes first, then the job's settings file.
            const bool pageList = filesOfMessage++ == 0;
            (pageList ? message->pageListRead : message->settingsRead) = true;
            copy = pageList ? &message->pageList : &message->settings;
        } else if (message && StartsWith(line, "NO FILE ")) {
            ++filesOfMessage;
            copy = nullptr;
        } else if (copy && StartsWith(line, "| ")) {
            copy->push_back(line.substr(2));
        } else if (line == "END FILE") {
            copy = nullptr;
        } else if (line == "EXIT") {
            ++record.exits;
        }
    }
    return record;
}

}  // namespace

void EndToEndTest::SetUp()
{
    static int testNumber = 0;
    m_root = TempFolder() + "jp_e2e_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++testNumber);
    m_folder = std::make_unique<ScopedFolder>(m_root);
    ASSERT_TRUE(m_folder->Created()) << m_root;
    m_hostDir = m_root + "\\host";
    m_installDir = m_root + "\\Quill mate";  // a blank, as in "Program Files"
    m_iniDir = m_root + "\\settings";
    m_dataDir = m_root + "\\system";
    m_logDir = m_root + "\\logs";
    m_tempDir = m_root + "\\temp";
    for (const std::string* folder : {&m_hostDir, &m_installDir, &m_iniDir, &m_dataDir,
                                      &m_logDir, &m_tempDir})
        ASSERT_TRUE(CreateDirectoryA(folder->c_str(), nullptr)) << *folder;
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\kestro_double.exe").c_str(),
                          (m_installDir + "\\KESTRO.EXE").c_str(), FALSE));

    m_key = std::make_unique<ScopedRegistryKey>(kProductKey);
    ASSERT_TRUE(m_key->Ready());
    ASSERT_TRUE(m_key->SetString("Debug Log Path", m_logDir));
    ASSERT_TRUE(m_key->SetString("Directory Path", m_installDir));
    ASSERT_TRUE(m_key->SetString("Setting Path", m_iniDir));
    ASSERT_TRUE(m_key->SetString("System Directory", m_dataDir));

    // The hand-off files go to the temporary folder of the host's
    // environment, which the launcher inherits: a private one per test.
    m_environment = std::make_unique<ScopedEnvironment>();
    m_environment->Set("TMP", m_tempDir.c_str());
    m_environment->Set("TEMP", m_tempDir.c_str());
    ASSERT_EQ(TempFolder(), m_tempDir + "\\");
    m_recordPath = m_root + "\\launcher record.txt";
    m_environment->Set("KESTRO_DOUBLE_RECORD", m_recordPath.c_str());
    for (const char* option : kDoubleOptions)
        m_environment->Set(option, nullptr);
    // A real launcher ends when it is told to.
    m_environment->Set("KESTRO_DOUBLE_EXIT_ON_DELETE", "1");

    UseDefaultPrinterOnPort(kPrinterName, kHarmlessPort);
    WriteConfig(LibraryConfig());
    WriteSettings(PrintSettingsFile());

    m_currentDir = std::make_unique<ScopedCurrentDirectory>(m_hostDir);
    ASSERT_TRUE(m_currentDir->Changed());
    m_boxes = std::make_unique<MessageBoxWatcher>();
}

void EndToEndTest::TearDown()
{
    m_library.Close();  // a launcher still running is told LM_DELETE
    EndLaunchers();
    m_boxes.reset();
    m_currentDir.reset();
    m_environment.reset();
    m_key.reset();
    m_folder.reset();
    EXPECT_FALSE(PathExists(m_root));
}

void EndToEndTest::EndLaunchers()
{
    for (DWORD process : Record().processes) {
        if (!WaitForProcessEnd(process, 5000)) {
            ADD_FAILURE() << "launcher " << process << " did not end on LM_DELETE";
            EndProcess(process);
        }
    }
}

void EndToEndTest::WriteConfig(const LibraryConfig& config)
{
    const std::string file = m_hostDir + "\\KESTRO.cfg";
    WriteProfile(file, "Velora Config", "ChildTimeOut", config.childTimeOut);
    WriteProfile(file, "Velora Config", "RemainScanedDataOnPC", config.remainScanedDataOnPC);
    WriteProfile(file, "Velora Config", "b2ndJobPrintbyMethod", config.secondJobPrintByMethod);
    WriteProfile(file, "Velora Config", "DoNotPrintOutIfPortIsFILE", config.portIsFileCheck);
    WriteProfile(file, "Velora Message for Dialog", "CannotPrintTitle", kBoxCaption);
    WriteProfile(file, "Velora Message for Dialog", "CannotPrintMsg", kGeneralBoxText);
    WriteProfile(file, "Velora Message for Dialog", "CannotPrintMsg_1", kPortBoxText);
    WriteProfile(file, "Velora Message for Dialog", "CannotPrintMsg_2", "E2E not-available text");
}

void EndToEndTest::WriteSettings(const PrintSettingsFile& settings)
{
    const std::string file = m_iniDir + "\\KESTROst.ini";
    WriteProfile(file, "Velora Config", "PrintAfterReceivedAllData",
                 settings.printAfterReceivedAllData);
    WriteProfile(file, "Print Setting", "PrintPosSetting", settings.printPos);
    WriteProfile(file, "Print Setting", "SortSetting", settings.sort);
    WriteProfile(file, "Print Setting", "PrintSizeSetting", settings.printSize);
    WriteProfile(file, "Print Setting", "NupPrintSetting", settings.nup);
    WriteProfile(file, "Print Setting", "PageFramePrintSetting", settings.pageFrame);
    WriteProfile(file, "Print Setting", "AutoRotatePrintSetting", settings.autoRotate);
    WriteProfile(file, "Print Setting", "AutoPaperChange", settings.autoPaperChange);
}

void EndToEndTest::UseDefaultPrinterOnPort(const char* name, const char* port)
{
    std::string error;
    ASSERT_TRUE(wine_printers::AddPrinterOnPort(name, port, error)) << error;
    ASSERT_TRUE(wine_printers::MakeDefaultPrinter(name, error)) << error;
    ASSERT_EQ(wine_printers::DefaultPrinterName(), name);
}

namespace {

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    ASSERT_NE(function, nullptr) << name;
}

}  // namespace

void EndToEndTest::LoadAndInit()
{
    ASSERT_NO_FATAL_FAILURE(Load());
    ASSERT_EQ(m_init("E2E host"), 1);
}

void EndToEndTest::Load()
{
    m_library.Reset(LoadLibraryA("jobport.dll"));
    ASSERT_NE(m_library.Get(), nullptr) << GetLastError();
    ASSERT_NO_FATAL_FAILURE(Resolve(m_library.Get(), "JP_init", m_init));
    ASSERT_NO_FATAL_FAILURE(Resolve(m_library.Get(), "JP_StartJob", m_startJob));
    ASSERT_NO_FATAL_FAILURE(Resolve(m_library.Get(), "JP_SendData", m_sendData));
    ASSERT_NO_FATAL_FAILURE(Resolve(m_library.Get(), "JP_EndJob", m_endJob));
    ASSERT_NO_FATAL_FAILURE(Resolve(m_library.Get(), "JP_AbortJob", m_abortJob));
}

int EndToEndTest::StartJob(unsigned copies)
{
    int id = -1;
    const int result = m_startJob(&id, copies);
    EXPECT_EQ(result, 1) << "JP_StartJob refused the job";
    return result == 1 ? id : 0;
}

bool EndToEndTest::Send(int jobId, const std::string& name, const std::string& content)
{
    const std::string path = HostPath(name);
    const size_t slash = path.find_last_of('\\');
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    WriteWhole(path, content.empty() ? "page " + name : content);
    return m_sendData(jobId, path.c_str()) == 1;
}

LauncherRecord EndToEndTest::Unload()
{
    const bool launcherStarted = !Record().processes.empty();
    m_library.Close();
    if (!launcherStarted)
        return Record();
    // Messages to one window are taken in the order they were posted: once
    // LM_DELETE is recorded, so is everything posted before it.
    const DWORD start = GetTickCount();
    LauncherRecord record = Record();
    while (!(record.exits > 0 && !record.messages.empty() &&
             record.messages.back().number == kDeleteMessage) &&
           GetTickCount() - start < kWaitLimitMs) {
        Sleep(kPollMs);
        record = Record();
    }
    for (DWORD process : record.processes)
        EXPECT_TRUE(WaitForProcessEnd(process, kWaitLimitMs)) << "launcher " << process;
    return Record();
}

LauncherRecord EndToEndTest::Record() const { return ParseRecord(ReadShared(m_recordPath)); }

LauncherRecord EndToEndTest::WaitForMessages(size_t count) const
{
    const DWORD start = GetTickCount();
    LauncherRecord record = Record();
    while (record.messages.size() < count && GetTickCount() - start < kWaitLimitMs) {
        Sleep(kPollMs);
        record = Record();
    }
    return record;
}

std::vector<std::string> EndToEndTest::Sequence(const LauncherRecord& record) const
{
    const std::string dataFolder = DataPath("");
    std::vector<std::string> sequence;
    for (const LauncherMessage& message : record.messages) {
        std::string line;
        switch (message.number) {
        case kPrintMessage:
            line = "PRINT " + std::to_string(message.wParam) + "," + std::to_string(message.lParam) + ":";
            if (!message.pageListRead) {
                line += " (no page list)";
                break;
            }
            // A page in the data folder shows by its file name, any other by its path.
            for (size_t i = 1; i < message.pageList.size(); ++i) {
                const std::string& path = message.pageList[i];
                line += " " + (path.compare(0, dataFolder.size(), dataFolder) == 0
                                   ? path.substr(dataFolder.size())
                                   : path);
            }
            if (message.pageList.empty() ||
                message.pageList[0] != std::to_string(message.pageList.size() - 1))
                line += " (count line " + (message.pageList.empty() ? "missing" : message.pageList[0]) + ")";
            if (!message.settingsRead)
                line += " (no settings file)";
            break;
        case kSuspendMessage:
            line = "SUSPEND";
            break;
        case kResumeMessage:
            line = "RESUME";
            break;
        case kDeleteMessage:
            line = "DELETE";
            break;
        default:
            line = "MESSAGE " + std::to_string(message.number);
        }
        if (message.number != kPrintMessage && (message.wParam != 0 || message.lParam != 0))
            line += " " + std::to_string(message.wParam) + "," + std::to_string(message.lParam);
        sequence.push_back(line);
    }
    return sequence;
}

std::vector<std::string> EndToEndTest::ReleasedGroups() const
{
    std::vector<std::pair<int, int>> groups;
    std::vector<std::string> others;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((m_tempDir + "\\KST_*.$$$").c_str(), &found));
    if (search) {
        do {
            const std::string name = found.cFileName;
            if (name.size() != 13) {
                others.push_back(name);
                continue;
            }
            const int page = std::atoi(name.substr(6, 3).c_str());
            if (page != 0)
                groups.emplace_back(std::atoi(name.substr(4, 2).c_str()), page);
        } while (FindNextFileA(search.Get(), &found));
    }
    std::sort(groups.begin(), groups.end());
    std::vector<std::string> names;
    for (const auto& group : groups)
        names.push_back(std::to_string(group.first) + "," + std::to_string(group.second));
    names.insert(names.end(), others.begin(), others.end());
    return names;
}

std::string EndToEndTest::HandoffPath(int jobId, int page) const
{
    char name[MAX_PATH + 32];
    std::snprintf(name, sizeof name, "%s\\%s%2d%3d%s", m_tempDir.c_str(), "KST_", jobId, page,
                  ".$$$");
    return name;
}

std::string EndToEndTest::DataPath(const std::string& name) const
{
    return m_dataDir + "\\Data\\" + name;
}

std::string EndToEndTest::HostPath(const std::string& name) const
{
    return m_hostDir + "\\" + name;
}

std::vector<LogLine> EndToEndTest::LogLines() const
{
    // Each test's log is fresh and short: its records are in the order written.
    const std::string file = ReadShared(m_logDir + "\\KESTROd.LOG");
    std::vector<LogLine> lines;
    for (size_t offset = 300; offset + 300 <= file.size(); offset += 300)
        lines.push_back({std::atoi(file.substr(offset + 22, 5).c_str()),
                         TrimRight(file.substr(offset + 28, 269))});
    return lines;
}

std::vector<std::string> EndToEndTest::FilesIn(const std::string& folder, bool foldersToo) const
{
    return NamesIn(folder, foldersToo);
}

unsigned EndToEndTest::RunOtherHost(const std::string& commands) const
{
    const std::string program = ProgramFolder() + "\\sample_host.exe";
    return ExitCodeWithin(
        StartProcess(program.c_str(), "\"" + program + "\" " + commands, 0, m_hostDir.c_str()),
        60000);
}
