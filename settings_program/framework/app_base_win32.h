// The application object's base: the program's module, its title (the
// caption of every message box) and its main window, and the one way
// message boxes are shown. Exactly one instance exists per process.
#pragma once
#include <windows.h>

#include <string>

#include "framework/message_presenter.h"

class CDialogWindow;

class CAppBase : public MessagePresenter {
public:
    CAppBase();
    ~CAppBase() override;
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;

    // The one application object (null before it is constructed).
    static CAppBase* Current();

    // Program entry: remembers the module and runs InitInstance. Nothing
    // escapes: an error that does is shown and the program ends.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return m_instance; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    // The dialog that owns later boxes while it runs.
    void SetMainWindow(CDialogWindow* window) { m_mainWindow = window; }
    HWND MainWindowHandle() const;

    // A box captioned with the title, owned by the program's active
    // top-level window, with the default icon added (message_box_style.h).
    int ShowMessage(const std::string& text, unsigned style) override;
    std::string LoadText(unsigned id) override;

protected:
    // The program's whole work. Dialog programs run their dialog modally
    // here and return; no message loop follows.
    virtual void InitInstance() = 0;

private:
    HINSTANCE m_instance;
    std::string m_title;
    CDialogWindow* m_mainWindow = nullptr;
};
