#include "print_fixture.h"
#include "test_folders.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <utility>

#include "printer_setup.h"
#include "printer_state.h"
#include "started_process.h"
#include "win32_shared/registry_key_win32.h"

namespace {

const char kRegistryRoot[] = "SOFTWARE\\KestroPrintTests";
const char kRegistryKey[] = "SOFTWARE\\KestroPrintTests\\Launcher\\Print";
const double kRenderDpi = 50;
const DWORD kWaitMs = 30000;

std::unique_ptr<wine_printers::ScopedPrinterState> gPrinters;

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}

std::string Root() { return TempFolder() + "kestro_print_test"; }

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\'));
}


bool SetRegistryText(HKEY key, const char* name, const std::string& value)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    // Every thread with a window gets the system's input-method helpers.
    if (owner == search->processId && lstrcmpiA(className, "IME") != 0 &&
        lstrcmpiA(className, "MSCTFIME UI") != 0)
        search->windows.push_back(window);
    return TRUE;
}

}  // namespace

const char LauncherPrintTest::kDefaultPrinter[] = "KESTRO test printer";
const char LauncherPrintTest::kSecondPrinter[] = "KESTRO second printer";

std::string LauncherPrintTest::Output() { return Root() + "\\out.ps"; }
std::string LauncherPrintTest::SecondOutput() { return Root() + "\\out2.ps"; }
std::string LauncherPrintTest::SettingsFolder() { return Root() + "\\settings"; }
std::string LauncherPrintTest::DataFolder() { return Root() + "\\data"; }
std::string LauncherPrintTest::RootFolder() { return Root(); }
std::string LauncherPrintTest::InstallFolder() { return Root() + "\\install dir"; }
std::string LauncherPrintTest::ConfigFile() { return Root() + "\\KESTRO.cfg"; }

void LauncherPrintTest::SetUpTestSuite()
{
    RemoveTree(Root());
    ASSERT_TRUE(CreateDirectoryA(Root().c_str(), nullptr));
    for (const char* sub : {"\\settings", "\\log", "\\data", "\\install dir"})
        ASSERT_TRUE(CreateDirectoryA((Root() + sub).c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\KESTRO.exe").c_str(),
                          (Root() + "\\install dir\\KESTRO.EXE").c_str(), FALSE));

    gPrinters.reset(new wine_printers::ScopedPrinterState);
    std::string error;
    ASSERT_TRUE(wine_printers::AddPrinterOnPort(kDefaultPrinter, UnixPath(Output()), error)) << error;
    ASSERT_TRUE(wine_printers::AddPrinterOnPort(kSecondPrinter, UnixPath(SecondOutput()), error))
        << error;
    ASSERT_TRUE(wine_printers::MakeDefaultPrinter(kDefaultPrinter, error)) << error;

    RegistryKeyHandle key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    // The data folder is Root()\data: the launcher prints pages only from there.
    ASSERT_TRUE(SetRegistryText(key.Get(), "Setting Path", SettingsFolder()) &&
                SetRegistryText(key.Get(), "Debug Log Path", Root() + "\\log") &&
                SetRegistryText(key.Get(), "System Directory", Root()) &&
                SetRegistryText(key.Get(), "Directory Path", InstallFolder()));

    std::ofstream(Root() + "\\KESTRO.cfg")
        << "[Registry for Velora]\nSubRoot=SOFTWARE\nManufacturer=KestroPrintTests\n"
           "ProductFamily=Launcher\nProductName=Print\n"
           "[Velora Message for Dialog]\nCannotPrintTitle=Scan not printed\n"
           "CannotPrintMsg=The scan could not be printed.\n";
}

void LauncherPrintTest::TearDownTestSuite()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRegistryRoot);
    gPrinters.reset();
    RemoveTree(Root());
}

void LauncherPrintTest::SetUp()
{
    WIN32_FILE_ATTRIBUTE_DATA log;
    m_logStart = GetFileAttributesExA((Root() + "\\log\\KESTROlauncher.log").c_str(),
                                      GetFileExInfoStandard, &log)
                     ? log.nFileSizeLow
                     : 0;
    DeleteFileA((SettingsFolder() + "\\KESTROst.ini").c_str());
    StartLauncher();
}

void LauncherPrintTest::StartLauncher()
{
    StartedProcess started = StartProcess(
        nullptr, Root() + "\\install dir\\KESTRO.EXE \"" + Root() + "\\KESTRO.cfg\"");
    ASSERT_TRUE(started);
    m_process = std::move(started.process);
    m_processId = started.id;
    ASSERT_EQ(WaitForInputIdle(m_process.Get(), kWaitMs), 0u);

    WindowSearch search = {m_processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    ASSERT_EQ(search.windows.size(), 1u) << "the launcher owns exactly one top-level window";
    m_window = search.windows[0];
}

void LauncherPrintTest::TearDown()
{
    if (m_process) {
        if (m_window)
            PostMessageA(m_window, kDelete, 0, 0);
        if (WaitForSingleObject(m_process.Get(), kWaitMs) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the launcher did not end on LM_DELETE";
            TerminateProcess(m_process.Get(), 99);
            WaitForSingleObject(m_process.Get(), kWaitMs);
        }
    }
    for (const std::string& path : m_written)
        DeleteFileA(path.c_str());
    DeleteFileA(Output().c_str());
    DeleteFileA(SecondOutput().c_str());
    if (HasFailure())
        std::cout << "Launcher log:\n" << LogOfThisTest() << std::endl;  // it tells why
}

std::string LauncherPrintTest::LogOfThisTest() const
{
    std::ifstream log((Root() + "\\log\\KESTROlauncher.log").c_str(), std::ios::binary);
    log.seekg(m_logStart);
    return std::string((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
}

std::string LauncherPrintTest::HandoffPath(unsigned jobId, unsigned page)
{
    char name[MAX_PATH + 32];
    std::snprintf(name, sizeof name, "%sKST_%2u%3u.$$$", TempFolder().c_str(), jobId, page);
    return name;
}

void LauncherPrintTest::WriteJobSettings(unsigned jobId, const JobOptions& options)
{
    const std::string path = HandoffPath(jobId, 0);
    DeleteFileA(path.c_str());
    m_written.push_back(path);
    auto put = [&](const char* section, const char* key, int value) {
        WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), path.c_str());
    };
    put("Number of Copies", "Copies", options.copies);
    put("Print Setting", "PrintPosSetting", options.position);
    put("Print Setting", "SortSetting", options.sort);
    put("Print Setting", "PrintSizeSetting", options.size);
    put("Print Setting", "NupPrintSetting", options.nup);
    put("Print Setting", "PageFramePrintSetting", options.frame);
    put("Print Setting", "AutoRotatePrintSetting", options.rotate);
    put("Print Setting", "AutoPaperChange", 0);
}

std::string LauncherPrintTest::WritePage(const std::string& name, int width, int height,
                                         const InkPattern& ink, int dpi)
{
    const std::string path = Root() + "\\data\\" + name;
    m_written.push_back(path);
    EXPECT_TRUE(WriteBmpPage(path, width, height, dpi, ink));
    return path;
}

std::string LauncherPrintTest::WritePageList(unsigned jobId, unsigned firstPage,
                                             const std::vector<std::string>& pages)
{
    const std::string path = HandoffPath(jobId, firstPage);
    m_written.push_back(path);
    std::ofstream out(path.c_str());  // text mode: CR LF, as the library writes it
    out << pages.size() << "\n";
    for (const std::string& page : pages)
        out << page << "\n";
    return path;
}

void LauncherPrintTest::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    EXPECT_TRUE(PostMessageA(m_window, message, wParam, lParam));
}

bool LauncherPrintTest::Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool LauncherPrintTest::WaitUntilGone(const std::string& path)
{
    const DWORD start = GetTickCount();
    while (Exists(path)) {
        if (GetTickCount() - start > kWaitMs)
            return false;
        Sleep(20);
    }
    return true;
}

::testing::AssertionResult LauncherPrintTest::PrintGroup(unsigned jobId, unsigned firstPage,
                                                         const std::vector<std::string>& pages)
{
    DeleteFileA(Output().c_str());
    DeleteFileA(SecondOutput().c_str());
    const std::string list = WritePageList(jobId, firstPage, pages);
    Post(kPrint, jobId, firstPage);
    if (!WaitUntilGone(list))
        return ::testing::AssertionFailure() << "group (" << jobId << ", " << firstPage
                                             << ") was not printed";
    return ::testing::AssertionSuccess();
}

std::vector<RenderedPage> LauncherPrintTest::Printed(const std::string& output)
{
    std::vector<RenderedPage> pages;
    std::string error;
    EXPECT_TRUE(RenderPostScript(output, kRenderDpi, pages, error)) << error;
    return pages;
}

InchBox LauncherPrintTest::PrintableArea()
{
    return PrinterPrintableArea(kDefaultPrinter);
}

::testing::AssertionResult BoxNear(const InchBox& box, double left, double top, double right,
                                   double bottom, double tolerance)
{
    const bool closeEnough = std::abs(box.left - left) <= tolerance && std::abs(box.top - top) <= tolerance &&
                      std::abs(box.right - right) <= tolerance &&
                      std::abs(box.bottom - bottom) <= tolerance;
    if (closeEnough)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "ink at (" << box.left << ", " << box.top << ")-(" << box.right << ", "
           << box.bottom << "), expected (" << left << ", " << top << ")-(" << right << ", "
           << bottom << ")";
}
