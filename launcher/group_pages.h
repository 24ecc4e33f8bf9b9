// The pages of a group as they are printed, and what is left of them that
// was not: a page that cannot be read or decoded takes its place on the
// sheet as a marked placeholder, its file is kept, and the user is told.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "page_layout.h"

// One page file of a group.
struct GroupFile {
    std::string path;      // as the page list names it
    uint32_t jobPage = 0;  // its page number in the job
    std::string failure;   // why nothing of it can be read; empty: it can
};

// One printed page: a page of one of the group's files (a multi-page TIFF
// gives several), or the one place of a file that cannot be read at all.
struct GroupPage {
    size_t file = 0;          // index into the group's files
    uint32_t frame = 0;       // the page within its file, from 0
    uint32_t fileFrames = 1;  // pages of its file
    PageImageSize size;       // unused for a placeholder
    std::string failure;      // not empty: printed as a placeholder saying why
};

// A page of a job that was not printed, and what became of its file.
struct UnprintedPage {
    size_t file = 0;
    uint32_t jobPage = 0;
    uint32_t frame = 0;       // 0: the whole file; else its page, from 1
    std::string path;
    std::string reason;
    bool marked = false;      // a placeholder took its place in the print-out
    std::string keptAs;       // set once the file was kept
    std::string notKept;      // why it could not be kept: it is still at path
};

// The pages of a group that were not printed, in page order. When the
// document was printed these are the placeholders; when it was not, every
// file of the group is one, with the printer's reason (and its own, when it
// could not have been printed either).
std::vector<UnprintedPage> UnprintedPagesOf(const std::vector<GroupFile>& files,
                                            const std::vector<GroupPage>& pages,
                                            bool documentPrinted, const std::string& printerFailure);

// Whether file `file` has any page in `unprinted`: such a file is kept whole,
// every other file of a printed group is deleted.
bool IsKept(const std::vector<UnprintedPage>& unprinted, size_t file);

// The log line of an unprinted page, e.g. "job 7 page 3 (page 2 of the
// file) not printed: <reason>: <path>, kept as <kept path>".
std::string UnprintedLogLine(uint32_t jobId, const UnprintedPage& page);
