// The program's start-up: one running instance per machine, the title of
// every message box, then the settings dialog run modally.
#include <windows.h>

#include "app/module_directory.h"
#include "app/tessary_app_win32.h"
#include "dialog/tessary_dlg_win32.h"
#include "framework/module_path_win32.h"
#include "framework/resource_exception.h"

namespace {

// The single-instance mutex, released and closed on every way out.
class InstanceMutex {
public:
    explicit InstanceMutex(const std::string& name)
        : m_handle(CreateMutexA(nullptr, FALSE, name.c_str()))
    {
        if (!m_handle)
            throw new CResourceException();
        // Only a wait that gets the mutex counts; an abandoned one means
        // another instance was there.
        m_owned = WaitForSingleObject(m_handle, 0) == WAIT_OBJECT_0;
    }
    ~InstanceMutex()
    {
        if (m_owned)
            ReleaseMutex(m_handle);
        CloseHandle(m_handle);
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;
    bool Owned() const { return m_owned; }

private:
    HANDLE m_handle;
    bool m_owned = false;
};

}  // namespace

void CTessaryApp::InitInstance()
{
    InstanceMutex instance(FileTitle(ModuleFilePath(Instance()), IsAnsiLeadByte));
    if (!instance.Owned())
        return;  // another instance runs: end silently
    SetTitle(GetConfigText("Language", "DlgTitle", ""));

    // The dialog selects the stored printer under the print guard while it
    // is constructed; an error there ends the program before it is shown.
    // Every error is shown here with OK and the exclamation icon.
    try {
        CTessaryDlg dialog(PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES, nullptr);
        SetMainWindow(&dialog);
        dialog.RunModal();
        SetMainWindow(nullptr);
    } catch (CException* e) {
        SetMainWindow(nullptr);
        ReportAndDelete(e, MB_OK, IDS_NO_ERROR_MESSAGE);
    }
}
