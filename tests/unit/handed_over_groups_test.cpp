// The record of groups handed to the launcher: what a restarted launcher is
// given again, in which order, and that the record stays bounded however
// the launcher behaves.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "jobs/handed_over_groups.h"

namespace {

// Page lists present in the temporary folder, as (job id, first page).
class FakePageLists : public PageListPresence {
public:
    bool PageListExists(const HandedOverGroup& group) const override
    {
        return present.count({group.jobId, group.firstPage}) != 0;
    }
    std::set<std::pair<uint32_t, uint32_t>> present;
};

HandedOverGroup Group(uint32_t jobId, uint32_t firstPage)
{
    HandedOverGroup group;
    group.jobId = jobId;
    group.firstPage = firstPage;
    return group;
}

std::string Text(const HandedOverGroups& record)
{
    std::string text;
    for (const HandedOverGroup& group : record.Groups())
        text += (text.empty() ? "" : " ") + std::to_string(group.jobId) + "," +
                std::to_string(group.firstPage);
    return text;
}

// Hands a group over: its page list is written, then it is posted.
bool HandOver(HandedOverGroups& record, FakePageLists& lists, uint32_t jobId, uint32_t page,
              HandedOverGroup* forgotten = nullptr)
{
    lists.present.insert({jobId, page});
    return record.Remember(Group(jobId, page), lists, forgotten);
}

TEST(HandedOverGroups, PrintedGroupsLeaveFromTheFrontAndTheWaitingOnesKeepTheirOrder)
{
    HandedOverGroups record;
    FakePageLists lists;
    EXPECT_FALSE(HandOver(record, lists, 1, 1));
    HandOver(record, lists, 1, 3);
    HandOver(record, lists, 2, 1);
    EXPECT_EQ(Text(record), "1,1 1,3 2,1");

    // The launcher printed the first group and deleted its page list.
    lists.present.erase({1, 1});
    HandOver(record, lists, 2, 4);
    EXPECT_EQ(Text(record), "1,3 2,1 2,4");

    // A group the launcher could not print keeps its page list; those after
    // it are printed. Only the front is looked at on the way...
    lists.present.erase({2, 1});
    lists.present.erase({2, 4});
    HandOver(record, lists, 3, 1);
    EXPECT_EQ(Text(record), "1,3 2,1 2,4 3,1");
    // ...a restart asks about every one and gives the rest in post order.
    record.ForgetPrinted(lists);
    EXPECT_EQ(Text(record), "1,3 3,1");

    // The same name handed over again names one file: posted once, last.
    HandOver(record, lists, 1, 3);
    EXPECT_EQ(Text(record), "3,1 1,3");

    // A launcher told to end takes them all with it.
    record.Clear();
    EXPECT_EQ(Text(record), "");
    record.ForgetPrinted(lists);
    EXPECT_EQ(Text(record), "");
}

TEST(HandedOverGroups, StaysWithinItsLimitAndForgetsTheOldestOnlyWhenAllStillWait)
{
    HandedOverGroups record(3);
    FakePageLists lists;
    HandOver(record, lists, 1, 1);  // never printed: holds the front
    HandOver(record, lists, 1, 2);
    HandOver(record, lists, 1, 3);

    // At the limit every group is checked: the printed one behind the front goes.
    lists.present.erase({1, 2});
    HandedOverGroup forgotten = Group(99, 99);
    EXPECT_FALSE(HandOver(record, lists, 1, 4, &forgotten));
    EXPECT_EQ(Text(record), "1,1 1,3 1,4");
    EXPECT_EQ(forgotten, Group(99, 99));

    // All still wait: the oldest is forgotten and named for the log.
    EXPECT_TRUE(HandOver(record, lists, 1, 5, &forgotten));
    EXPECT_EQ(forgotten, Group(1, 1));
    EXPECT_EQ(Text(record), "1,3 1,4 1,5");

    // A launcher that never deletes anything: a long run stays bounded.
    for (uint32_t job = 2; job <= 255; ++job)
        for (uint32_t page = 1; page <= 20; ++page)
            HandOver(record, lists, job, page);
    EXPECT_EQ(Text(record), "255,18 255,19 255,20");

    // The default limit holds a whole job of single-page groups.
    HandedOverGroups roomy;
    for (uint32_t page = 1; page <= 999; ++page)
        EXPECT_FALSE(HandOver(roomy, lists, 7, page));
    EXPECT_EQ(roomy.Groups().size(), 999u);
    EXPECT_EQ(roomy.Groups().front(), Group(7, 1));
}

}  // namespace
