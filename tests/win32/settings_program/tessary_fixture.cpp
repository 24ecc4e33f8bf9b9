#include "tessary_fixture.h"

#include <sstream>
#include <utility>

#include "printer_setup.h"

const char kPrinterA[] = "Tessary E2E A";
const char kPrinterB[] = "Tessary E2E B";
const char kPrinterC[] = "Tessary E2E C";
// Nothing is printed: any port but "FILE:" will do.
const char kPrinterPort[] = "/dev/null";

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, n < sizeof path ? n : 0);
    return program.substr(0, program.find_last_of('\\') + 1);
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    return std::string(temp, n < sizeof temp ? n : 0);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool IsSectionLine(const std::string& line)
{
    return !line.empty() && line.front() == '[';
}

}  // namespace

std::string StoredDevMode::DeviceName() const
{
    const std::string name = bytes.substr(0, 32);
    return name.substr(0, name.find('\0'));
}

unsigned StoredDevMode::Word(size_t offset) const
{
    if (bytes.size() < offset + 2)
        return 0;
    return static_cast<unsigned char>(bytes[offset]) |
           static_cast<unsigned char>(bytes[offset + 1]) << 8;
}

unsigned long StoredDevMode::Fields() const
{
    return Word(40) | static_cast<unsigned long>(Word(42)) << 16;
}

void TessaryTest::SetUp()
{
    static int testNumber = 0;
    ++testNumber;
    const std::string root = TempFolder() + "tessary_e2e_" +
                             std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(testNumber);
    m_folder = std::make_unique<ScopedFolder>(root);
    ASSERT_TRUE(m_folder->Created()) << root;
    m_installDir = root + "\\Print Settings";
    m_dataDir = root + "\\print data";
    ASSERT_TRUE(CreateDirectoryA(m_installDir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(m_dataDir.c_str(), nullptr));
    m_programPath = m_installDir + "\\Tessary.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + TESSARY_PROGRAM_FOLDER "/Tessary.exe").c_str(),
                          m_programPath.c_str(), FALSE))
        << "the built Tessary.exe";
    m_eventName = "TessaryE2EGuard_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(testNumber);
    WriteConfig();

    m_key = std::make_unique<ScopedRegistryKey>("SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate");
    ASSERT_TRUE(m_key->Ready());
    ASSERT_TRUE(m_key->SetString("Setting Path", m_dataDir));

    std::string error;
    for (const char* printer : {kPrinterA, kPrinterB, kPrinterC})
        ASSERT_TRUE(wine_printers::AddPrinterOnPort(printer, kPrinterPort, error)) << error;
    ASSERT_TRUE(wine_printers::MakeDefaultPrinter(kPrinterA, error)) << error;
}

void TessaryTest::TearDown()
{
    m_runs.clear();  // ends a program a test gave up on
    m_key.reset();
    m_folder.reset();
}

void TessaryTest::WriteJapaneseConfig()
{
    WriteConfigFrom("/ja/Tessary.cfg", {});
}

void TessaryTest::WriteConfig(const std::map<std::string, const char*>& language)
{
    WriteConfigFrom("/Tessary.cfg", language);
}

void TessaryTest::WriteConfigFrom(const char* shippedName, const std::map<std::string, const char*>& language)
{
    const std::string shipped = ReadShared(ProgramFolder() + TESSARY_PROGRAM_FOLDER + shippedName);
    ASSERT_FALSE(shipped.empty()) << "the shipped Tessary.cfg";
    std::string written;
    std::string section;
    m_language.clear();
    for (const std::string& line : Lines(shipped)) {
        if (IsSectionLine(line))
            section = line;
        const size_t equals = line.find('=');
        const bool hasValue = equals != std::string::npos;
        const std::string key = hasValue ? line.substr(0, equals) : std::string();
        std::string value = hasValue ? line.substr(equals + 1) : std::string();
        if (section == "[Event Information]" && key == "EventName")
            value = m_eventName;
        if (section == "[Language]" && !key.empty()) {
            const auto change = language.find(key);
            if (change != language.end() && !change->second)
                continue;
            if (change != language.end())
                value = change->second;
            // The profile functions drop the quotes around a value.
            const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
            m_language.emplace_back(key, quoted ? value.substr(1, value.size() - 2) : value);
        }
        written += key.empty() ? line : key + "=" + value;
        written += "\r\n";
    }
    WriteWhole(m_installDir + "\\Tessary.cfg", written);
}

std::string TessaryTest::ConfigText(const std::string& key) const
{
    for (const auto& entry : m_language) {
        if (entry.first == key)
            return entry.second;
    }
    return std::string();
}

DWORD TessaryTest::Start()
{
    auto run = std::make_unique<WatchedProgram>(m_programPath, m_installDir);
    if (!run->Started()) {
        ADD_FAILURE() << "Tessary.exe did not start: " << GetLastError();
        return 0;
    }
    m_runs.push_back(std::move(run));
    return m_runs.back()->Id();
}

HWND TessaryTest::WaitForWindow(DWORD process, int controlId)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : VisibleDialogs(process))
            found = found ? found : (GetDlgItem(window, controlId) ? window : nullptr);
        return found != nullptr || !IsRunning(process);
    });
    return found;
}

HWND TessaryTest::OpenDialog(DWORD* process)
{
    const DWORD started = Start();
    if (process)
        *process = started;
    const HWND found = started ? WaitForWindow(started, 11014) : nullptr;
    if (!found)
        ADD_FAILURE() << "no settings dialog appeared";
    return found;
}

const WatchedProgram* TessaryTest::FindRun(DWORD process) const
{
    for (const auto& run : m_runs) {
        if (run->Id() == process)
            return run.get();
    }
    return nullptr;
}

bool TessaryTest::WaitForEnd(DWORD process)
{
    const WatchedProgram* run = FindRun(process);
    return run && WaitForSingleObject(run->Process(), kProgramWaitMs) == WAIT_OBJECT_0;
}

bool TessaryTest::IsRunning(DWORD process) const
{
    const WatchedProgram* run = FindRun(process);
    return run && WaitForSingleObject(run->Process(), 0) == WAIT_TIMEOUT;
}

std::vector<SeenBox> TessaryTest::TakeBoxes()
{
    for (const auto& run : m_runs) {
        for (SeenBox& box : run->TakeBoxes())
            m_pendingBoxes.push_back(box);
    }
    std::vector<SeenBox> seen;
    seen.swap(m_pendingBoxes);
    return seen;
}

std::vector<SeenBox> TessaryTest::WaitForBoxes(size_t count)
{
    std::vector<SeenBox> seen;
    WaitUntil([&] {
        for (const SeenBox& box : TakeBoxes())
            seen.push_back(box);
        return seen.size() >= count;
    });
    return seen;
}

std::map<std::string, std::string> TessaryTest::DataFiles() const
{
    std::map<std::string, std::string> files;
    for (const std::string& name : NamesIn(m_dataDir, false))
        files[name] = ReadShared(DataPath(name));
    return files;
}

std::vector<std::string> TessaryTest::SectionLines(const std::string& section) const
{
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : Lines(ReadShared(SettingsPath()))) {
        if (IsSectionLine(line))
            inside = line == "[" + section + "]";
        else if (inside && !line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::string TessaryTest::Setting(const std::string& section, const std::string& key) const
{
    for (const std::string& line : SectionLines(section)) {
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
    }
    return "(absent)";
}

StoredDevMode TessaryTest::DevModeFile(int slot) const
{
    return {ReadShared(DataPath("devmode" + std::to_string(slot) + ".bin"))};
}

void TessaryTest::ChoosePrinter(HWND dialog, const char* printer, bool landscape)
{
    EXPECT_TRUE(ChoosePrinterAndOrientation(dialog, printer, landscape))
        << "the dialog does not show the choice";
}

void TessaryTest::SaveWith(const char* printer, bool landscape)
{
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    ChoosePrinter(dialog, printer, landscape);
    dialog::Click(dialog, IDOK);
    ASSERT_TRUE(WaitForEnd(process)) << "OK did not end the program";
}

KernelHandle TessaryTest::HoldPrintGuard() const
{
    KernelHandle event(CreateEventA(nullptr, TRUE, TRUE, m_eventName.c_str()));
    if (event)
        ResetEvent(event.Get());
    return event;
}
