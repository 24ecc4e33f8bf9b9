// Prints one group: reads its page list and the job's settings file, checks
// that every page can be read, chooses the printer, lays the pages out on
// sheets and prints them as one document. All or nothing: when anything
// fails before the document is handed to the spooler, the document is
// aborted and nothing of the group is printed.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cannot_print_text.h"
#include "job_settings.h"
#include "launcher_setup.h"
#include "page_decoder_win32.h"
#include "page_layout.h"
#include "print_guard_event_win32.h"
#include "setup/profile_reader_win32.h"
#include "stored_choice.h"

struct GroupFiles {
    std::string pageList;
    std::string settings;
    std::vector<std::string> pages;  // known once the page list was read
};

// One printed page: a page of one of the group's files (a multi-page TIFF
// gives several), with its size and resolution.
struct GroupPage {
    size_t file = 0;     // index into GroupFiles::pages
    uint32_t frame = 0;  // the page within that file, from 0
    PageImageSize size;
};

class GroupPrinter {
public:
    // Opens the print guard named in the setup; one printer lives as long as
    // the printing thread, and with it the printer choice read last.
    GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder);

    // False, with what failed, when the group was not printed.
    bool Print(uint32_t jobId, uint32_t firstPage, GroupFiles& files, GroupFailure& failure);

private:
    // The page list, the job's settings and every page of every file.
    bool ReadGroup(uint32_t jobId, uint32_t firstPage, GroupFiles& files, LayoutOptions& options,
                   std::vector<GroupPage>& pages, GroupFailure& failure);

    const LauncherSetup& m_setup;
    PageDecoder& m_decoder;
    Win32ProfileReader m_profile;
    StreamByteFileReader m_files;
    std::unique_ptr<Win32PrintGuardEvent> m_guard;  // null: no guard
    StoredChoiceReader m_choices;
};
