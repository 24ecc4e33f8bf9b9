#include "fault_injector.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "box_answerer.h"
#include "launcher_catch_up.h"
#include "launcher_process.h"

namespace {

// Pages between two faults, on average.
const uint32_t kPagesBetweenFaults = 80;
const DWORD kPollMs = 2;
const DWORD kCatchUpMs = 60000;
// How long a frozen launcher lets groups queue up, at most.
const DWORD kFrozenMs = 1500;
// How long a JP_init fault waits for another host process to hold pages, at most.
const DWORD kOtherHoldsWaitMs = 2000;

struct Weighted {
    int weight;
    int fault;
};

}  // namespace

void FaultInjector::Run()
{
    const BoxAnswerer boxes(m_context.report);
    const uint64_t tenth = std::max<uint64_t>(1, m_context.pageTarget / 10);
    uint64_t nextSample = tenth;
    uint64_t nextFault = m_random.Between(kPagesBetweenFaults / 2, kPagesBetweenFaults * 3 / 2);
    while (!m_context.PagesDone()) {
        const uint64_t pages = m_context.ledger.AcceptedPages();
        if (pages >= nextSample) {
            TakeSample(true);
            while (nextSample <= m_context.ledger.AcceptedPages())
                nextSample += tenth;
        } else if (m_lastingUntil != 0 && GetTickCount() - m_lastingUntil < 0x80000000u) {
            // A settings or printer fault refuses every job while it lasts,
            // so it ends after a while rather than after pages.
            EndLastingFaults();
        } else if (pages >= nextFault) {
            EndLastingFaults();
            Inject(PickFault());
            nextFault = pages + m_random.Between(kPagesBetweenFaults / 2, kPagesBetweenFaults * 3 / 2);
        } else {
            Sleep(kPollMs);
        }
    }
    EndLastingFaults();
}

FaultInjector::Fault FaultInjector::PickFault()
{
    static const Weighted kWeights[] = {
        {14, static_cast<int>(Fault::KillMidJob)},
        {10, static_cast<int>(Fault::KillBetweenJobs)},
        {10, static_cast<int>(Fault::KillWithGroupsQueued)},
        {14, static_cast<int>(Fault::HoldDebugLog)},
        {10, static_cast<int>(Fault::RemoveSettings)},
        {10, static_cast<int>(Fault::GarbageSettings)},
        {8, static_cast<int>(Fault::SettingsOutOfRange)},
        {10, static_cast<int>(Fault::RemovePrinter)},
        {8, static_cast<int>(Fault::InitAgain)},
    };
    int total = 0;
    for (const Weighted& w : kWeights)
        total += w.weight;
    int draw = static_cast<int>(m_random.Below(static_cast<uint32_t>(total)));
    for (const Weighted& w : kWeights) {
        if (draw < w.weight)
            return static_cast<Fault>(w.fault);
        draw -= w.weight;
    }
    return Fault::KillMidJob;
}

void FaultInjector::Inject(Fault fault)
{
    SoakReport& report = m_context.report;
    if (m_verbose) {
        std::printf("  fault %d at %llu pages\n", static_cast<int>(fault),
                    static_cast<unsigned long long>(m_context.ledger.AcceptedPages()));
        std::fflush(stdout);
    }
    switch (fault) {
    case Fault::KillMidJob:
        KillLatestLauncher("fault: launcher killed while jobs run");
        break;
    case Fault::KillBetweenJobs:
        m_context.gate.Quiesce();
        KillLatestLauncher("fault: launcher killed between jobs");
        m_context.gate.Resume();
        break;
    case Fault::KillWithGroupsQueued:
        KillWithGroupsQueued();
        break;
    case Fault::HoldDebugLog:
        HoldDebugLog();
        break;
    case Fault::RemoveSettings:
        m_context.desk.RemoveSettingsFile();
        Lasts();
        report.Count("fault: settings file missing");
        break;
    case Fault::GarbageSettings:
        m_context.desk.FillSettingsWithGarbage(m_random);
        Lasts();
        report.Count("fault: settings file holding garbage");
        break;
    case Fault::SettingsOutOfRange:
        m_context.desk.PutSettingsValueOutOfRange();
        Lasts();
        report.Count("fault: settings file with NupPrintSetting=9");
        break;
    case Fault::RemovePrinter:
        m_context.desk.RemoveDefaultPrinter();
        Lasts();
        report.Count("fault: default printer removed");
        break;
    case Fault::InitAgain: {
        // A second JP_init keeps open jobs, held pages and the launcher, and
        // leaves alone what other host processes hold: it waits a little
        // for a moment when another one holds pages.
        const bool otherHolds =
            m_context.hosts > 1 &&
            m_context.board.WaitUntilOtherHostHoldsPages(m_context.host, m_context.hosts, kOtherHoldsWaitMs);
        if (m_context.desk.CallInit("Soak host") != 1) {
            // The library refuses every call now: the run cannot go on.
            report.Violation("a second JP_init returned 0");
            m_context.stopped = true;
        }
        report.Count("fault: JP_init called again while jobs run");
        if (otherHolds)
            report.Count("JP_init calls while another host process held pages");
        break;
    }
    }
}

void FaultInjector::KillLatestLauncher(const char* kind)
{
    size_t index = 0;
    const unsigned long launcher = m_context.ledger.LatestLauncher(&index);
    // One the soak killed already: its successor has not been recorded yet.
    if (launcher == 0 || std::find(m_killed.begin(), m_killed.end(), index) != m_killed.end()) {
        m_context.report.Count("kills skipped: no running launcher known");
        return;
    }
    if (KillLauncher(launcher, [&] { m_context.ledger.LauncherKilled(launcher); })) {
        m_killed.push_back(index);
        m_context.report.Count(kind);
    } else {
        m_context.report.Count("kills skipped: the launcher had gone");
    }
}

void FaultInjector::KillWithGroupsQueued()
{
    size_t index = 0;
    const unsigned long launcher = m_context.ledger.LatestLauncher(&index);
    if (launcher == 0 || std::find(m_killed.begin(), m_killed.end(), index) != m_killed.end()) {
        m_context.report.Count("kills skipped: no running launcher known");
        return;
    }
    if (!FreezeLauncher(launcher)) {
        m_context.report.Count("kills skipped: the launcher could not be frozen");
        return;
    }
    // The host threads go on: what they hand over now queues in the frozen launcher.
    const uint64_t before = m_context.ledger.AcceptedPages();
    const DWORD start = GetTickCount();
    while (m_context.ledger.AcceptedPages() < before + 6 && GetTickCount() - start < kFrozenMs &&
           !m_context.PagesDone())
        Sleep(kPollMs);
    KillLatestLauncher("fault: launcher frozen, then killed with groups queued");
}

void FaultInjector::HoldDebugLog()
{
    m_context.desk.BeginLogHold();
    if (m_logHolder.Start(m_context.installation.logFile, m_random.Between(200, 1500))) {
        m_context.report.Count("fault: debug log held open by another process");
        return;
    }
    m_context.desk.EndLogHold();
    m_context.report.Violation("the soak cannot start its log-holding process");
}

void FaultInjector::Lasts()
{
    m_lastingUntil = GetTickCount() + m_random.Between(50, 500);
    if (m_lastingUntil == 0)
        m_lastingUntil = 1;
}

void FaultInjector::EndLastingFaults()
{
    m_lastingUntil = 0;
    m_context.desk.RestoreAll();
    if (!m_logHolder.Running())
        return;
    if (!m_logHolder.Finish())
        m_context.report.Count("log holds that never got the file");
    m_context.desk.EndLogHold();
}

void FaultInjector::TakeSample(bool hostsRunning)
{
    if (m_verbose) {
        std::printf("  sample at %llu pages\n", static_cast<unsigned long long>(m_context.ledger.AcceptedPages()));
        std::fflush(stdout);
    }
    EndLastingFaults();
    if (hostsRunning)
        m_context.gate.Quiesce();
    if (!WaitForLauncherToCatchUp(m_context, kCatchUpMs))
        m_context.report.Count("samples taken before the launcher caught up");
    FiguresSample sample;
    sample.pages = m_context.ledger.AcceptedPages();
    sample.launchersStarted = m_context.report.Counter("launchers started");
    sample.figures = MeasureThisProcess();
    m_samples.push_back(sample);
    if (hostsRunning)
        m_context.gate.Resume();
}
