// dialog_driver.exe as make demo runs it: it opens a program's dialog,
// changes and reads its controls through window messages, answers the box a
// click opens, presses OK and waits for the program's end; and it says what
// it cannot do. The program driven is this test program itself: with the
// environment variable below set, main shows a small dialog instead of
// running the tests (the driver's children inherit the environment).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "installation.h"
#include "started_process.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kDialogMode[] = "DIALOG_DRIVER_TEST_DIALOG";
const wchar_t kCaption[] = L"Driver test dialog";
const int kLabelId = 99, kColourId = 100, kLoudId = 101, kToldId = 102;
const int kDialogExitCode = 7;
const int kNoDialogExitCode = 3;

// ---- The dialog of the child process.

// Every notification the dialog gets is shown in the greyed static kToldId,
// so the driver can read back that the dialog was told.
INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kColourId && code == CBN_SELCHANGE) {
        wchar_t text[32] = {};
        const HWND combo = GetDlgItem(dialog, kColourId);
        const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (SendMessageW(combo, CB_GETLBTEXTLEN, selected, 0) < 32)
            SendMessageW(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
        SetDlgItemTextW(dialog, kToldId, (std::wstring(L"told: ") + text).c_str());
    } else if (id == kLoudId && code == BN_CLICKED) {
        if (IsDlgButtonChecked(dialog, kLoudId) == BST_CHECKED)
            MessageBoxW(dialog, L"Turned up", L"Volume", MB_OK);
    } else if (id == IDOK && code == BN_CLICKED) {
        DestroyWindow(dialog);
        PostQuitMessage(kDialogExitCode);
    }
    return TRUE;
}

HWND AddControl(HWND dialog, const wchar_t* type, const wchar_t* text, DWORD style, int id, int y)
{
    return CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 24, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

int ShowTestDialog()
{
    const HWND dialog = CreateWindowExW(0, L"#32770", kCaption, WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                        40, 50, 240, 220, nullptr, nullptr, nullptr, nullptr);
    if (!dialog)
        return 1;
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(TestDialogProc));
    AddControl(dialog, L"Static", L"&Colour:", SS_LEFT, kLabelId, 5);
    const HWND colours = AddControl(dialog, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL,
                                    kColourId, 30);
    SetWindowPos(colours, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
    for (const wchar_t* colour : {L"Red", L"Green", L"Blue"})
        SendMessageW(colours, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour));
    SendMessageW(colours, CB_SETCURSEL, 0, 0);
    AddControl(dialog, L"Button", L"&Loud", BS_AUTOCHECKBOX, kLoudId, 60);
    EnableWindow(AddControl(dialog, L"Static", L"told nothing", SS_LEFT, kToldId, 90), FALSE);
    AddControl(dialog, L"Button", L"OK", BS_DEFPUSHBUTTON, IDOK, 130);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// ---- The driver, run as a child process.

struct DriverRun {
    DWORD exitCode;
    std::vector<std::string> lines;
};

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.erase(folder.find_last_of('\\') + 1);
}

class DialogDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        m_folder.reset(new ScopedFolder(std::string(temp) + "dialog_driver_test_" +
                                        std::to_string(GetCurrentProcessId())));
        ASSERT_TRUE(m_folder->Created());
        m_windowFile = m_folder->Path() + "\\window.txt";
        SetEnvironmentVariableA(kDialogMode, "show");
    }

    void TearDown() override
    {
        SetEnvironmentVariableA(kDialogMode, nullptr);
        if (const HWND dialog = FindWindowW(L"#32770", kCaption)) {
            DWORD process = 0;
            GetWindowThreadProcessId(dialog, &process);
            EndProcess(process);
        }
    }

    // Runs dialog_driver.exe with these arguments; its output, line by line.
    DriverRun Run(const std::string& arguments)
    {
        const std::string outputPath =
            m_folder->Path() + "\\output" + std::to_string(++m_runs) + ".txt";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        KernelHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                        &inherit, CREATE_ALWAYS, 0, nullptr));
        if (!output)
            return {~0u, {"cannot create " + outputPath}};
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.Get();
        startup.hStdError = output.Get();
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        const StartedProcess started = StartProcess(
            nullptr, "\"" + OwnFolder() + "dialog_driver.exe\" " + arguments, 0, nullptr, &startup);
        if (!started)
            return {~0u, {"cannot start dialog_driver.exe"}};
        DriverRun run = {ExitCodeWithin(started, 60000), {}};
        std::istringstream text(ReadShared(outputPath));
        for (std::string line; std::getline(text, line);)
            run.lines.push_back(line.substr(0, line.find('\r')));
        return run;
    }

    DriverRun Drive(const std::string& steps) { return Run("drive \"" + m_windowFile + "\" " + steps); }

    DriverRun OpenTestDialog()
    {
        return Run("open \"" + OwnFolder() + "dialog_driver_test.exe\" " +
                   std::to_string(kColourId) + " \"" + m_windowFile + "\"");
    }

    std::unique_ptr<ScopedFolder> m_folder;
    std::string m_windowFile;
    int m_runs = 0;
};

TEST_F(DialogDriverTest, OpensChangesReadsBackAndClosesADialog)
{
    const DriverRun opened = OpenTestDialog();
    ASSERT_EQ(opened.exitCode, 0u) << ::testing::PrintToString(opened.lines);
    const HWND dialog = FindWindowW(L"#32770", kCaption);
    ASSERT_TRUE(dialog);
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    EXPECT_EQ(opened.lines, std::vector<std::string>{"dialog \"Driver test dialog\" of process " +
                                                     std::to_string(process) + " is open"});
    // The window file: the process, the control, the window on the screen.
    RECT window = {};
    GetWindowRect(dialog, &window);
    std::istringstream record(ReadShared(m_windowFile));
    long fields[6] = {};
    for (long& field : fields)
        record >> field;
    EXPECT_EQ(fields[0], static_cast<long>(process));
    EXPECT_EQ(fields[1], kColourId);
    EXPECT_EQ(fields[2], window.left);
    EXPECT_EQ(fields[3], window.top);
    EXPECT_EQ(fields[4], window.right - window.left);
    EXPECT_EQ(fields[5], window.bottom - window.top);

    // Each change is read back; the box the click opens is answered and
    // reported before the next step; a check box already checked is left.
    const DriverRun changed =
        Drive("show 100 show 101 show 102 choose 100 Green check 101 check 101 show 102 uncheck 101 "
              "show 101");
    EXPECT_EQ(changed.exitCode, 0u);
    EXPECT_EQ(changed.lines, (std::vector<std::string>{
                                 "Colour = Red",
                                 "Loud = not checked",
                                 "control 102 = told nothing (greyed)",
                                 "Colour: chose \"Green\"",
                                 "Loud: clicked",
                                 "  message box \"Volume\": \"Turned up\" (answered with OK)",
                                 "Loud: was checked already",
                                 "control 102 = told: Green (greyed)",
                                 "Loud: clicked",
                                 "Loud = not checked",
                             }));

    const DriverRun closed = Drive("click 1 wait-end");
    EXPECT_EQ(closed.exitCode, 0u);
    EXPECT_EQ(closed.lines, (std::vector<std::string>{
                                "OK: clicked",
                                "the program ended (exit code " +
                                    std::to_string(kDialogExitCode) + ")",
                            }));
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(DialogDriverTest, SaysWhatItCannotDo)
{
    EXPECT_EQ(Run("").exitCode, 2u);
    EXPECT_EQ(Run("open program.exe eleven window.txt").exitCode, 2u);

    SetEnvironmentVariableA(kDialogMode, "none");
    DriverRun run = OpenTestDialog();
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.lines, std::vector<std::string>{
                             "dialog driver: the program ended without showing its dialog"});

    SetEnvironmentVariableA(kDialogMode, "show");
    ASSERT_EQ(OpenTestDialog().exitCode, 0u);
    DWORD process = 0;
    GetWindowThreadProcessId(FindWindowW(L"#32770", kCaption), &process);
    const std::pair<const char*, const char*> failures[] = {
        {"choose 100 Purple", "dialog driver: the list \"Colour\" has no item \"Purple\""},
        {"check 555", "dialog driver: the dialog has no control 555"},
        {"choose 100", "dialog driver: \"choose\" needs a control id and an item"},
        {"jump 100", "dialog driver: unknown step \"jump\" (choose, check, uncheck, click, show, "
                     "wait-end)"},
        // The steps before the failing one are done and reported.
        {"show 101 uncheck", "dialog driver: \"uncheck\" needs a control id"},
    };
    for (const auto& failure : failures) {
        run = Drive(failure.first);
        EXPECT_EQ(run.exitCode, 1u) << failure.first;
        ASSERT_FALSE(run.lines.empty()) << failure.first;
        EXPECT_EQ(run.lines.back(), failure.second);
    }
    EXPECT_EQ(run.lines.front(), "Loud = not checked");
    EXPECT_EQ(Drive("click 1 wait-end").exitCode, 0u);
    run = Drive("show 100");
    EXPECT_EQ(run.exitCode, 1u);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back(), "dialog driver: process " + std::to_string(process) + " is not running");
}

}  // namespace

int main(int argc, char** argv)
{
    char mode[16] = {};
    if (GetEnvironmentVariableA(kDialogMode, mode, sizeof mode) > 0)
        return lstrcmpA(mode, "show") == 0 ? ShowTestDialog() : kNoDialogExitCode;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
