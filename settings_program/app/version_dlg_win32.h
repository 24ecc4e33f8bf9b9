// The About box: three lines of text from "Tessary.cfg" in the GUI font,
// the program's icon, and OK.
#pragma once
#include "framework/control_win32.h"
#include "framework/modal_dialog_win32.h"

class CVersionDlg : public CModalDialog {
public:
    // Owned by the program's main window, the settings dialog.
    CVersionDlg();

protected:
    void BindControls() override;
    BOOL OnInitDialog() override;

private:
    CControl m_version;
    CControl m_copyRight;
    CControl m_copyRightLead;
};
