// The groups handed to the launcher (job id and first page of each LM_PRINT
// that was posted), in post order. The launcher deletes a group's page list
// only after printing it, so a remembered group whose page list still exists
// has not been printed yet: when the launcher dies, these are the groups a
// new launcher must be told about again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>

struct HandedOverGroup {
    uint32_t jobId = 0;
    uint32_t firstPage = 0;
};

inline bool operator==(const HandedOverGroup& a, const HandedOverGroup& b)
{
    return a.jobId == b.jobId && a.firstPage == b.firstPage;
}

// Answers whether the page list of a group is still in the temporary folder.
class PageListPresence {
public:
    virtual ~PageListPresence() = default;
    virtual bool PageListExists(const HandedOverGroup& group) const = 0;
};

// More groups than one job can have (at most 999 pages). A launcher that
// holds this many groups without deleting the page list of any of them is not
// printing; posting still more of them again would not help, and checking
// every page list at each restart must stay cheap.
const size_t kHandedOverGroupsLimit = 1024;

class HandedOverGroups {
public:
    explicit HandedOverGroups(size_t limit = kHandedOverGroupsLimit);

    // Remembers a group whose LM_PRINT was posted. The groups at the front
    // whose page list is gone are forgotten first: the launcher prints in
    // arrival order, so the front is where printed groups are. A group the
    // launcher could not print keeps its page list and would hold that front
    // for ever; when the limit is reached, every remembered group is checked,
    // and only when all of them still wait is the oldest forgotten. That one
    // is returned in *forgotten (true) for the caller to log. A remembered
    // group with the same job id and first page names the same file, whose
    // content is now this group's: it is forgotten, not posted twice.
    // May throw std::bad_alloc; the group is then not remembered.
    bool Remember(const HandedOverGroup& group, const PageListPresence& lists,
                  HandedOverGroup* forgotten);

    // Forgets every group whose page list is gone; the others, still in post
    // order, are Groups() afterwards.
    void ForgetPrinted(const PageListPresence& lists);

    // Forgets everything: the groups now belong to a launcher that was told
    // to end once it has printed them.
    void Clear() { m_groups.clear(); }

    const std::deque<HandedOverGroup>& Groups() const { return m_groups; }

private:
    void ForgetPrintedAtFront(const PageListPresence& lists);
    void Forget(const HandedOverGroup& group);

    size_t m_limit;
    std::deque<HandedOverGroup> m_groups;
};
