#include "hand_over_ledger.h"

#include <windows.h>

#include <cstdio>

#include "shared_formats/handoff_file_name.h"
#include "win32_shared/in_use_retry_win32.h"
#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/named_claim_win32.h"

namespace {

// Jobs kept after they are done, so that a group posted again to a
// restarted launcher still finds its job; ids come back only every 255 jobs.
const size_t kDoneJobsKept = 600;

std::string Text(const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted)
{
    for (const std::string& line : lines)
        if (line == wanted)
            return true;
    return false;
}

}  // namespace

HandOverLedger::HandOverLedger(SoakReport& report, std::string dataFolder, std::string tempFolder)
    : m_report(report), m_dataFolder(std::move(dataFolder)), m_tempFolder(std::move(tempFolder))
{
}

uint64_t HandOverLedger::JobStarted(int id, unsigned copies, PrintMethod method,
                                    const PrintChoice& choice, bool choiceKnown)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    Job job;
    job.sequence = m_nextSequence++;
    job.id = id;
    job.copies = copies;
    job.method = method;
    job.choice = choice;
    job.choiceKnown = choiceKnown;
    const auto old = m_latestById.find(static_cast<unsigned long>(id));
    if (old != m_latestById.end() && m_jobs.count(old->second))
        m_report.Violation(Text("id %d issued again while job #%llu with that id is not done", id,
                                static_cast<unsigned long long>(old->second)));
    m_latestById[static_cast<unsigned long>(id)] = job.sequence;
    m_jobs[job.sequence] = job;
    // The library holds the id's claim while the job is in its table: this
    // joins it, as the launcher does from the job's first group on.
    char temp[MAX_PATH + 1];
    if (GetTempPathA(sizeof temp, temp) - 1u < sizeof temp - 1u)
        m_claims[job.sequence] = KeepJobIdClaimNamed(JobIdClaimName(temp, static_cast<uint32_t>(id)));
    return job.sequence;
}

void HandOverLedger::PageSending(uint64_t sequence, const std::string& name)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (Job* job = FindBySequence(sequence))
        job->pages.push_back(name);
    PublishHeld();
}

void HandOverLedger::PageAccepted(uint64_t sequence)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (Job* job = FindBySequence(sequence)) {
        job->accepted = job->pages.size();
        ++m_acceptedPages;
        m_report.Count("pages accepted");
    }
    PublishHeld();
}

void HandOverLedger::PageRefused(uint64_t sequence)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    Job* job = FindBySequence(sequence);
    if (!job || job->pages.size() == job->accepted)
        return;
    if (job->recordedPages >= job->pages.size())
        m_report.Violation(Text("page %s was refused (JP_SendData 0) but handed over: %s",
                                job->pages.back().c_str(), Describe(*job).c_str()));
    job->pages.pop_back();
    PublishHeld();
}

void HandOverLedger::JobClosing(uint64_t sequence)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (Job* job = FindBySequence(sequence))
        job->closing = true;
    PublishHeld();
}

void HandOverLedger::JobEnded(uint64_t sequence)
{
    DoneJob done;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        Job* job = FindBySequence(sequence);
        if (!job)
            return;
        job->outcome = Job::Outcome::Ended;
        job->handedPages = job->accepted;
        done = FinishIfDone(*job);
    }
    DeleteSettingsOfDoneJob(std::move(done));
}

void HandOverLedger::JobAborted(uint64_t sequence)
{
    size_t first = 0;
    std::vector<std::string> unrecorded;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        Job* job = FindBySequence(sequence);
        if (!job)
            return;
        if (job->done) {
            // All its pages went to the launcher, so it had left the library.
            if (job->accepted > 0)
                m_report.Violation("JP_AbortJob took a job whose pages had all been handed over: " +
                                   Describe(*job));
            return;
        }
        first = job->recordedPages;
        for (size_t i = first; i < job->accepted; ++i)
            unrecorded.push_back(job->pages[i]);
    }
    // A page not recorded whose file is still in the data folder was handed
    // over (the abort deletes the others before it returns). The record
    // thread marks a page recorded before it deletes the file.
    std::vector<bool> present;
    for (const std::string& name : unrecorded)
        present.push_back(GetFileAttributesA((m_dataFolder + name).c_str()) != INVALID_FILE_ATTRIBUTES);
    DoneJob done;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        Job* job = FindBySequence(sequence);
        if (!job)
            return;
        size_t handed = job->accepted;
        bool deletedSeen = false;
        for (size_t i = 0; i < unrecorded.size(); ++i) {
            const size_t index = first + i;
            const bool handedOver = index < job->recordedPages || present[i];
            if (!handedOver && !deletedSeen) {
                handed = index;
                deletedSeen = true;
            } else if (handedOver && deletedSeen) {
                m_report.Violation(Text("abort deleted page %u but page %u after it was handed over: %s",
                                        static_cast<unsigned>(handed + 1),
                                        static_cast<unsigned>(index + 1), Describe(*job).c_str()));
            }
        }
        job->outcome = Job::Outcome::Aborted;
        job->handedPages = handed;
        m_report.Count("pages deleted by their job's abort", job->accepted - handed);
        done = FinishIfDone(*job);
    }
    DeleteSettingsOfDoneJob(std::move(done));
}

void HandOverLedger::LauncherStarted(unsigned long processId)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_launchers.push_back(processId);
}

void HandOverLedger::LauncherKilled(unsigned long processId)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    for (size_t i = m_launchers.size(); i-- > 0;) {
        if (m_launchers[i] == processId) {
            m_killNumberOf[i] = ++m_kills;
            return;
        }
    }
}

unsigned long HandOverLedger::LatestLauncher(size_t* startIndex) const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (startIndex)
        *startIndex = m_launchers.empty() ? 0 : m_launchers.size() - 1;
    return m_launchers.empty() ? 0 : m_launchers.back();
}

void HandOverLedger::GroupRecorded(const LauncherEvent& print)
{
    const uint32_t first = static_cast<uint32_t>(print.lParam);
    std::vector<std::string> names;
    uint64_t sequence = 0;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        Job* job = FindById(print.wParam);
        if (!job) {
            m_report.Violation(Text("LM_PRINT (%lu,%lu) names no job the host started", print.wParam,
                                    print.lParam));
            return;
        }
        if (job->taken.count(first)) {
            TakeDuplicate(*job, print);
            return;
        }
        if (!print.pageListRead) {
            m_report.Violation(Text("LM_PRINT (%lu,%lu): no page list: %s", print.wParam, print.lParam,
                                    Describe(*job).c_str()));
            return;
        }
        CheckGroupPages(*job, print, names);
        if (job->sequence < m_lastJobHandedOver)
            m_report.Violation(Text("group (%lu,%lu) of job #%llu after a group of the later job #%llu",
                                    print.wParam, print.lParam,
                                    static_cast<unsigned long long>(job->sequence),
                                    static_cast<unsigned long long>(m_lastJobHandedOver)));
        else
            m_lastJobHandedOver = job->sequence;
        if (first != job->recordedPages + 1)
            m_report.Violation(Text("group (%lu,%lu) out of page order: page %u was due: %s",
                                    print.wParam, print.lParam,
                                    static_cast<unsigned>(job->recordedPages + 1), Describe(*job).c_str()));
        if (!print.settingsRead)
            m_report.Violation(Text("group (%lu,%lu): the job's settings hand-off file was missing: %s",
                                    print.wParam, print.lParam, Describe(*job).c_str()));
        else if (!HasLine(print.settings, "Copies=" + std::to_string(job->copies)))
            m_report.Violation(Text("group (%lu,%lu): settings hand-off file without Copies=%u: %s",
                                    print.wParam, print.lParam, job->copies, Describe(*job).c_str()));
        else if (job->choiceKnown &&
                 !HasLine(print.settings, "NupPrintSetting=" + std::to_string(job->choice.nupPrintSetting)))
            m_report.Violation(Text("group (%lu,%lu): settings hand-off file without NupPrintSetting=%d: %s",
                                    print.wParam, print.lParam, job->choice.nupPrintSetting,
                                    Describe(*job).c_str()));
        const size_t last = first - 1 + names.size();
        if (job->outcome == Job::Outcome::Aborted && last > job->handedPages)
            m_report.Violation(Text("group (%lu,%lu) hands over pages its job's abort deleted: %s",
                                    print.wParam, print.lParam, Describe(*job).c_str()));
        if (last > job->recordedPages)
            job->recordedPages = last;
        job->groupSizes.push_back(names.size());
        Job::Taken taken;
        taken.launcher = m_launchers.empty() ? 0 : m_launchers.size() - 1;
        job->taken[first] = taken;
        sequence = job->sequence;
        m_report.Count("groups handed over");
        m_report.Count("pages handed over", names.size());
    }
    DeleteHandedOver(print.wParam, first, names, sequence);
}

void HandOverLedger::CheckGroupPages(Job& job, const LauncherEvent& print, std::vector<std::string>& names)
{
    const std::vector<std::string>& list = print.pageList;
    if (list.empty() || list[0] != std::to_string(list.size() - 1))
        m_report.Violation(Text("page list (%lu,%lu): count line \"%s\" for %u paths", print.wParam,
                                print.lParam, list.empty() ? "" : list[0].c_str(),
                                static_cast<unsigned>(list.empty() ? 0 : list.size() - 1)));
    for (size_t i = 1; i < list.size(); ++i) {
        const std::string& path = list[i];
        const size_t index = print.lParam - 1 + (i - 1);
        if (path.compare(0, m_dataFolder.size(), m_dataFolder) != 0) {
            m_report.Violation(Text("page list (%lu,%lu) names %s, not a file of the data folder",
                                    print.wParam, print.lParam, path.c_str()));
            continue;
        }
        const std::string name = path.substr(m_dataFolder.size());
        if (index >= job.pages.size() || job.pages[index] != name) {
            m_report.Violation(Text("page list (%lu,%lu) names %s as page %u; the host sent %s: %s",
                                    print.wParam, print.lParam, name.c_str(),
                                    static_cast<unsigned>(index + 1),
                                    index < job.pages.size() ? job.pages[index].c_str() : "no such page",
                                    Describe(job).c_str()));
            continue;
        }
        names.push_back(name);
    }
}

void HandOverLedger::TakeDuplicate(Job& job, const LauncherEvent& print)
{
    const Job::Taken& taken = job.taken[static_cast<uint32_t>(print.lParam)];
    const size_t launcher = m_launchers.empty() ? 0 : m_launchers.size() - 1;
    const auto kill = m_killNumberOf.find(taken.launcher);
    // Posted again is sound only to a later launcher, when the one that took
    // the group first was killed before its page list was deleted.
    if (kill != m_killNumberOf.end() && launcher > taken.launcher && kill->second <= taken.cleanedAtKill) {
        m_report.Count("duplicated groups (launcher killed while holding them)");
        m_report.Count("duplicated pages (launcher killed while holding them)",
                       print.pageListRead && !print.pageList.empty() ? print.pageList.size() - 1 : 0);
        return;
    }
    m_report.Violation(Text("group (%lu,%lu) handed over twice: first to launcher %u (%s), again to launcher %u: %s",
                            print.wParam, print.lParam, static_cast<unsigned>(taken.launcher),
                            kill == m_killNumberOf.end() ? "not killed" : "killed after its files were deleted",
                            static_cast<unsigned>(launcher), Describe(job).c_str()));
}

void HandOverLedger::DeleteHandedOver(unsigned long jobId, uint32_t first,
                                      const std::vector<std::string>& names, uint64_t sequence)
{
    for (const std::string& name : names) {
        const std::string path = m_dataFolder + name;
        if (RetryWhileInUse([&] { return DeleteFileA(path.c_str()) != FALSE; }))
            continue;
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            m_report.Violation(Text("handed-over page %s was not in the data folder (error %lu)",
                                    path.c_str(), error));
            continue;
        }
        m_report.Violation(Text("handed-over page %s cannot be deleted by the launcher (error %lu%s)",
                                path.c_str(), error,
                                (attributes & FILE_ATTRIBUTE_READONLY) ? ", read-only" : ""));
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    const std::string pageList = HandoffPath(jobId, first);
    if (!DeleteFileA(pageList.c_str()))
        m_report.Violation(Text("page list %s gone before the launcher deleted it (error %lu)",
                                pageList.c_str(), GetLastError()));
    DoneJob done;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        Job* job = FindBySequence(sequence);
        if (!job)
            return;
        job->taken[first].cleanedAtKill = m_kills;
        done = FinishIfDone(*job);
    }
    DeleteSettingsOfDoneJob(std::move(done));
}

HandOverLedger::DoneJob HandOverLedger::FinishIfDone(Job& job)
{
    DoneJob done;
    if (job.done || job.outcome == Job::Outcome::Open || job.recordedPages < job.handedPages)
        return done;
    for (const auto& taken : job.taken)
        if (taken.second.cleanedAtKill == UINT64_MAX)
            return done;  // the record thread still deletes its files
    job.done = true;
    CheckGroupSizes(job);
    m_report.Count(job.outcome == Job::Outcome::Ended ? "jobs ended" : "jobs aborted");
    if (!job.groupSizes.empty())
        done.settings = HandoffPath(job.id, 0);
    const auto claim = m_claims.find(job.sequence);
    if (claim != m_claims.end()) {
        done.claim = std::move(claim->second);
        m_claims.erase(claim);
    }
    m_doneJobs.push_back(job);
    if (m_doneJobs.size() > kDoneJobsKept)
        m_doneJobs.pop_front();
    m_jobs.erase(job.sequence);
    return done;
}

void HandOverLedger::PublishHeldPages(std::function<void(uint64_t)> sink)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_heldSink = std::move(sink);
    PublishHeld();
}

void HandOverLedger::PublishHeld()
{
    if (!m_heldSink)
        return;
    uint64_t held = 0;
    for (const auto& entry : m_jobs) {
        const Job& job = entry.second;
        if (job.outcome != Job::Outcome::Open || job.closing)
            continue;
        const bool sending = job.pages.size() > job.accepted;
        if (job.method == PrintMethod::AfterEnd)
            held += job.accepted;
        else if (!sending && (job.method == PrintMethod::InTwos || job.method == PrintMethod::InFours))
            held += job.accepted % static_cast<size_t>(job.method);
    }
    m_heldSink(held);
}

void HandOverLedger::CheckGroupSizes(const Job& job)
{
    const std::vector<size_t>& sizes = job.groupSizes;
    const bool ended = job.outcome == Job::Outcome::Ended;
    bool sound = true;
    switch (job.method) {
    case PrintMethod::EachPage:
        for (size_t size : sizes)
            sound = sound && size == 1;
        break;
    case PrintMethod::InTwos:
    case PrintMethod::InFours: {
        const size_t whole = job.method == PrintMethod::InTwos ? 2 : 4;
        for (size_t i = 0; i < sizes.size(); ++i) {
            const bool last = i + 1 == sizes.size();
            sound = sound && (sizes[i] == whole || (last && ended && sizes[i] < whole));
        }
        break;
    }
    case PrintMethod::AfterEnd:
        sound = ended ? (job.accepted == 0 ? sizes.empty() : sizes.size() == 1)
                      : sizes.empty();
        break;
    case PrintMethod::Unknown:
        break;
    }
    if (!sound)
        m_report.Violation("groups not as the print method fixes: " + Describe(job));
}

std::string HandOverLedger::Describe(const Job& job) const
{
    std::string sizes;
    for (size_t size : job.groupSizes)
        sizes += (sizes.empty() ? "" : ",") + std::to_string(size);
    const char* outcome = job.outcome == Job::Outcome::Open    ? "open"
                          : job.outcome == Job::Outcome::Ended ? "ended"
                                                               : "aborted";
    return Text("job #%llu id %d copies %u method %s, %s, %u pages accepted, %u handed over, %u recorded, groups [%s]",
                static_cast<unsigned long long>(job.sequence), job.id, job.copies,
                MethodName(job.method), outcome, static_cast<unsigned>(job.accepted),
                static_cast<unsigned>(job.handedPages), static_cast<unsigned>(job.recordedPages),
                sizes.c_str());
}

HandOverLedger::Job* HandOverLedger::FindById(unsigned long id)
{
    const auto latest = m_latestById.find(id);
    return latest == m_latestById.end() ? nullptr : FindBySequence(latest->second);
}

HandOverLedger::Job* HandOverLedger::FindBySequence(uint64_t sequence)
{
    const auto found = m_jobs.find(sequence);
    if (found != m_jobs.end())
        return &found->second;
    for (Job& job : m_doneJobs)
        if (job.sequence == sequence)
            return &job;
    return nullptr;
}

size_t HandOverLedger::JobsNotDone() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_jobs.size();
}

uint64_t HandOverLedger::AcceptedPages() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_acceptedPages;
}

void HandOverLedger::ReportUnfinished()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    for (const auto& entry : m_jobs) {
        const Job& job = entry.second;
        const size_t due = job.outcome == Job::Outcome::Open ? job.accepted : job.handedPages;
        if (due > job.recordedPages)
            m_report.Count("pages lost", due - job.recordedPages);
        m_report.Violation("pages never reached the launcher: " + Describe(job));
    }
}

std::string HandOverLedger::HandoffPath(unsigned long jobId, unsigned long page) const
{
    char name[MAX_PATH + 32];
    std::snprintf(name, sizeof name, "%s%s%2lu%3lu%s", m_tempFolder.c_str(), "KST_", jobId, page,
                  ".$$$");
    return name;
}

// The launcher deletes a job's settings file once the job is done; the
// job's id claim (m_claims) is given back after it, when `done` goes.
void HandOverLedger::DeleteSettingsOfDoneJob(DoneJob done)
{
    if (!done.settings.empty() && !DeleteFileA(done.settings.c_str()))
        m_report.Violation("settings hand-off file missing when its job was done: " + done.settings);
}
