#include "record_follower.h"

#include <windows.h>

namespace {
const DWORD kPollMs = 5;
}

void RecordFollower::Start()
{
    m_stop = false;
    m_thread = std::thread([this] { Run(); });
}

void RecordFollower::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    m_thread.join();
    ReadNow();
    if (m_reader.TornEntries() > 0)
        m_report.Count("record entries cut off by a killed launcher", m_reader.TornEntries());
}

void RecordFollower::Run()
{
    while (!m_stop) {
        ReadNow();
        Sleep(kPollMs);
    }
}

void RecordFollower::ReadNow()
{
    const std::lock_guard<std::mutex> hold(m_readLock);
    for (const LauncherEvent& event : m_reader.ReadNew()) {
        switch (event.kind) {
        case LauncherEvent::Kind::Start:
            m_ledger.LauncherStarted(event.processId);
            m_report.Count("launchers started");
            break;
        case LauncherEvent::Kind::Print:
            m_ledger.GroupRecorded(event);
            break;
        case LauncherEvent::Kind::Suspend:
            m_report.Count("LM_SUSPEND taken");
            break;
        case LauncherEvent::Kind::Resume:
            m_report.Count("LM_RESUME taken");
            break;
        case LauncherEvent::Kind::Delete:
            m_report.Count("LM_DELETE taken");
            break;
        case LauncherEvent::Kind::Exit:
            m_report.Count("launchers ended on LM_DELETE");
            break;
        }
    }
    m_bytes = m_reader.BytesRead();
}
