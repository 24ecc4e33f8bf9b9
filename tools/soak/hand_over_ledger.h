// The soak's account of every page: what the host was told (JP_SendData
// returned 1 or 0, the job ended or was aborted) beside what the launcher
// recorded, checked against the invariant a host relies on:
//  - every accepted page reaches the launcher, or is deleted by its job's
//    abort (then only pages not yet handed over, the job's last ones);
//  - a job's groups come in page order, whole, of the size its print method
//    fixes, and jobs come in the order they were started, never interleaved;
//  - a group reaches the launcher twice only when the launcher that took it
//    first was killed while its page list still existed;
//  - nothing else is handed over.
// It also plays the launcher's part of the hand-over that the double leaves
// out: once a group is recorded its page files and page list are deleted,
// and once a job is done its settings hand-off file.
// Host threads and the record thread call it at once; one lock guards it.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "expected_print_method.h"
#include "launcher_record_reader.h"
#include "soak_report.h"
#include "win32_shared/kernel_handles_win32.h"

class HandOverLedger {
public:
    // dataFolder: the library's data folder; tempFolder: the hand-off files'.
    HandOverLedger(SoakReport& report, std::string dataFolder, std::string tempFolder);

    // The host's side. A job is known by the sequence number JobStarted
    // gives it, in the order the jobs were started.
    uint64_t JobStarted(int id, unsigned copies, PrintMethod method, const PrintChoice& choice,
                        bool choiceKnown);
    // Before JP_SendData: the page that becomes the job's next one if accepted.
    void PageSending(uint64_t job, const std::string& name);
    void PageAccepted(uint64_t job);
    void PageRefused(uint64_t job);
    // Before JP_EndJob or JP_AbortJob: the job's pages may leave the library now.
    void JobClosing(uint64_t job);
    void JobEnded(uint64_t job);
    // After JP_AbortJob returned 1: tells the pages handed over from those
    // the abort deleted (their data-folder files are gone).
    void JobAborted(uint64_t job);

    // The launcher's side, in record order.
    void LauncherStarted(unsigned long processId);
    void GroupRecorded(const LauncherEvent& print);
    // Before the soak kills a launcher.
    void LauncherKilled(unsigned long processId);
    // The process id of the launcher started last (0: none yet) and its
    // place in start order: Wine soon gives a new process the id of one
    // that has ended, so a launcher is known by its place.
    unsigned long LatestLauncher(size_t* startIndex = nullptr) const;

    // Jobs not yet done: open, or waiting for groups to be recorded.
    size_t JobsNotDone() const;
    uint64_t AcceptedPages() const;
    // At the end of the run: every job still not done lost pages.
    void ReportUnfinished();
    // Tells `sink`, whenever it may have changed, how many pages the library
    // holds for certain: pages of open jobs printed after their end, and of
    // open jobs printed in twos or fours those after the last whole group,
    // unless a page of the job is being sent or the job is being closed.
    void PublishHeldPages(std::function<void(uint64_t)> sink);

private:
    // A job that is done: its settings hand-off file to delete ("" for none)
    // and its id's claim, given back once the file is gone.
    struct DoneJob {
        std::string settings;
        KernelHandle claim;
    };
    void DeleteSettingsOfDoneJob(DoneJob done);
    struct Job {
        uint64_t sequence = 0;
        int id = 0;
        unsigned copies = 0;
        PrintMethod method = PrintMethod::Unknown;
        PrintChoice choice;
        bool choiceKnown = false;
        std::vector<std::string> pages;  // names, page n at n-1; the last may be in flight
        size_t accepted = 0;
        enum class Outcome { Open, Ended, Aborted } outcome = Outcome::Open;
        size_t handedPages = 0;          // known once ended or aborted
        size_t recordedPages = 0;        // pages of groups recorded so far
        std::vector<size_t> groupSizes;  // of groups recorded, in order
        // First page of each recorded group: the launcher that took it and
        // the kill count when its files were deleted (max: not yet).
        struct Taken {
            size_t launcher = 0;
            uint64_t cleanedAtKill = UINT64_MAX;
        };
        std::map<uint32_t, Taken> taken;
        bool done = false;
        bool closing = false;            // JP_EndJob or JP_AbortJob called
    };

    Job* FindById(unsigned long id);
    Job* FindBySequence(uint64_t sequence);
    void CheckGroupPages(Job& job, const LauncherEvent& print, std::vector<std::string>& names);
    void TakeDuplicate(Job& job, const LauncherEvent& print);
    // Marks the job done when nothing more is due; returns what is left to
    // give back (nothing while the job is not done).
    DoneJob FinishIfDone(Job& job);
    void CheckGroupSizes(const Job& job);
    // Under the lock, after a change of what the library holds.
    void PublishHeld();
    std::string Describe(const Job& job) const;
    void DeleteHandedOver(unsigned long jobId, uint32_t first, const std::vector<std::string>& names,
                          uint64_t sequence);
    std::string HandoffPath(unsigned long jobId, unsigned long page) const;

    SoakReport& m_report;
    const std::string m_dataFolder;
    const std::string m_tempFolder;
    mutable std::mutex m_lock;
    uint64_t m_nextSequence = 1;
    std::map<uint64_t, Job> m_jobs;       // not done
    // The id claim of each job not done, taken when it starts and held as
    // the launcher holds it, until the job's settings file is deleted: the
    // launcher double does not claim, and without it another host
    // process's job could take the id, and the file's name, in between.
    std::map<uint64_t, KernelHandle> m_claims;
    std::deque<Job> m_doneJobs;           // the last ones done, for groups posted again
    std::map<unsigned long, uint64_t> m_latestById;
    uint64_t m_lastJobHandedOver = 0;     // sequence of the job of the latest new group
    std::vector<unsigned long> m_launchers;       // process ids, in start order
    std::map<size_t, uint64_t> m_killNumberOf;    // launcher index -> its kill (1, 2, ...)
    uint64_t m_kills = 0;
    uint64_t m_acceptedPages = 0;
    std::function<void(uint64_t)> m_heldSink;
};
