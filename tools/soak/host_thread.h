// One host thread: it runs jobs as a scanning program does, with one or two
// of its own open at a time, random print settings, copies and page counts,
// and aborts at every stage (before the first page, mid-group, after the
// last page, after JP_EndJob while the job still waits behind others). Per
// page it may also play a careless host: a page file that is missing,
// locked by the host or read-only, or a page sent to an id that is not open.
// Every return value is checked against what the library must answer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "random_source.h"
#include "soak_context.h"

class HostThread {
public:
    HostThread(SoakContext& context, int index, uint64_t seed)
        : m_context(context), m_index(index), m_random(seed)
    {
    }

    // Runs jobs until the soak has its pages; ends every job it opened.
    void Run();

private:
    struct OpenJob {
        int id = 0;
        uint64_t sequence = 0;
        uint64_t inits = 0;  // JP_init calls in this process before it started
        uint64_t idIssues = 0;  // times its id was issued, its own start included
        uint32_t plannedPages = 0;
        uint32_t sentPages = 0;
        // Abort instead of sending page abortAt + 1 (or instead of ending
        // when it equals plannedPages); -1: no abort.
        int abortAt = -1;
        bool abortAfterEnd = false;
    };

    bool StartJob();
    // Sends, ends or aborts; true when the job is finished.
    bool Step(OpenJob& job);
    void SendPage(OpenJob& job);
    void SendCarelessPage(const OpenJob& job);
    void EndJob(OpenJob& job);
    void AbortJob(OpenJob& job);
    // A page that must be refused: returns 0 and stays with the host. An id
    // issued before (initsThen: the count of JP_init calls then,
    // idIssuesThen: how often the id had been issued then) is used only
    // while no JP_init has run and no later job got the id since.
    void ExpectRefused(int id, const std::string& path, const char* what,
                       const uint64_t* initsThen = nullptr, uint64_t idIssuesThen = 0);

    std::string WritePage();
    std::string NextPagePath();

    SoakContext& m_context;
    const int m_index;
    RandomSource m_random;
    std::vector<OpenJob> m_jobs;
    uint64_t m_pageNumber = 0;
    uint64_t m_latestJob = 0;       // ledger sequence of this thread's latest job
    int m_closedId = 0;             // an id this thread aborted lately
    uint64_t m_closedAtJob = 0;     // m_latestJob then
    uint64_t m_closedInits = 0;     // JP_init calls before its job started
    uint64_t m_closedIdIssues = 0;  // times its id was issued then
    int m_refusedStartId = 0;       // an id left by a refused JP_StartJob
    uint64_t m_refusedAtJob = 0;
    uint64_t m_refusedInits = 0;
    uint64_t m_refusedIdIssues = 0;
};
