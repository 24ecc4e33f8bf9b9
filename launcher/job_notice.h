// What the user is told about one job once it has ended: every page that
// was not printed, why, and where its file was kept, and every group of
// which the launcher could print nothing or not all. One box per job at
// most; the launcher log names each page as it happens.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "group_pages.h"

class JobNotice {
public:
    void Add(const UnprintedPage& page) { m_pages.push_back(page); }
    // A problem of the group from firstPage that is not one page's, such as
    // a page list that cannot be read.
    void AddGroupProblem(uint32_t firstPage, const std::string& problem);

    bool Empty() const { return m_pages.empty() && m_groups.empty(); }
    void Clear();

    // The box text: the configured message, then what was not printed (at
    // most 12 entries; the rest are counted and left to the log at logPath).
    std::string BoxText(const std::string& message, uint32_t jobId, const std::string& logPath) const;

private:
    std::vector<UnprintedPage> m_pages;
    std::vector<std::string> m_groups;
};
