#include "launcher_window_win32.h"

#include <string>

#include "launcher_log_win32.h"
#include "shared_formats/launcher_messages.h"

namespace {

const char kWindowClass[] = "KestroLauncherWindow";

CommandQueue* gQueue = nullptr;

void Queue(LauncherCommand::Kind kind, uint32_t jobId = 0, uint32_t firstPage = 0)
{
    LauncherCommand command;
    command.kind = kind;
    command.jobId = jobId;
    command.firstPage = firstPage;
    gQueue->Push(command);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LM_PRINT: {
        const uint32_t jobId = static_cast<uint32_t>(wParam);
        const uint32_t firstPage = static_cast<uint32_t>(lParam);
        LogLine("LM_PRINT job " + std::to_string(jobId) + " page " + std::to_string(firstPage));
        Queue(LauncherCommand::PrintGroup, jobId, firstPage);
        return 0;
    }
    case LM_SUSPEND:
        LogLine("LM_SUSPEND");
        Queue(LauncherCommand::NoJobLeft);
        return 0;
    case LM_RESUME:
        LogLine("LM_RESUME");
        return 0;
    case LM_DELETE:
        LogLine("LM_DELETE: ending once the queued groups are printed");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        Queue(LauncherCommand::End);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Out of memory while queueing: the message is lost, the launcher lives on.
        OutputDebugStringA("KESTRO: a message could not be handled\n");
        return 0;
    }
}

}  // namespace

HWND CreateLauncherWindow(HINSTANCE instance, CommandQueue& queue)
{
    gQueue = &queue;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass)) {
        LogFailure("RegisterClass");
        return nullptr;
    }
    const HWND window = CreateWindowA(kWindowClass, "KESTRO", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance, nullptr);
    if (!window)
        LogFailure("CreateWindow");
    return window;
}
