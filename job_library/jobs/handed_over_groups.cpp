#include "handed_over_groups.h"

#include <algorithm>

HandedOverGroups::HandedOverGroups(size_t limit) : m_limit(limit > 0 ? limit : 1) {}

bool HandedOverGroups::Remember(const HandedOverGroup& group, const PageListPresence& lists,
                                HandedOverGroup* forgotten)
{
    Forget(group);
    ForgetPrintedAtFront(lists);
    if (m_groups.size() >= m_limit)
        ForgetPrinted(lists);
    bool forgotOne = false;
    HandedOverGroup oldest;
    if (m_groups.size() >= m_limit) {
        oldest = m_groups.front();
        forgotOne = true;
    }
    // Added before the oldest goes, so that a failed allocation changes nothing.
    m_groups.push_back(group);
    if (forgotOne) {
        m_groups.pop_front();
        if (forgotten)
            *forgotten = oldest;
    }
    return forgotOne;
}

void HandedOverGroups::ForgetPrinted(const PageListPresence& lists)
{
    m_groups.erase(std::remove_if(m_groups.begin(), m_groups.end(),
                                  [&lists](const HandedOverGroup& group) {
                                      return !lists.PageListExists(group);
                                  }),
                   m_groups.end());
}

void HandedOverGroups::ForgetPrintedAtFront(const PageListPresence& lists)
{
    while (!m_groups.empty() && !lists.PageListExists(m_groups.front()))
        m_groups.pop_front();
}

void HandedOverGroups::Forget(const HandedOverGroup& group)
{
    m_groups.erase(std::remove(m_groups.begin(), m_groups.end(), group), m_groups.end());
}
