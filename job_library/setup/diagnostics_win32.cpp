#include "diagnostics_win32.h"

#include <windows.h>

#include "diagnostics_platform.h"

namespace {

class Win32Diagnostics : public DiagnosticsPlatform {
public:
    LocalTime Now() override
    {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                         t.wMilliseconds};
    }

    uint32_t LastError() override { return GetLastError(); }

    bool LoadText(const char* module, unsigned id, char* buf, size_t size,
                  uint32_t* error) override
    {
        buf[0] = '\0';
        HMODULE handle = GetModuleHandleA(module);
        if (!handle) {
            *error = GetLastError();
            return false;
        }
        SetLastError(ERROR_SUCCESS);
        const int maxChars = size > INT_MAX ? INT_MAX : static_cast<int>(size);
        if (LoadStringA(handle, id, buf, maxChars) > 0)
            return true;
        *error = GetLastError();
        // An id missing from an existing block of the table loads as an
        // empty string without an error code: it is just as absent.
        if (*error == ERROR_SUCCESS)
            *error = ERROR_RESOURCE_NAME_NOT_FOUND;
        return false;
    }

    void ShowBox(const char* text, const char* caption, unsigned style) override
    {
        MessageBoxA(nullptr, text, caption, style);
    }
};

Win32Diagnostics gWin32Diagnostics;

}  // namespace

void InstallWin32Diagnostics() { SetDiagnosticsPlatform(&gWin32Diagnostics); }
