#include "process_figures.h"

#include <windows.h>
#include <psapi.h>

#include <vector>

#include "private_memory_win32.h"

namespace {

// NtQuerySystemInformation's SystemHandleInformation (16) and its rows.
const ULONG kSystemHandleInformation = 16;
const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004L);

struct HandleRow {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ULONG access;
};

struct HandleTable {
    ULONG count;
    HandleRow rows[1];
};

using QuerySystemInformation = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

unsigned long HandlesInSystemTable()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const QuerySystemInformation query = ntdll ? reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation"))) : nullptr;
    if (!query)
        return 0;
    std::vector<char> buffer(1 << 16);
    LONG status;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == kInfoLengthMismatch && buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const HandleTable* table = reinterpret_cast<const HandleTable*>(buffer.data());
    const DWORD self = GetCurrentProcessId();
    unsigned long mine = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->rows[i].ownerProcessId == self)
            ++mine;
    return mine;
}

}  // namespace

ProcessFigures MeasureThisProcess()
{
    ProcessFigures figures;
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles))
        figures.handles = handles;
    if (figures.handles == 0)
        figures.handles = HandlesInSystemTable();
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        figures.privateBytes = memory.PrivateUsage;
    if (figures.privateBytes == 0)
        figures.privateBytes = CommittedPrivateBytes(GetCurrentProcess());
    return figures;
}

bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
