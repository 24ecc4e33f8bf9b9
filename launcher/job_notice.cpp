#include "job_notice.h"

#include "jobport_readers/page_file_names.h"

namespace {

const size_t kMostEntriesShown = 12;

std::string PageEntry(const UnprintedPage& page)
{
    std::string text = "Page " + std::to_string(page.jobPage);
    if (page.frame > 0)
        text += " (page " + std::to_string(page.frame) + " of the file)";
    text += ", " + PageFileName(page.path) + ": " + page.reason + ".\n";
    if (!page.keptAs.empty())
        text += "    Kept as " + page.keptAs + "\n";
    else if (!page.notKept.empty())
        text += "    Not kept (" + page.notKept + "): still " + page.path + "\n";
    return text;
}

}  // namespace

void JobNotice::AddGroupProblem(uint32_t firstPage, const std::string& problem)
{
    m_groups.push_back("Group from page " + std::to_string(firstPage) + ": " + problem + ".\n");
}

void JobNotice::Clear()
{
    m_pages.clear();
    m_groups.clear();
}

std::string JobNotice::BoxText(const std::string& message, uint32_t jobId,
                               const std::string& logPath) const
{
    std::string text = message.empty() ? std::string("Cannot print.") : message;
    text += "\n\nJob " + std::to_string(jobId) + ": ";
    if (m_pages.empty())
        text += "not everything was printed.\n";
    else
        text += std::to_string(m_pages.size()) + (m_pages.size() == 1 ? " page was" : " pages were") +
                " not printed.\n";
    size_t shown = 0;
    for (const std::string& group : m_groups)
        if (shown++ < kMostEntriesShown)
            text += group;
    for (const UnprintedPage& page : m_pages)
        if (shown++ < kMostEntriesShown)
            text += PageEntry(page);
    if (shown > kMostEntriesShown)
        text += "(and " + std::to_string(shown - kMostEntriesShown) + " more)\n";
    for (const UnprintedPage& page : m_pages)
        if (page.marked) {
            text += "\nThe print-out shows a marked sheet or place where a page is missing.";
            break;
        }
    if (!m_pages.empty())
        text += "\nKept files are never deleted by this system.";
    if (!logPath.empty())
        text += "\nThe launcher log " + logPath + " names every page.";
    return text;
}
