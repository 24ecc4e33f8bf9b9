// kestro_double.exe: a test stand-in for the launcher program KESTRO.EXE.
// Copy it into an installation folder as KESTRO.EXE and let the library start
// it. It keeps the launcher's side of the contract: it becomes idle at once,
// owns exactly one (hidden) top-level window and takes the four posted
// messages LM_PRINT (1125), LM_SUSPEND (1126), LM_RESUME (1127) and
// LM_DELETE (1128) in that window's procedure. It prints nothing; it writes
// down what it was told.
//
// Options, from the environment (the library passes the host's environment on):
//   KESTRO_DOUBLE_RECORD          record file path (appended to); default:
//                                 kestro_double.rec beside the exe
//   KESTRO_DOUBLE_START_DELAY_MS  sleep this long before creating the window
//                                 and becoming idle (a slow launcher)
//   KESTRO_DOUBLE_WINDOW_DELAY_MS become idle first, create the window this
//                                 long afterwards
//   KESTRO_DOUBLE_NO_WINDOW=1     become idle but never create a window
//   KESTRO_DOUBLE_DELETE_PRINTED=1  after recording an LM_PRINT, delete the
//                                 page files of the group and its page list
//   KESTRO_DOUBLE_PRINT_LIMIT=n   with KESTRO_DOUBLE_DELETE_PRINTED=1: only
//                                 the first n LM_PRINT messages this process
//                                 takes are "printed" (files deleted); later
//                                 groups are recorded and left as a launcher
//                                 leaves the groups still queued in it
//   KESTRO_DOUBLE_EXIT_ON_DELETE=1  end on LM_DELETE
//
// Record file: text, one entry a line, "\n" line ends, each message's entry
// written in one piece:
//   START <process id, decimal>
//   COMMAND LINE <the command line exactly as received>
//   WINDOW <window handle, hexadecimal>
//   MESSAGE <number> <wParam> <lParam>          (decimal)
//   FILE <path>           followed by "| <line>" per line of the file and
//   END FILE              -- for LM_PRINT: the page list of (wParam, lParam),
//                            then the job's settings file of (wParam, 0)
//   NO FILE <path>        a hand-off file that could not be read
//   DELETED <path>        a file deleted after "printing"
//   EXIT
#include <windows.h>

#include <string>
#include <vector>

#include "double_handoff.h"
#include "double_options.h"
#include "double_record.h"
#include "shared_formats/launcher_messages.h"
#include "win32_shared/in_use_retry_win32.h"

namespace {

const char kWindowClass[] = "KestroDoubleWindow";

DoubleOptions gOptions;
unsigned long gPrintsTaken = 0;

void Record(const std::string& text) { AppendRecord(gOptions.recordPath, text); }

void AppendFile(std::string& entry, const std::string& path, std::vector<std::string>& lines)
{
    if (!ReadLines(path, lines)) {
        entry += "NO FILE " + path + "\n";
        return;
    }
    entry += "FILE " + path + "\n";
    for (const std::string& line : lines)
        entry += "| " + line + "\n";
    entry += "END FILE\n";
}

void DeleteAndNote(std::string& entry, const std::string& path)
{
    if (RetryWhileInUse([&] { return DeleteFileA(path.c_str()) != FALSE; }))
        entry += "DELETED " + path + "\n";
}

std::string MessageLine(UINT message, WPARAM wParam, LPARAM lParam)
{
    return "MESSAGE " + std::to_string(message) + " " + std::to_string(wParam) + " " +
           std::to_string(static_cast<unsigned long>(lParam)) + "\n";
}

void OnPrint(WPARAM jobId, LPARAM firstPage)
{
    std::string entry = MessageLine(LM_PRINT, jobId, firstPage);
    const std::string pageList = HandoffPath(jobId, static_cast<unsigned long>(firstPage));
    std::vector<std::string> pages;
    AppendFile(entry, pageList, pages);
    std::vector<std::string> settings;
    AppendFile(entry, HandoffPath(jobId, 0), settings);
    ++gPrintsTaken;
    const bool printed = !gOptions.limitPrinted || gPrintsTaken <= gOptions.printLimit;
    if (gOptions.deletePrinted && printed && !pages.empty()) {
        for (size_t i = 1; i < pages.size(); ++i)
            DeleteAndNote(entry, pages[i]);
        DeleteAndNote(entry, pageList);
    }
    Record(entry);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LM_PRINT:
        OnPrint(wParam, lParam);
        return 0;
    case LM_SUSPEND:
    case LM_RESUME:
        Record(MessageLine(message, wParam, lParam));
        return 0;
    case LM_DELETE:
        Record(MessageLine(message, wParam, lParam));
        if (gOptions.exitOnDelete)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Nothing may be thrown through the system's frames back to the message loop.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        Record("EXCEPTION\n");
        return 0;
    }
}

bool CreateDoubleWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass))
        return false;
    const HWND window = CreateWindowA(kWindowClass, "KESTRO double", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr,
                                      instance, nullptr);
    if (!window)
        return false;
    char handle[32];
    wsprintfA(handle, "%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    Record(std::string("WINDOW ") + handle + "\n");
    return true;
}

int Run(HINSTANCE instance)
{
    gOptions = ReadDoubleOptions();
    Record("START " + std::to_string(GetCurrentProcessId()) + "\nCOMMAND LINE " +
           GetCommandLineA() + "\n");
    if (gOptions.startDelayMs > 0)
        Sleep(gOptions.startDelayMs);
    const bool windowNow = !gOptions.noWindow && gOptions.windowDelayMs == 0;
    if (windowNow && !CreateDoubleWindow(instance)) {
        Record("NO WINDOW\n");
        return 1;
    }
    // A window that comes later: a thread timer, seen by the loop below
    // once the double has been idle.
    UINT_PTR windowTimer = 0;
    if (!gOptions.noWindow && gOptions.windowDelayMs > 0)
        windowTimer = SetTimer(nullptr, 0, gOptions.windowDelayMs, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (windowTimer && message.message == WM_TIMER && message.hwnd == nullptr) {
            KillTimer(nullptr, windowTimer);
            windowTimer = 0;
            if (!CreateDoubleWindow(instance))
                Record("NO WINDOW\n");
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Record("EXIT\n");
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        return Run(instance);
    } catch (...) {
        return 2;
    }
}
