#include "host_board.h"

namespace {

const DWORD kSlots = SoakOptions::kMaxHosts + 1;
const DWORD kPollMs = 2;

LONG Clamped(uint64_t pages) { return pages > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<LONG>(pages); }

}  // namespace

HostBoard::HostBoard(const std::string& name)
    : m_mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSlots * sizeof(LONG),
                                   name.c_str()))
{
    if (m_mapping)
        m_view.Reset(
            MapViewOfFile(m_mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, kSlots * sizeof(LONG)));
    m_slots = static_cast<volatile LONG*>(m_view.Get());
}

void HostBoard::SetHeldPages(unsigned host, uint64_t pages)
{
    if (m_slots && host < kSlots)
        InterlockedExchange(&m_slots[host], Clamped(pages));
}

uint64_t HostBoard::HeldPages(unsigned host) const
{
    if (!m_slots || host >= kSlots)
        return 0;
    return static_cast<uint64_t>(InterlockedCompareExchange(&m_slots[host], 0, 0));
}

bool HostBoard::OtherHostHoldsPages(unsigned host, unsigned hosts) const
{
    for (unsigned other = 1; other <= hosts; ++other)
        if (other != host && HeldPages(other) > 0)
            return true;
    return false;
}

bool HostBoard::WaitUntilOtherHostHoldsPages(unsigned host, unsigned hosts, unsigned long timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (!OtherHostHoldsPages(host, hosts)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}
