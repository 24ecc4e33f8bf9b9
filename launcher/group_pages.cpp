#include "group_pages.h"

namespace {

UnprintedPage Unprinted(const GroupFile& file, size_t index, uint32_t frame,
                        const std::string& reason)
{
    UnprintedPage page;
    page.file = index;
    page.jobPage = file.jobPage;
    page.frame = frame;
    page.path = file.path;
    page.reason = reason;
    return page;
}

}  // namespace

std::vector<UnprintedPage> UnprintedPagesOf(const std::vector<GroupFile>& files,
                                            const std::vector<GroupPage>& pages,
                                            bool documentPrinted, const std::string& printerFailure)
{
    std::vector<UnprintedPage> unprinted;
    for (size_t index = 0; index < files.size(); ++index) {
        std::string ownFailures;
        for (const GroupPage& page : pages) {
            if (page.file != index || page.failure.empty())
                continue;
            const uint32_t frame = page.fileFrames > 1 ? page.frame + 1 : 0;
            if (documentPrinted) {
                unprinted.push_back(Unprinted(files[index], index, frame, page.failure));
                unprinted.back().marked = true;
            } else if (ownFailures.empty()) {
                ownFailures = page.failure;
            }
        }
        // Nothing reached the paper: the whole file is one unprinted page.
        if (!documentPrinted)
            unprinted.push_back(Unprinted(files[index], index, 0,
                                          ownFailures.empty() ? printerFailure
                                                              : printerFailure + "; besides, " + ownFailures));
    }
    return unprinted;
}

bool IsKept(const std::vector<UnprintedPage>& unprinted, size_t file)
{
    for (const UnprintedPage& page : unprinted)
        if (page.file == file)
            return true;
    return false;
}

std::string UnprintedLogLine(uint32_t jobId, const UnprintedPage& page)
{
    std::string line = "job " + std::to_string(jobId) + " page " + std::to_string(page.jobPage);
    if (page.frame > 0)
        line += " (page " + std::to_string(page.frame) + " of the file)";
    line += " not printed: " + page.reason + ": " + page.path;
    if (!page.keptAs.empty())
        line += ", kept as " + page.keptAs;
    else if (!page.notKept.empty())
        line += ", not kept (" + page.notKept + ")";
    return line;
}
