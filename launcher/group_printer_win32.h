// Prints the groups the library hands over: reads a group's page list and
// the job's settings file, opens every page file through the data folder's
// gate, chooses the printer, lays the pages out on sheets and prints them as
// one document (two-sided, groups of a job whose sides follow each other
// may share one). A page that cannot be read or decoded does not stop its
// group: it is printed as a marked placeholder in its place, in every copy. A page list naming a file
// that is not a page of the data folder is refused: nothing of its group is
// printed. When the printer fails, the document is aborted and nothing of
// its groups reaches the paper.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "group_pages.h"
#include "job_settings.h"
#include "jobport_readers/profile_reader_win32.h"
#include "launcher_setup.h"
#include "page_decoder_win32.h"
#include "page_file_gate_win32.h"
#include "page_layout.h"
#include "print_guard_event_win32.h"
#include "printer_choice_win32.h"
#include "stored_choice.h"
#include "win32_shared/kernel_handles_win32.h"

struct GroupResult {
    enum class State {
        NoPageList,  // the page list cannot be read or names no page: nothing to print
        Refused,     // it names a file that is not a page of the data folder
        Waiting,     // read, not printed yet
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

// One group as read for printing: its page list, the job's settings and its
// page files, held open until the group is done with.
struct PendingGroup {
    uint32_t jobId = 0;
    uint32_t firstPage = 0;
    JobSettings settings;
    LayoutOptions options;
    GroupResult result;  // filled as it goes, so that it tells what there was also
                         // when an exception ends the reading or printing
    double readMs = 0;  // the time Read took

    // The job page of the group's last file.
    uint32_t LastPage() const;
    // Whether the library hands over nothing more of the job after it.
    bool EndsJob() const;
    // Closes the group's page files and makes `count` places for them.
    void MakePlaces(size_t count)
    {
        Release();
        m_open.resize(count);
    }
    // The place of file `i` of the group (empty: not open), for the gate to open it into.
    KernelHandle& Place(size_t i) { return m_open[i]; }
    // File `i` of the group, opened into its place.
    HANDLE File(size_t i) const { return m_open[i].Get(); }
    // Closes the group's page files, so that they can be deleted or kept.
    void Release() { m_open.clear(); }

private:
    std::vector<KernelHandle> m_open;  // per file of the group
};

class GroupPrinter {
public:
    // Opens the print guard named in the setup; one printer lives as long as
    // the printing thread, and with it the printer choice read last.
    GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder);

    // Reads the group: its page list and the job's settings, every page file
    // opened and probed. False when nothing of it can be printed (its
    // result's state says why); else the state is Waiting.
    bool Read(uint32_t jobId, uint32_t firstPage, PendingGroup& group);

    // The printer the next document goes to, as stored now; false, with the
    // reason, when there is none. The time it took counts to the next document's.
    bool ChoosePrinterNow(ChosenPrinter& printer, std::string& reason);

    // Prints groups of one job as one document on the printer: one group, or,
    // two-sided, groups whose sides follow each other, each group's pages on
    // sides of their own. `wholeJob`: the document holds the whole job, and
    // its name says so. Every group's result says whether it was printed;
    // none is before EndDoc has returned.
    void PrintDocument(const ChosenPrinter& printer, const std::vector<PendingGroup*>& groups,
                       bool wholeJob);

private:
    // Opens and probes the files; false when one is refused.
    bool OpenPages(PendingGroup& group);

    const LauncherSetup& m_setup;
    PageDecoder& m_decoder;
    PageFileGate m_gate;
    Win32ProfileReader m_profile;
    StreamByteFileReader m_files;
    std::unique_ptr<Win32PrintGuardEvent> m_guard;  // null: no guard
    StoredChoiceReader m_choices;
    double m_choosingMs = 0;  // of the last ChoosePrinterNow
};
