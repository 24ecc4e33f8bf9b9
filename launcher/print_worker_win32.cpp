#include "print_worker_win32.h"

#include <objbase.h>
#include <windows.h>

#include <exception>
#include <string>

#include "cannot_print_text.h"
#include "group_printer_win32.h"
#include "handoff_paths_win32.h"
#include "job_tracker.h"
#include "launcher_log_win32.h"
#include "page_decoder_win32.h"

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
    if (DeleteFileA(path.c_str()))
        LogLine("deleted " + path);
    else if (GetLastError() != ERROR_FILE_NOT_FOUND)
        LogFailure("DeleteFile", path);
}

void ShowCannotPrint(const LauncherSetup& setup, uint32_t jobId, uint32_t firstPage,
                     const GroupFailure& failure)
{
    const std::string text = CannotPrintText(setup.cannotPrintMessage, jobId, firstPage, failure);
    const std::string caption = setup.cannotPrintTitle.empty() ? "KESTRO" : setup.cannotPrintTitle;
    if (!MessageBoxA(nullptr, text.c_str(), caption.c_str(),
                     MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST))
        LogFailure("MessageBox");
}

void EndJob(const EndedJob& ended)
{
    if (ended.jobId == 0)
        return;
    const std::string settings = HandoffPath(ended.jobId, 0);
    if (ended.keepSettings) {
        LogLine("job " + std::to_string(ended.jobId) + " ended with a group not printed: " +
                settings + " kept");
        return;
    }
    LogLine("job " + std::to_string(ended.jobId) + " ended");
    DeleteAndLog(settings);
}

}  // namespace

void PrintWorker::Start()
{
    m_thread = std::thread([this] { Run(); });
}

void PrintWorker::Join()
{
    if (m_thread.joinable())
        m_thread.join();
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
            if (command.kind == LauncherCommand::End) {
                EndJob(jobs.NoJobLeft());
                LogLine("printing thread ends");
                return;
            }
            if (command.kind == LauncherCommand::NoJobLeft) {
                EndJob(jobs.NoJobLeft());
                continue;
            }
            EndJob(jobs.GroupArrives(command.jobId, command.firstPage));
            if (!PrintAndCleanUp(printer, command))
                jobs.GroupFailed();
        }
    } catch (...) {
        LogLine("printing thread stopped by an unexpected error");
    }
}

bool PrintWorker::PrintAndCleanUp(GroupPrinter& printer, const LauncherCommand& command)
{
    GroupFiles files;
    GroupFailure failure;
    bool printed = false;
    try {
        printed = printer.Print(command.jobId, command.firstPage, files, failure);
    } catch (const std::exception& error) {
        // Out of memory, mostly; the document was aborted on the way out.
        failure.files = files.pages;
        if (failure.files.empty())
            failure.files.push_back(files.pageList);
        failure.reason = std::string("an internal error occurred (") + error.what() + ")";
        LogLine("not printed: " + failure.reason);
    }
    if (!printed) {
        ShowCannotPrint(m_setup, command.jobId, command.firstPage, failure);
        return false;
    }
    LogLine("job " + std::to_string(command.jobId) + " group " +
            std::to_string(command.firstPage) + " printed");
    for (const std::string& page : files.pages)
        DeleteAndLog(page);
    DeleteAndLog(files.pageList);
    return true;
}
