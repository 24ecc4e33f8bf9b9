#include "print_worker_win32.h"

#include <objbase.h>
#include <windows.h>

#include <exception>
#include <string>

#include "group_printer_win32.h"
#include "handoff_paths_win32.h"
#include "job_tracker.h"
#include "launcher_log_win32.h"
#include "page_decoder_win32.h"
#include "win32_shared/in_use_retry_win32.h"
#include "sheet_plan.h"
#include "two_sided_wait.h"

namespace {

// COM for the imaging component, in the multithreaded apartment: it needs no
// window, so the launcher keeps exactly one top-level window.
class ComApartment {
public:
    ComApartment() : m_result(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    HRESULT Result() const { return m_result; }

private:
    HRESULT m_result;
};

void DeleteAndLog(const std::string& path)
{
    if (path.empty())
        return;
    if (RetryWhileInUse([&] { return DeleteFileA(path.c_str()) != FALSE; }))
        LogLine("deleted " + path);
    else if (GetLastError() != ERROR_FILE_NOT_FOUND)
        LogFailure("DeleteFile", path);
}

std::string BoxCaption(const LauncherSetup& setup)
{
    return setup.cannotPrintTitle.empty() ? "KESTRO" : setup.cannotPrintTitle;
}

}  // namespace

PrintWorker::PrintWorker(const LauncherSetup& setup, CommandQueue& queue)
    : m_setup(setup), m_queue(queue), m_kept(setup.dataFolder), m_boxes(BoxCaption(setup))
{
}

void PrintWorker::Start()
{
    m_thread = std::thread([this] { Run(); });
}

void PrintWorker::Join()
{
    if (m_thread.joinable())
        m_thread.join();
    m_boxes.WaitUntilAnswered();
}

void PrintWorker::Run()
{
    try {
        const ComApartment com;
        PageDecoder decoder;
        std::string reason;
        if (FAILED(com.Result()))
            LogLine("COM cannot be initialised: pages cannot be decoded");
        else if (!decoder.Start(reason))
            LogLine(reason);
        GroupPrinter printer(m_setup, decoder);
        JobTracker jobs;

        for (;;) {
            const LauncherCommand command = m_queue.Pop();
            if (command.kind == LauncherCommand::End || command.kind == LauncherCommand::NoJobLeft) {
                PrintWaiting(printer, true);
                const EndedJob ended = jobs.NoJobLeft();
                EndJob(ended.jobId, ended.settingsFileGone);
                if (command.kind == LauncherCommand::NoJobLeft)
                    continue;
                LogLine("printing thread ends");
                return;
            }
            const EndedJob ended = jobs.GroupArrives(command.jobId, command.firstPage);
            if (ended.jobId != 0)
                PrintWaiting(printer, true);
            EndJob(ended.jobId, ended.settingsFileGone);
            m_claim.Take(command.jobId);
            TakeGroup(printer, command);
        }
    } catch (...) {
        LogLine("printing thread stopped by an unexpected error");
    }
}

void PrintWorker::EndJob(uint32_t jobId, bool settingsFileGone)
{
    if (jobId == 0)
        return;
    LogLine("job " + std::to_string(jobId) + " ended");
    if (!settingsFileGone)
        DeleteAndLog(HandoffPath(jobId, 0));
    m_claim.Release(jobId);
    if (!m_notice.Empty()) {
        LogLine("job " + std::to_string(jobId) + ": the user is told what was not printed");
        m_boxes.Show(m_notice.BoxText(m_setup.cannotPrintMessage, jobId, LauncherLogPath()));
    }
    m_notice.Clear();
}

void PrintWorker::KeepUnprinted(uint32_t jobId, const GroupResult& result,
                                std::vector<UnprintedPage>& unprinted)
{
    for (size_t file = 0; file < result.files.size(); ++file) {
        if (!IsKept(unprinted, file))
            continue;
        std::string keptAs;
        std::string why;
        const GroupFile& groupFile = result.files[file];
        const DWORD attributes = GetFileAttributesA(groupFile.path.c_str());
        const bool exists =
            attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (exists && !m_kept.Keep(groupFile.path, jobId, groupFile.jobPage, keptAs, why))
            LogLine("cannot keep " + groupFile.path + ": " + why);
        for (UnprintedPage& page : unprinted) {
            if (page.file != file)
                continue;
            page.keptAs = keptAs;
            page.notKept = exists ? why : std::string();
        }
    }
    for (const UnprintedPage& page : unprinted) {
        LogLine(UnprintedLogLine(jobId, page));
        m_notice.Add(page);
    }
}

void PrintWorker::TakeGroup(GroupPrinter& printer, const LauncherCommand& command)
{
    std::unique_ptr<PendingGroup> group(new PendingGroup);
    bool readable = false;
    try {
        readable = printer.Read(command.jobId, command.firstPage, *group);
    } catch (const std::exception& error) {
        // Out of memory, mostly.
        group->result.state = GroupResult::State::NotPrinted;
        group->result.failure = std::string("an internal error occurred (") + error.what() + ")";
        LogLine("not printed: " + group->result.failure);
    }
    if (!readable) {
        group->Release();
        CleanUp(*group);
        return;
    }
    m_waiting.push_back(std::move(group));
    PrintWaiting(printer, false);
}

void PrintWorker::PrintWaiting(GroupPrinter& printer, bool jobEnded)
{
    if (m_waiting.empty())
        return;
    std::vector<PendingGroup*> groups;
    size_t sides = 0;
    for (const std::unique_ptr<PendingGroup>& group : m_waiting) {
        groups.push_back(group.get());
        sides += SidesOf(group->result.pages.size(), group->options.pagesPerSheet);
    }
    const PendingGroup& last = *m_waiting.back();
    const bool mayStillSend = !jobEnded && !last.EndsJob();

    ChosenPrinter chosen;
    std::string reason;
    bool chose = false;
    try {
        chose = printer.ChoosePrinterNow(chosen, reason);
    } catch (const std::exception& error) {
        reason = std::string("an internal error occurred (") + error.what() + ")";
    }
    if (!chose) {
        LogLine("not printed: " + reason);
        for (PendingGroup* group : groups) {
            group->result.state = GroupResult::State::NotPrinted;
            group->result.failure = reason;
        }
    } else if (!chosen.twoSided) {
        // Groups that waited for a two-sided printer no longer in use: each
        // on its own, as one-sided groups print; only the last may end the job.
        for (size_t i = 0; i < groups.size(); ++i)
            PrintDocument(printer, chosen, {groups[i]}, jobEnded && i + 1 == groups.size());
    } else if (KeepWaitingForBack(sides, mayStillSend, groups.size())) {
        LogLine("job " + std::to_string(last.jobId) + " group " + std::to_string(last.firstPage) +
                " waits: printed two-sided, its last sheet's back is left for the job's next page");
        return;
    } else {
        PrintDocument(printer, chosen, groups, jobEnded);
    }

    for (std::unique_ptr<PendingGroup>& group : m_waiting) {
        group->Release();
        CleanUp(*group);
    }
    m_waiting.clear();
}

void PrintWorker::PrintDocument(GroupPrinter& printer, const ChosenPrinter& chosen,
                                const std::vector<PendingGroup*>& groups, bool jobEnded)
{
    const bool wholeJob = groups.front()->firstPage == 1 && (jobEnded || groups.back()->EndsJob());
    try {
        printer.PrintDocument(chosen, groups, wholeJob);
    } catch (const std::exception& error) {
        // Out of memory, mostly; the document was aborted on the way out.
        const std::string failure = std::string("an internal error occurred (") + error.what() + ")";
        for (PendingGroup* group : groups) {
            group->result.state = GroupResult::State::NotPrinted;
            group->result.failure = failure;
        }
        LogLine("not printed: " + failure);
    }
}

void PrintWorker::CleanUp(PendingGroup& group)
{
    const GroupResult& result = group.result;
    const std::string name = "job " + std::to_string(group.jobId) + " group " +
                             std::to_string(group.firstPage);
    switch (result.state) {
    case GroupResult::State::NoPageList:
        m_notice.AddGroupProblem(group.firstPage, "nothing of it was printed: " + result.failure);
        // A list that exists but cannot be used would otherwise come back
        // with every restarted launcher.
        DeleteAndLog(result.pageList);
        return;
    case GroupResult::State::Refused:
        m_notice.AddGroupProblem(group.firstPage, "nothing of it was printed: " + result.failure);
        DeleteAndLog(result.pageList);
        return;
    case GroupResult::State::Waiting:  // never printed: as a printer failure
    case GroupResult::State::Printed:
    case GroupResult::State::NotPrinted:
        break;
    }

    const bool printed = result.state == GroupResult::State::Printed;
    std::vector<UnprintedPage> unprinted =
        UnprintedPagesOf(result.files, result.pages, printed, result.failure);
    LogLine(name + (printed ? unprinted.empty() ? " printed"
                                                : " printed with " + std::to_string(unprinted.size()) +
                                                      " page(s) marked as not printed"
                            : " not printed"));
    if (!result.listProblem.empty())
        m_notice.AddGroupProblem(group.firstPage, result.listProblem);
    KeepUnprinted(group.jobId, result, unprinted);
    if (printed)
        for (size_t file = 0; file < result.files.size(); ++file)
            if (!IsKept(unprinted, file))
                DeleteAndLog(result.files[file].path);
    DeleteAndLog(result.pageList);
}
