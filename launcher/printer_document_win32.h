// A printer device context with one open document: created for a printer
// and its device mode, the document started and, unless it was ended,
// aborted and the context deleted when the object goes out of scope. Every
// failure is written to the launcher log with the system's error code.
#pragma once
#include <windows.h>

#include <string>

#include "printer_choice_win32.h"
#include "win32_shared/gdi_handles_win32.h"

class PrinterDocument {
public:
    PrinterDocument() = default;
    ~PrinterDocument();
    PrinterDocument(const PrinterDocument&) = delete;
    PrinterDocument& operator=(const PrinterDocument&) = delete;

    // Creates the device context; false, with the reason, when that fails.
    bool Open(const ChosenPrinter& printer, std::string& reason);
    // `name` is the document's name in the print queue.
    bool StartDocument(const std::wstring& name, std::string& reason);
    bool StartSheet(std::string& reason);
    bool EndSheet(std::string& reason);
    // Ends the document: the spooler takes it.
    bool EndDocument(std::string& reason);

    HDC Dc() const { return m_dc.Get(); }

private:
    bool Failed(const char* call, std::string& reason);

    CreatedDc m_dc;
    bool m_documentOpen = false;
};
