#include "message_receiver.h"

namespace {

const char kWindowClass[] = "BenchmarkReceiver";
MessageReceiver* gReceiver = nullptr;

}  // namespace

MessageReceiver::MessageReceiver() : m_thread([this] { Run(); })
{
    while (!m_ready)
        Sleep(1);
}

MessageReceiver::~MessageReceiver()
{
    if (m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
}

void MessageReceiver::Run() noexcept
{
    gReceiver = this;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassA(&windowClass))
        m_window = CreateWindowA(kWindowClass, "benchmark receiver", WS_OVERLAPPED, 0, 0, 10, 10,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    m_ready = true;
    if (!m_window)
        return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
}

LRESULT CALLBACK MessageReceiver::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept
{
    switch (message) {
    case WM_APP:
        ++gReceiver->m_received;
        return 0;
    case WM_DESTROY:
        gReceiver->m_window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
