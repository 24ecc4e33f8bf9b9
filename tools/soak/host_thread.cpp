#include "host_thread.h"

#include <windows.h>

#include "box_answerer.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

// Ids a host may get wrong: never issued, out of range, negative, none.
const int kBadIds[] = {-1, 0, 256, 300, 100000};
// A closed id is used as a wrong one only while it cannot have come back:
// ids are issued in turn and come back after 255 jobs.
const uint64_t kClosedIdFreshJobs = 100;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

}  // namespace

void HostThread::Run()
{
    const BoxAnswerer boxes(m_context.report);
    if (!boxes.Hooked())
        m_context.report.Violation("host thread " + std::to_string(m_index) + " cannot answer boxes");
    for (;;) {
        const bool pagesDone = m_context.PagesDone();
        if (pagesDone && m_jobs.empty())
            return;
        const bool wantsJob = !pagesDone && m_jobs.size() < 2 && (m_jobs.empty() || m_random.PerMille(150));
        if (wantsJob && (m_jobs.empty() ? (m_context.gate.Enter(), true) : m_context.gate.TryEnter())) {
            if (!StartJob()) {
                m_context.gate.Leave();
                Sleep(1);
            }
            continue;
        }
        if (m_jobs.empty())
            continue;
        const size_t pick = m_random.Below(static_cast<uint32_t>(m_jobs.size()));
        if (Step(m_jobs[pick])) {
            m_jobs.erase(m_jobs.begin() + static_cast<long>(pick));
            m_context.gate.Leave();
        }
    }
}

bool HostThread::StartJob()
{
    PrintChoice choice;
    choice.printAfterReceivedAllData = m_random.PerMille(100) ? 1 : 0;
    choice.sortSetting = m_random.PerMille(250) ? 1 : 0;
    choice.nupPrintSetting = static_cast<int>(m_random.Below(3));
    const unsigned copies = m_random.PerMille(700) ? 1 : m_random.Between(2, 3);
    const StartedJob started = m_context.desk.Start(choice, copies);
    if (!started.started) {
        if (started.id > 0) {
            m_refusedStartId = started.id;
            m_refusedAtJob = m_latestJob;
            m_refusedInits = started.inits;
            m_refusedIdIssues = started.idIssues;
        }
        return false;
    }
    m_latestJob = started.sequence;
    OpenJob job;
    job.id = started.id;
    job.sequence = started.sequence;
    job.inits = started.inits;
    job.idIssues = started.idIssues;
    job.plannedPages = m_random.PerMille(30) ? 0 : m_random.Between(1, 12);
    if (m_random.PerMille(200))
        job.abortAt = static_cast<int>(m_random.Between(0, job.plannedPages));
    else if (m_random.PerMille(80))
        job.abortAfterEnd = true;
    m_jobs.push_back(job);
    return true;
}

bool HostThread::Step(OpenJob& job)
{
    if (m_context.PagesDone() && job.sentPages < job.plannedPages) {
        job.plannedPages = job.sentPages;  // the soak has its pages: end soon
        if (job.abortAt > static_cast<int>(job.plannedPages))
            job.abortAt = -1;
    }
    if (job.abortAt == static_cast<int>(job.sentPages)) {
        AbortJob(job);
        return true;
    }
    if (job.sentPages < job.plannedPages) {
        if (m_random.PerMille(40))
            SendCarelessPage(job);
        SendPage(job);
        return false;
    }
    EndJob(job);
    return true;
}

void HostThread::SendPage(OpenJob& job)
{
    const std::string path = WritePage();
    if (path.empty())
        return;
    const bool readOnly = m_random.PerMille(20);
    if (readOnly)
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    if (m_random.PerMille(10)) {
        // The host still writes the page: the library must leave it alone.
        const KernelHandle held(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (held)
            ExpectRefused(job.id, path, "a page file the host holds open");
    }
    m_context.ledger.PageSending(job.sequence, FileName(path));
    if (m_context.library.JP_SendData(job.id, path.c_str()) == 1) {
        m_context.ledger.PageAccepted(job.sequence);
        ++job.sentPages;
        if (readOnly)
            m_context.report.Count("read-only pages accepted");
        if (!Exists(path))
            return;
        // A read-only page moves like any other.
        m_context.report.Violation("accepted page still in the host's folder: " + path);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveFile(path);
        return;
    }
    m_context.ledger.PageRefused(job.sequence);
    m_context.report.Violation("JP_SendData refused a sound page for open job id " +
                               std::to_string(job.id) + ": " + path);
    if (!Exists(path))
        m_context.report.Violation("refused page taken from the host: " + path);
    RemoveFile(path);
}

void HostThread::SendCarelessPage(const OpenJob& job)
{
    switch (m_random.Below(4)) {
    case 0:
        ExpectRefused(job.id, NextPagePath(), "a missing page file");
        return;
    case 1:
        ExpectRefused(job.id, m_context.installation.pagesDir + "\\NUL", "a device name");
        return;
    case 2:
        ExpectRefused(job.id, m_context.installation.pagesDir, "a folder");
        return;
    default:
        break;
    }
    int id = kBadIds[m_random.Below(sizeof kBadIds / sizeof kBadIds[0])];
    const char* what = "a page for an id never issued";
    const uint64_t* initsThen = nullptr;
    uint64_t idIssuesThen = 0;
    const uint64_t inits = m_context.desk.Inits();
    if (m_closedId != 0 && m_latestJob - m_closedAtJob < kClosedIdFreshJobs && m_closedInits == inits &&
        m_random.PerMille(500)) {
        id = m_closedId;
        what = "a page for an aborted job's id";
        initsThen = &m_closedInits;
        idIssuesThen = m_closedIdIssues;
    } else if (m_refusedStartId != 0 && m_latestJob - m_refusedAtJob < kClosedIdFreshJobs &&
               m_refusedInits == inits && m_random.PerMille(500)) {
        id = m_refusedStartId;
        what = "a page for the id of a refused JP_StartJob";
        initsThen = &m_refusedInits;
        idIssuesThen = m_refusedIdIssues;
    }
    const std::string path = WritePage();
    if (path.empty())
        return;
    ExpectRefused(id, path, what, initsThen, idIssuesThen);
    RemoveFile(path);
}

void HostThread::ExpectRefused(int id, const std::string& path, const char* what, const uint64_t* initsThen,
                               uint64_t idIssuesThen)
{
    const bool existed = Exists(path);
    int returned = 0;
    if (!initsThen) {
        returned = m_context.library.JP_SendData(id, path.c_str());
    } else if (!m_context.desk.SendForOldId(id, path, *initsThen, idIssuesThen, returned)) {
        m_context.report.Count("pages not sent for an old id: JP_init ran or the id was issued again since");
        return;
    }
    m_context.report.Count(std::string("pages refused: ") + what);
    if (returned != 0)
        m_context.report.Violation(std::string("JP_SendData accepted ") + what + " (id " +
                                   std::to_string(id) + "): " + path);
    else if (existed && !Exists(path))
        m_context.report.Violation(std::string("refused page taken from the host (") + what + "): " + path);
}

void HostThread::EndJob(OpenJob& job)
{
    m_context.ledger.JobClosing(job.sequence);
    if (m_context.library.JP_EndJob(job.id) != 1)
        m_context.report.Violation("JP_EndJob returned 0 for open job id " + std::to_string(job.id));
    m_context.ledger.JobEnded(job.sequence);
    if (!job.abortAfterEnd)
        return;
    // A job that waits behind an earlier one keeps its id open after
    // JP_EndJob and can still be aborted; one that has gone cannot.
    if (m_context.library.JP_AbortJob(job.id) == 1) {
        m_context.report.Count("aborts after JP_EndJob taken (the job still waited)");
        m_context.ledger.JobAborted(job.sequence);
    } else {
        m_context.report.Count("aborts after JP_EndJob refused (the job had gone)");
    }
}

void HostThread::AbortJob(OpenJob& job)
{
    m_context.ledger.JobClosing(job.sequence);
    if (m_context.library.JP_AbortJob(job.id) != 1)
        m_context.report.Violation("JP_AbortJob returned 0 for open job id " + std::to_string(job.id));
    m_context.report.Count(job.sentPages == 0                  ? "aborts before the first page"
                           : job.sentPages == job.plannedPages ? "aborts after the last page"
                                                               : "aborts mid-job");
    m_context.ledger.JobAborted(job.sequence);
    m_closedId = job.id;
    m_closedAtJob = m_latestJob;
    m_closedInits = job.inits;
    m_closedIdIssues = job.idIssues;
}

std::string HostThread::NextPagePath()
{
    // Named by host process and thread: the data folder holds every host's pages.
    return m_context.installation.pagesDir + "\\h" + std::to_string(m_context.host) + "t" +
           std::to_string(m_index) + "_" + std::to_string(++m_pageNumber) + ".pg";
}

std::string HostThread::WritePage()
{
    const std::string path = NextPagePath();
    const std::string content = "soak page " + path + "\r\n" + std::string(200, 'P');
    if (!WriteWhole(path, content)) {
        m_context.report.Violation("the soak cannot write its page file " + path);
        RemoveFile(path);
        return std::string();
    }
    return path;
}
