// Two-sided printing as the launcher plans it: which page lands on which
// side, where blank backs go, when a group waits for its job's next one,
// and the name a document has in the print queue.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/document_name.h"
#include "launcher/sheet_plan.h"
#include "launcher/two_sided_wait.h"

namespace {

// "1,2|3|-": the sides in print order, each with its pages numbered from 1;
// "-" is a blank side.
std::string Sides(const std::vector<Sheet>& sides)
{
    std::string text;
    for (const Sheet& side : sides) {
        text += text.empty() ? "" : "|";
        if (side.empty())
            text += "-";
        for (size_t i = 0; i < side.size(); ++i)
            text += (i ? "," : "") + std::to_string(side[i] + 1);
    }
    return text;
}

TEST(LauncherTwoSided, BacksCarryTheNextSideAndEverySetStartsOnAFront)
{
    struct Case {
        const char* what;
        std::vector<size_t> groups;  // pages of each group
        int32_t perSheet;
        int32_t copies;
        bool sorted;
        const char* sides;
    };
    const Case cases[] = {
        {"even", {4}, 1, 1, false, "1|2|3|4"},
        {"odd: a blank back", {3}, 1, 1, false, "1|2|3|-"},
        {"one page", {1}, 1, 1, false, "1|-"},
        {"sorted, odd: each set from a front", {3}, 1, 2, true, "1|2|3|-|1|2|3|-"},
        {"sorted, even", {2}, 1, 3, true, "1|2|1|2|1|2"},
        {"unsorted: a sheet's copies together", {3}, 1, 2, false, "1|2|1|2|3|-|3|-"},
        {"2 a side, odd sides", {5}, 2, 1, false, "1,2|3,4|5|-"},
        {"4 a side, sorted", {5}, 4, 2, true, "1,2,3,4|5|1,2,3,4|5"},
        {"4 a side, unsorted", {9}, 4, 2, false, "1,2,3,4|5,6,7,8|1,2,3,4|5,6,7,8|9|-|9|-"},
        {"groups of a page: front and back", {1, 1}, 1, 1, false, "1|2"},
        {"groups with copies", {1, 1}, 1, 2, false, "1|2|1|2"},
        {"each group on sides of its own", {2, 1}, 4, 1, false, "1,2|3"},
        {"three groups of a side", {2, 2, 1}, 2, 1, false, "1,2|3,4|5|-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sides(PlanTwoSidedSheets(c.groups, c.perSheet, c.copies, c.sorted)), c.sides)
            << c.what;
    EXPECT_EQ(SidesOf(0, 2), 0u);
    EXPECT_EQ(SidesOf(5, 2), 3u);
    EXPECT_EQ(SidesOf(8, 4), 2u);
    EXPECT_EQ(SidesOf(3, 0), 3u);
}

TEST(LauncherTwoSided, AGroupWaitsForItsJobsNextOnlyWhileTheJobMaySendMore)
{
    // While a job may still send pages the library hands over groups of the
    // size its n-up puts on a sheet; another size, a sorted job of copies
    // and an n-up without such groups come only at the job's end.
    struct Case {
        int nup;
        int sort;
        int copies;
        size_t files;
        bool endsJob;
    };
    const Case cases[] = {
        {0, 0, 1, 1, false}, {0, 0, 3, 1, false}, {0, 0, 1, 2, true},  {1, 0, 1, 2, false},
        {1, 0, 1, 1, true},  {2, 0, 1, 4, false}, {2, 0, 1, 3, true},  {2, 0, 2, 5, true},
        {0, 1, 2, 1, true},  {0, 1, 1, 1, false}, {3, 0, 1, 1, true},  {0, 2, 2, 1, false},
    };
    for (const Case& c : cases) {
        JobSettings settings;
        settings.print.NupPrintSetting = static_cast<uint8_t>(c.nup);
        settings.print.SortSetting = static_cast<uint8_t>(c.sort);
        settings.copies = c.copies;
        EXPECT_EQ(GroupEndsJob(c.files, settings), c.endsJob)
            << "n-up " << c.nup << ", sort " << c.sort << ", copies " << c.copies << ", "
            << c.files << " file(s)";
    }

    EXPECT_TRUE(KeepWaitingForBack(1, true, 1));
    EXPECT_TRUE(KeepWaitingForBack(3, true, 2));
    EXPECT_FALSE(KeepWaitingForBack(2, true, 2)) << "the back is taken";
    EXPECT_FALSE(KeepWaitingForBack(1, false, 1)) << "nothing more comes";
    EXPECT_FALSE(KeepWaitingForBack(9, true, kMostWaitingGroups)) << "waiting is bounded";
}

TEST(LauncherTwoSided, DocumentsAreNamedByTheirJobAndPages)
{
    EXPECT_EQ(DocumentName(L"", 12, 5, 6, false), L"Scan job 12, pages 5\u20136");
    EXPECT_EQ(DocumentName(L"", 12, 5, 5, false), L"Scan job 12, page 5");
    EXPECT_EQ(DocumentName(L"", 12, 1, 9, true), L"Scan job 12");
    EXPECT_EQ(DocumentName(L"Front desk", 255, 100, 103, false),
              L"Front desk: Scan job 255, pages 100\u2013103");
    EXPECT_EQ(DocumentName(L"Front desk", 3, 1, 1, true), L"Front desk: Scan job 3");
}

}  // namespace
