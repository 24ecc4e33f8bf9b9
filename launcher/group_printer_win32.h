// Prints one group: reads its page list and the job's settings file, checks
// that every page can be read, chooses the printer, lays the pages out on
// sheets and prints them as one document. All or nothing: when anything
// fails before the document is handed to the spooler, the document is
// aborted and nothing of the group is printed.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cannot_print_text.h"
#include "job_settings.h"
#include "launcher_setup.h"
#include "page_decoder_win32.h"
#include "page_layout.h"

struct GroupFiles {
    std::string pageList;
    std::string settings;
    std::vector<std::string> pages;  // known once the page list was read
};

class GroupPrinter {
public:
    GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder)
        : m_setup(setup), m_decoder(decoder)
    {
    }

    // False, with what failed, when the group was not printed.
    bool Print(uint32_t jobId, uint32_t firstPage, GroupFiles& files, GroupFailure& failure);

private:
    // The page list, the job's settings and the size of every page.
    bool ReadGroup(uint32_t jobId, uint32_t firstPage, GroupFiles& files, LayoutOptions& options,
                   std::vector<PageImageSize>& sizes, GroupFailure& failure);

    const LauncherSetup& m_setup;
    PageDecoder& m_decoder;
};
