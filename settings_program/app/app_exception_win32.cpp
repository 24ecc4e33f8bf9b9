#include <windows.h>

#include "app/app_exception.h"
#include "win32_shared/local_memory_win32.h"

namespace {

// The system's message for code, as the system words it (its closing line
// break kept); empty when it has none.
std::string SystemMessage(DWORD code)
{
    // The system allocates the text: some systems refuse a caller's buffer
    // of the full 64 KB. Inserts such as %1 are left as they stand.
    LocalMemory<char*> text;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, 0, reinterpret_cast<char*>(text.Receive()), 0, nullptr);
    if (!length || !text)
        return std::string();
    return std::string(text.Get(), length);
}

}  // namespace

CAppException::CAppException(uint32_t win32ErrorCode) : m_strMessage(SystemMessage(win32ErrorCode))
{
}
