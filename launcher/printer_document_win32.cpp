#include "printer_document_win32.h"

#include "launcher_log_win32.h"

PrinterDocument::~PrinterDocument()
{
    if (m_documentOpen && AbortDoc(m_dc.Get()) <= 0)
        LogFailure("AbortDoc");
    if (!m_dc.Close())
        LogFailure("DeleteDC");
}

bool PrinterDocument::Failed(const char* call, std::string& reason)
{
    const DWORD error = GetLastError();
    LogFailure(call);
    reason = std::string("the printer did not take the job (") + call + " failed, error " +
             std::to_string(error) + ")";
    return false;
}

bool PrinterDocument::Open(const ChosenPrinter& printer, std::string& reason)
{
    const DEVMODEA* mode =
        printer.devMode.empty() ? nullptr
                                : reinterpret_cast<const DEVMODEA*>(printer.devMode.data());
    m_dc.Reset(CreateDCA(nullptr, printer.name.c_str(), nullptr, mode));
    if (!m_dc) {
        const DWORD error = GetLastError();
        LogFailure("CreateDC", printer.name);
        reason = "the printer \"" + printer.name + "\" cannot be used (CreateDC failed, error " +
                 std::to_string(error) + ")";
        return false;
    }
    return true;
}

bool PrinterDocument::StartDocument(const std::wstring& name, std::string& reason)
{
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (StartDocW(m_dc.Get(), &document) <= 0)
        return Failed("StartDoc", reason);
    m_documentOpen = true;
    return true;
}

bool PrinterDocument::StartSheet(std::string& reason)
{
    if (StartPage(m_dc.Get()) <= 0)
        return Failed("StartPage", reason);
    return true;
}

bool PrinterDocument::EndSheet(std::string& reason)
{
    if (EndPage(m_dc.Get()) <= 0)
        return Failed("EndPage", reason);
    return true;
}

bool PrinterDocument::EndDocument(std::string& reason)
{
    if (EndDoc(m_dc.Get()) <= 0)
        return Failed("EndDoc", reason);  // the destructor aborts what is left
    m_documentOpen = false;
    return true;
}
