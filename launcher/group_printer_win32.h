// Prints one group: reads its page list and the job's settings file, opens
// every page file through the data folder's gate, chooses the printer,
// lays the pages out on sheets and prints them as one document. A page that
// cannot be read or decoded does not stop its group: it is printed as a
// marked placeholder in its place, in every copy. A page list naming a file
// that is not a page of the data folder is refused: nothing of its group is
// printed. When the printer fails, the document is aborted and nothing of
// the group reaches the paper.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "group_pages.h"
#include "job_settings.h"
#include "win32_shared/kernel_handles_win32.h"
#include "launcher_setup.h"
#include "page_decoder_win32.h"
#include "page_file_gate_win32.h"
#include "page_layout.h"
#include "print_guard_event_win32.h"
#include "setup/profile_reader_win32.h"
#include "stored_choice.h"

struct GroupResult {
    enum class State {
        NoPageList,  // the page list cannot be read or names no page: nothing to print
        Refused,     // it names a file that is not a page of the data folder
        Printed,     // the document reached the spooler
        NotPrinted,  // the printer failed: nothing reached the paper
    };
    State state = State::NoPageList;
    std::string pageList;
    std::string listProblem;  // how the page list differs from a whole one; empty: it is whole
    std::string failure;      // why the group was refused or not printed
    std::vector<GroupFile> files;
    std::vector<GroupPage> pages;  // in print order; a failed one printed as a placeholder
};

class GroupPrinter {
public:
    // Opens the print guard named in the setup; one printer lives as long as
    // the printing thread, and with it the printer choice read last.
    GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder);

    // Prints the group, filling `result` as it goes (so that it tells what
    // there was also when an exception ends the printing).
    void Print(uint32_t jobId, uint32_t firstPage, GroupResult& result);

    // Closes the group's page files, so that they can be deleted or kept.
    void Release() { m_open.clear(); }

private:
    // The page list and the job's settings, then every page file.
    bool ReadGroup(uint32_t jobId, uint32_t firstPage, LayoutOptions& options, GroupResult& result);
    // Opens and probes the files; false when one is refused.
    bool OpenPages(GroupResult& result);
    void PrintSheets(uint32_t jobId, const LayoutOptions& options, GroupResult& result);

    const LauncherSetup& m_setup;
    PageDecoder& m_decoder;
    PageFileGate m_gate;
    Win32ProfileReader m_profile;
    StreamByteFileReader m_files;
    std::unique_ptr<Win32PrintGuardEvent> m_guard;  // null: no guard
    StoredChoiceReader m_choices;
    std::vector<std::unique_ptr<KernelHandle>> m_open;  // per file of the group; null: not open
};
