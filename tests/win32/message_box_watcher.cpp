#include "message_box_watcher.h"

#include <algorithm>

namespace {

// Id of the static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;
// How long a box's icon may take to be painted.
const DWORD kIconPaintLimitMs = 3000;

// The whole text, however long (the launcher's boxes list pages and paths).
std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// Under Wine a library whose start-up registers window classes can
// deadlock against a thread that enumerates windows at that moment. The
// system libraries the product loads are loaded here, once, before the
// watching thread starts, so none of them starts up while it runs.
bool PreloadSystemLibraries()
{
    for (const char* name : {"comdlg32.dll", "winspool.drv", "comctl32.dll", "ole32.dll",
                             "oleaut32.dll", "windowscodecs.dll", "shell32.dll"})
        LoadLibraryA(name);  // kept loaded for the life of the test program
    return true;
}

struct OpenBoxSearch {
    DWORD processId;
    std::vector<SeenBox> boxes;
};

BOOL CALLBACK CollectOpenBox(HWND window, LPARAM param)
{
    OpenBoxSearch* search = reinterpret_cast<OpenBoxSearch*>(param);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    const HWND text = GetDlgItem(window, kMessageTextId);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window) &&
        owner == search->processId && text)
        search->boxes.push_back(SeenBox{WindowText(window), WindowText(text), BoxIcon::Unknown});
    return TRUE;
}

}  // namespace

std::vector<SeenBox> OpenBoxes(DWORD processId)
{
    OpenBoxSearch search = {processId, {}};
    EnumWindows(CollectOpenBox, reinterpret_cast<LPARAM>(&search));
    return search.boxes;
}

MessageBoxWatcher::MessageBoxWatcher(DWORD processId) : m_processId(processId)
{
    static const bool preloaded = PreloadSystemLibraries();
    (void)preloaded;
    m_thread = std::thread([this] { Run(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    m_stop = true;
    m_thread.join();
}

std::vector<SeenBox> MessageBoxWatcher::Take()
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<SeenBox> seen;
    seen.swap(m_seen);
    return seen;
}

void MessageBoxWatcher::Run()
{
    while (!m_stop) {
        EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(this));
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_closed.erase(std::remove_if(m_closed.begin(), m_closed.end(),
                                          [](HWND w) { return !IsWindow(w); }),
                           m_closed.end());
        }
        Sleep(20);
    }
}

BOOL CALLBACK MessageBoxWatcher::VisitWindow(HWND window, LPARAM param)
{
    MessageBoxWatcher* self = reinterpret_cast<MessageBoxWatcher*>(param);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (self->m_processId != 0 && owner != self->m_processId)
        return TRUE;
    HWND textControl = GetDlgItem(window, kMessageTextId);
    if (!textControl)
        return TRUE;  // some other dialog

    {
        // A box that was told to close may still be listed for a moment.
        std::lock_guard<std::mutex> hold(self->m_lock);
        if (std::find(self->m_closed.begin(), self->m_closed.end(), window) != self->m_closed.end())
            return TRUE;
    }
    // Read before the box is closed; only this thread closes boxes.
    const SeenBox seen = {WindowText(window), WindowText(textControl),
                          ReadBoxIcon(window, kIconPaintLimitMs)};
    std::lock_guard<std::mutex> hold(self->m_lock);
    self->m_seen.push_back(seen);
    self->m_closed.push_back(window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}
