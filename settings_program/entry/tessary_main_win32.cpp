// Entry point of Tessary.exe and its start-up: one running instance per
// machine, the title of every message box, then the settings dialog run
// modally. This is the program's top layer: the only one that knows both
// the application object and the settings dialog.
#include <windows.h>

#include "app/module_directory.h"
#include "app/tessary_app_win32.h"
#include "dialog/tessary_dlg_win32.h"
#include "framework/module_path_win32.h"
#include "framework/resource_exception.h"
#include "win32_shared/dll_search_win32.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

// The single-instance mutex, released and closed on every way out.
class InstanceMutex {
public:
    explicit InstanceMutex(const std::string& name) : m_mutex(CreateMutexA(nullptr, FALSE, name.c_str()))
    {
        if (!m_mutex)
            throw new CResourceException();
        // Only a wait that gets the mutex counts; an abandoned one means
        // another instance was there.
        m_owned = WaitForSingleObject(m_mutex.Get(), 0) == WAIT_OBJECT_0;
    }
    ~InstanceMutex()
    {
        if (m_owned)
            ReleaseMutex(m_mutex.Get());
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;
    bool Owned() const { return m_owned; }

private:
    KernelHandle m_mutex;
    bool m_owned = false;
};

// The application object with the program's start-up.
class CTessaryProgram final : public CTessaryApp {
protected:
    void InitInstance() override;
};

}  // namespace

void CTessaryProgram::InitInstance()
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

// The program's one application object.
static CTessaryProgram theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL (the print dialog, printer drivers).
    // An older Windows without the restriction runs on as before.
    RestrictDllSearch();
    return theApp.Run(instance);
}
