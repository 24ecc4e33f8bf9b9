// The printing thread. It takes the window's commands in arrival order, so
// groups print in the order they were handed over while the window goes on
// taking messages. Each group is printed as it comes, as a document of its
// own; printing two-sided, a group whose last sheet would leave its back
// blank waits while its job may still send pages, and goes out with the
// job's next group in one document (its page list stays until then, so a
// launcher that is ended meanwhile loses nothing: the library posts the
// group again to the next one). After a document it deletes the page files
// that were printed and the page lists, and keeps every page file that was
// not printed in the user's folder of kept pages; when a job has ended, it
// deletes the job's settings file and tells the user in one box what of the
// job was not printed. The box is shown on a thread of its own: printing
// goes on while it is open.
#pragma once
#include <memory>
#include <thread>
#include <vector>

#include "command_queue.h"
#include "group_printer_win32.h"
#include "job_id_claim_win32.h"
#include "job_notice.h"
#include "kept_folder_win32.h"
#include "launcher_setup.h"
#include "notice_boxes_win32.h"

class PrintWorker {
public:
    PrintWorker(const LauncherSetup& setup, CommandQueue& queue);
    ~PrintWorker() { Join(); }
    PrintWorker(const PrintWorker&) = delete;
    PrintWorker& operator=(const PrintWorker&) = delete;

    void Start();
    // Waits until the thread has done every command up to an End command,
    // and until every box it showed was answered.
    void Join();

private:
    void Run();
    // Reads a group and prints it, or lets it wait for the next one.
    void TakeGroup(GroupPrinter& printer, const LauncherCommand& command);
    // Prints the waiting groups: all of them in one document when printing
    // two-sided, each as a document of its own when not. Two-sided groups go
    // on waiting instead while their last back would be blank and their job
    // may still send pages (`jobEnded` false).
    void PrintWaiting(GroupPrinter& printer, bool jobEnded);
    // Prints groups as one document; an unexpected error leaves them not printed.
    void PrintDocument(GroupPrinter& printer, const ChosenPrinter& chosen,
                       const std::vector<PendingGroup*>& groups, bool jobEnded);
    // Deletes or keeps a group's files once it is done with.
    void CleanUp(PendingGroup& group);
    // Keeps the files of the unprinted pages, logs them and adds them to the
    // job's notice.
    void KeepUnprinted(uint32_t jobId, const GroupResult& result,
                       std::vector<UnprintedPage>& unprinted);
    // The job has ended: its settings file goes, its notice is shown.
    void EndJob(uint32_t jobId, bool settingsFileGone);

    const LauncherSetup& m_setup;
    CommandQueue& m_queue;
    KeptFolder m_kept;
    JobNotice m_notice;  // of the job being printed
    NoticeBoxes m_boxes;
    JobIdClaim m_claim;  // of the job being printed
    // Groups of the job being printed that were read and wait to be printed.
    std::vector<std::unique_ptr<PendingGroup>> m_waiting;
    std::thread m_thread;
};
