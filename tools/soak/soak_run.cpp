#include "soak_run.h"

#include <windows.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <memory>
#include <thread>
#include <vector>

#include "box_answerer.h"
#include "fault_injector.h"
#include "hand_over_ledger.h"
#include "host_thread.h"
#include "job_gate.h"
#include "job_start_desk.h"
#include "jobport_library.h"
#include "launcher_catch_up.h"
#include "launcher_process.h"
#include "process_figures.h"
#include "record_follower.h"
#include "soak_installation.h"
#include "soak_report.h"
#include "soak_summary.h"
#include "test_folders.h"

namespace {

const DWORD kDrainMs = 120000;
const DWORD kLauncherEndMs = 15000;
const DWORD kProgressMs = 10000;

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
// stuck one shows where it stopped.
void ReportProgressUntilDone(SoakContext& context, const LARGE_INTEGER& start)
{
    DWORD lastLine = GetTickCount();
    while (!context.PagesDone()) {
        Sleep(50);
        if (GetTickCount() - lastLine < kProgressMs)
            continue;
        lastLine = GetTickCount();
        std::printf("  %6.0f s: %llu pages accepted, %u jobs not done, %llu launchers started, %llu violations\n",
                    SecondsSince(start), static_cast<unsigned long long>(context.ledger.AcceptedPages()),
                    static_cast<unsigned>(context.ledger.JobsNotDone()),
                    static_cast<unsigned long long>(context.report.Counter("launchers started")),
                    static_cast<unsigned long long>(context.report.Violations()));
        std::fflush(stdout);
    }
}

}  // namespace

int RunSoak(SoakOptions options)
{
    if (options.seed == 0)
        options.seed = DrawSeed();
    if (options.root.empty())
        options.root = TempFolder() + "jp_soak_" + std::to_string(GetCurrentProcessId());
    std::printf("soak: seed %llu, %llu pages, %u host threads, installation in %s\n",
                static_cast<unsigned long long>(options.seed),
                static_cast<unsigned long long>(options.pages), options.threads, options.root.c_str());
    std::fflush(stdout);

    SoakInstallation installation(options.root);
    std::string reason;
    if (!installation.Ready(reason)) {
        std::printf("SOAK FAILED: %s\n", reason.c_str());
        return 2;
    }
    SoakReport report;
    const BoxAnswerer boxes(report);
    JobportLibrary library;
    if (!library.Load("jobport.dll", reason)) {
        std::printf("SOAK FAILED: %s\n", reason.c_str());
        return 2;
    }
    CheckCallsBeforeInit(library, installation, report);
    if (library.JP_init("Soak host") != 1) {
        std::printf("SOAK FAILED: JP_init returned 0\n");
        return 2;
    }

    HandOverLedger ledger(report, installation.dataDir + "\\", installation.tempDir + "\\");
    JobStartDesk desk(library, ledger, report, installation);
    JobGate gate;
    SoakContext context{library, installation, ledger, report, desk, gate, options.pages};
    RecordFollower follower(installation.recordFile, ledger, report);
    follower.Start();

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    FaultInjector faults(context, options.seed, options.verbose);
    {
        // Host threads stay until the last sample is taken, so that it is
        // taken with the same threads as the first.
        std::mutex finishedLock;
        std::condition_variable finishedChanged;
        unsigned finished = 0;
        bool released = false;
        std::vector<std::thread> hosts;
        for (unsigned i = 0; i < options.threads; ++i) {
            const uint64_t seed = options.seed * 1000003ull + i + 1;
            hosts.emplace_back([&, i, seed] {
                HostThread(context, static_cast<int>(i) + 1, seed).Run();
                std::unique_lock<std::mutex> hold(finishedLock);
                ++finished;
                finishedChanged.notify_all();
                finishedChanged.wait(hold, [&] { return released; });
            });
        }
        std::thread faultThread([&faults] { faults.Run(); });
        ReportProgressUntilDone(context, start);
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
    CheckNothingLeft(installation.dataDir, "the data folder", report);
    CheckNothingLeft(installation.tempDir, "the temporary folder", report);
    CheckNothingLeft(installation.pagesDir, "the host's page folder", report);
    CheckGrowth(samples, report);

    const DWORD logSize = GetFileAttributesA(installation.logFile.c_str()) == INVALID_FILE_ATTRIBUTES
                              ? 0
                              : [&] {
                                    WIN32_FILE_ATTRIBUTE_DATA data = {};
                                    GetFileAttributesExA(installation.logFile.c_str(), GetFileExInfoStandard, &data);
                                    return data.nFileSizeLow;
                                }();
    report.Count("debug log size at the end (bytes; the ring is 8 KB)", logSize);
    report.Count("launcher record bytes read", follower.RecordBytes());
    PrintSummary(options, report, samples, times);
    if (report.Violations() != 0) {
        installation.Keep();
        std::printf("installation kept for inspection: %s\n", options.root.c_str());
    }
    return report.Violations() == 0 ? 0 : 1;
}
