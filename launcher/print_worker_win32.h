// The printing thread. It takes the window's commands in arrival order, so
// groups print in the order they were handed over while the window goes on
// taking messages. After a group it deletes the page files that were
// printed and the page list, and keeps every page file that was not printed
// in the user's folder of kept pages; when a job has ended, it deletes the
// job's settings file and tells the user in one box what of the job was not
// printed. The box is shown on a thread of its own: printing goes on while
// it is open.
#pragma once
#include <thread>

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
    // Prints a group, then deletes or keeps its files.
    void PrintAndCleanUp(GroupPrinter& printer, const LauncherCommand& command);
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
    std::thread m_thread;
};
