#include "soak_run.h"

#include <windows.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <memory>
#include <thread>
#include <vector>

#include "box_answerer.h"
#include "companion_process.h"
#include "fault_injector.h"
#include "hand_over_ledger.h"
#include "host_board.h"
#include "host_thread.h"
#include "job_gate.h"
#include "job_start_desk.h"
#include "installation.h"
#include "jobport_library.h"
#include "launcher_catch_up.h"
#include "launcher_process.h"
#include "process_figures.h"
#include "record_follower.h"
#include "soak_installation.h"
#include "soak_report.h"
#include "soak_summary.h"
#include "test_folders.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const DWORD kDrainMs = 120000;
const DWORD kLauncherEndMs = 15000;
const DWORD kProgressMs = 10000;
// How long host 1 waits for the others after its own end, and how long
// another host process waits for host 1 to hold pages before its JP_init.
const DWORD kCompanionEndMs = 600000;
const DWORD kHeldPagesWaitMs = 60000;

std::string TempFolder()
{
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    return std::string(temp, n < sizeof temp ? n : 0);
}

uint64_t DrawSeed()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const uint64_t seed = (static_cast<uint64_t>(now.QuadPart) ^ (GetCurrentProcessId() * 2654435761ull)) % 1000000000ull;
    return seed == 0 ? 1 : seed;
}

double SecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void CheckNothingLeft(const std::string& folder, const char* what, SoakReport& report)
{
    const std::vector<std::string> left = NamesIn(folder);
    if (left.empty())
        return;
    report.Count(std::string("files left in ") + what, left.size());
    std::string names;
    for (size_t i = 0; i < left.size() && i < 8; ++i)
        names += " \"" + left[i] + "\"";
    report.Violation(std::to_string(left.size()) + " files left in " + what + " (" + folder + "):" + names);
}

// Before JP_init every export refuses and touches no file.
void CheckCallsBeforeInit(JobportLibrary& library, const SoakInstallation& installation, SoakReport& report)
{
    const std::string page = installation.pagesDir + "\\before_init.pg";
    WriteWhole(page, "page");
    int id = -1;
    if (library.JP_StartJob(&id, 1) != 0 || id != 0)
        report.Violation("JP_StartJob before JP_init did not refuse with id 0");
    if (library.JP_SendData(1, page.c_str()) != 0 || library.JP_EndJob(1) != 0 ||
        library.JP_AbortJob(1) != 0)
        report.Violation("a job call before JP_init returned 1");
    if (GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES)
        report.Violation("JP_SendData before JP_init took the host's page");
    DeleteFileA(page.c_str());
}

// A line every ten seconds, so that a long run shows it is alive and a
// stuck one shows where it stopped. A host process other than host 1 stops
// early when host 1 has gone.
void ReportProgressUntilDone(SoakContext& context, const LARGE_INTEGER& start, const std::string& label,
                             HANDLE hostOne)
{
    DWORD lastLine = GetTickCount();
    while (!context.PagesDone()) {
        Sleep(50);
        if (hostOne && WaitForSingleObject(hostOne, 0) == WAIT_OBJECT_0) {
            context.report.Violation("host 1 ended while this host process still ran");
            context.stopped = true;
        }
        if (GetTickCount() - lastLine < kProgressMs)
            continue;
        lastLine = GetTickCount();
        std::printf("  %s%6.0f s: %llu pages accepted, %u jobs not done, %llu launchers started, %llu violations\n",
                    label.empty() ? "" : (label + ",").c_str(), SecondsSince(start),
                    static_cast<unsigned long long>(context.ledger.AcceptedPages()),
                    static_cast<unsigned>(context.ledger.JobsNotDone()),
                    static_cast<unsigned long long>(context.report.Counter("launchers started")),
                    static_cast<unsigned long long>(context.report.Violations()));
        std::fflush(stdout);
    }
}

// Starts host processes 2 and on; one that cannot start is a violation.
void StartCompanions(const SoakOptions& options, std::vector<std::unique_ptr<CompanionProcess>>& companions,
                     SoakReport& report)
{
    for (unsigned host = 2; host <= options.hosts; ++host) {
        companions.emplace_back(new CompanionProcess);
        std::string error;
        if (!companions.back()->Start(options, host, error))
            report.Violation(error);
    }
}

// Waits for the other host processes to end and merges their reports.
void FinishCompanions(const SoakOptions& options, std::vector<std::unique_ptr<CompanionProcess>>& companions,
                      SoakReport& report)
{
    for (size_t i = 0; i < companions.size(); ++i) {
        const unsigned host = static_cast<unsigned>(i) + 2;
        const std::string name = "host " + std::to_string(host);
        if (!companions[i]->Started())
            continue;
        unsigned long exitCode = 0;
        if (!companions[i]->Wait(kCompanionEndMs, exitCode)) {
            report.Violation(name + " did not end within " + std::to_string(kCompanionEndMs / 1000) +
                             " s of host 1's end");
            continue;
        }
        const uint64_t before = report.Violations();
        if (!report.MergeFrom(CompanionProcess::ReportPath(options.root, host), name))
            report.Violation(name + " left no report (exit code " + std::to_string(exitCode) + ")");
        else if (exitCode != 0 && report.Violations() == before)
            report.Violation(name + " ended with exit code " + std::to_string(exitCode));
    }
}

DWORD LogFileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

}  // namespace

int RunSoak(SoakOptions options)
{
    if (options.seed == 0)
        options.seed = DrawSeed();
    if (options.root.empty())
        options.root = TempFolder() + "jp_soak_" + std::to_string(GetCurrentProcessId());
    const std::string label = options.Label();
    if (options.Companion())
        std::printf("soak %s: seed %llu of its own, %llu pages, %u host threads, joins the installation\n",
                    label.c_str(), static_cast<unsigned long long>(options.HostSeed()),
                    static_cast<unsigned long long>(options.HostPages()), options.threads);
    else
        std::printf("soak: seed %llu, %llu pages, %u host process%s of %u host threads, installation in %s\n",
                    static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.pages),
                    options.hosts, options.hosts == 1 ? "" : "es", options.threads, options.root.c_str());
    std::fflush(stdout);

    SoakInstallation installation(options.root, options.host);
    std::string reason;
    if (!installation.Ready(reason)) {
        std::printf("SOAK FAILED%s%s: %s\n", label.empty() ? "" : " in ", label.c_str(), reason.c_str());
        return 2;
    }
    SoakReport report;
    report.SetLabel(label);
    const BoxAnswerer boxes(report);
    JobportLibrary library;
    if (!library.Load("jobport.dll", reason)) {
        std::printf("SOAK FAILED: %s\n", reason.c_str());
        return 2;
    }
    HostBoard board(installation.SharedObjectName("board"));
    if (!board.Ready()) {
        std::printf("SOAK FAILED: the host processes' shared board cannot be made\n");
        return 2;
    }
    const KernelHandle hostOne(options.Companion() ? OpenProcess(SYNCHRONIZE, FALSE, options.parent) : nullptr);
    CheckCallsBeforeInit(library, installation, report);

    HandOverLedger ledger(report, installation.dataDir + "\\", installation.tempDir + "\\");
    const unsigned host = options.host;
    ledger.PublishHeldPages([&board, host](uint64_t pages) { board.SetHeldPages(host, pages); });
    JobStartDesk desk(library, ledger, report, installation);
    if (!options.Companion())
        desk.WriteSoundSettings();
    // Another host process starts while host 1 runs jobs: its JP_init
    // empties the shared data folder while host 1 holds pages there.
    if (options.Companion()) {
        if (board.WaitUntilOtherHostHoldsPages(host, options.hosts, kHeldPagesWaitMs))
            report.Count("JP_init calls while another host process held pages");
        else
            report.Count("JP_init at the start while no other host process held pages");
    }
    if (desk.CallInit("Soak host") != 1) {
        std::printf("SOAK FAILED%s%s: JP_init returned 0\n", label.empty() ? "" : " in ", label.c_str());
        return 2;
    }

    JobGate gate;
    SoakContext context{library, installation, ledger, report, desk, gate, board,
                        options.HostPages(), options.host, options.hosts};
    RecordFollower follower(installation.recordFile, ledger, report);
    follower.Start();

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    FaultInjector faults(context, options.HostSeed(), options.verbose);
    std::vector<std::unique_ptr<CompanionProcess>> companions;
    {
        // Host threads stay until the last sample is taken, so that it is
        // taken with the same threads as the first.
        std::mutex finishedLock;
        std::condition_variable finishedChanged;
        unsigned finished = 0;
        bool released = false;
        std::vector<std::thread> hosts;
        for (unsigned i = 0; i < options.threads; ++i) {
            const uint64_t seed = options.HostSeed() * 1000003ull + i + 1;
            hosts.emplace_back([&, i, seed] {
                HostThread(context, static_cast<int>(i) + 1, seed).Run();
                std::unique_lock<std::mutex> hold(finishedLock);
                ++finished;
                finishedChanged.notify_all();
                finishedChanged.wait(hold, [&] { return released; });
            });
        }
        std::thread faultThread([&faults] { faults.Run(); });
        if (!options.Companion())
            StartCompanions(options, companions, report);
        ReportProgressUntilDone(context, start, label, hostOne.Get());
        faultThread.join();
        {
            std::unique_lock<std::mutex> hold(finishedLock);
            finishedChanged.wait(hold, [&] { return finished == options.threads; });
        }
        if (!WaitForLauncherToCatchUp(context, kDrainMs))
            report.Violation("the launcher did not record every group within " +
                             std::to_string(kDrainMs / 1000) + " s of the last job");
        faults.TakeLastSample();
        {
            const std::lock_guard<std::mutex> hold(finishedLock);
            released = true;
        }
        finishedChanged.notify_all();
        for (std::thread& host : hosts)
            host.join();
    }
    SoakTimes times;
    times.seconds = SecondsSince(start);
    const std::vector<FiguresSample>& samples = faults.Samples();

    // The host ends: the launcher is told LM_DELETE and ends.
    const unsigned long launcher = ledger.LatestLauncher();
    library.Unload();
    if (launcher != 0 && !WaitForLauncherEnd(launcher, kLauncherEndMs))
        report.Violation("the launcher did not end after the library was freed");
    follower.Stop();
    ledger.ReportUnfinished();
    CheckNothingLeft(installation.pagesDir, "the host's page folder", report);
    CheckGrowth(samples, report);
    report.Count("launcher record bytes read", follower.RecordBytes());

    if (options.Companion()) {
        PrintSummary(options, report, samples, times);
        if (!report.SaveTo(CompanionProcess::ReportPath(options.root, options.host))) {
            std::printf("SOAK FAILED in %s: its report cannot be saved\n", label.c_str());
            return 2;
        }
        return report.Violations() == 0 ? 0 : 1;
    }

    // The shared folders are checked once every host process has ended.
    FinishCompanions(options, companions, report);
    CheckNothingLeft(installation.dataDir, "the data folder", report);
    CheckNothingLeft(installation.tempDir, "the temporary folder", report);
    if (options.hosts > 1 && report.Counter("JP_init calls while another host process held pages") == 0)
        report.Violation("no host process called JP_init while another one held pages");
    report.Count("debug log size at the end (bytes; the ring is 8 KB)", LogFileSize(installation.logFile));
    PrintSummary(options, report, samples, times);
    if (report.Violations() != 0) {
        installation.Keep();
        std::printf("installation kept for inspection: %s\n", options.root.c_str());
    }
    return report.Violations() == 0 ? 0 : 1;
}
