// What the debug log and the error reporter need from the operating system.
// The DLL installs the Win32 implementation; native tests install fakes.
#pragma once
#include <cstddef>
#include <cstdint>

struct LocalTime {
    int year;    // full year, e.g. 2026
    int month;   // 1..12
    int day;     // 1..31
    int hour;
    int minute;
    int second;
    int millisecond;
};

// Windows error code for a string id that is not in the table.
const uint32_t kErrorResourceNameNotFound = 1814;

// Message box style of the cannot-print boxes:
// MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST.
const unsigned kCannotPrintBoxStyle = 0x50030;

class DiagnosticsPlatform {
public:
    virtual ~DiagnosticsPlatform() = default;
    virtual LocalTime Now() = 0;
    // The calling thread's last Windows error code.
    virtual uint32_t LastError() = 0;
    // Loads string `id` of module `module` into buf (size bytes, terminated).
    // On failure returns false and stores the Windows error code in *error.
    virtual bool LoadText(const char* module, unsigned id, char* buf, size_t size,
                          uint32_t* error) = 0;
    // Shows a modal message box without owner; returns when it is closed.
    virtual void ShowBox(const char* text, const char* caption, unsigned style) = 0;
};

// The platform in use; never null (a portable default until one is set).
DiagnosticsPlatform& Diagnostics();
// Installs p (not owned); null restores the portable default.
void SetDiagnosticsPlatform(DiagnosticsPlatform* p);
