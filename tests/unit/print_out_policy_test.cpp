// Which pages go to the launcher when, and in which groups.
#include "jobs/print_method.h"
#include "recording_job_effects.h"

namespace {

struct MethodCase {
    int32_t printAfterAll;
    uint8_t sort;
    uint32_t copies;
    uint8_t nup;
    int method;  // 0: not decided
};

TEST(DecidePrintMethod, HoldRulesComeBeforeTheNupValue)
{
    const MethodCase cases[] = {
        {0, 0, 1, 0, PRINT_EACH_PAGE},    {0, 0, 1, 1, PRINT_PER_2_PAGES},
        {0, 0, 1, 2, PRINT_PER_4_PAGES},  {0, 0, 1, 3, 0},
        {1, 0, 1, 3, PRINT_AFTER_ENDJOB}, {0, 1, 2, 1, PRINT_AFTER_ENDJOB},
        {0, 1, 1, 1, PRINT_PER_2_PAGES},  {0, 2, 3, 0, PRINT_EACH_PAGE},
    };
    for (const MethodCase& c : cases) {
        PrintSettings settings;
        settings.SortSetting = c.sort;
        settings.NupPrintSetting = c.nup;
        uint8_t method = 0;
        const bool decided = DecidePrintMethod(c.printAfterAll, &settings, c.copies, &method);
        EXPECT_EQ(c.method != 0, decided) << int(c.nup);
        EXPECT_EQ(c.method, decided ? method : 0) << int(c.sort) << " " << c.copies;
    }
    uint8_t method = 0;
    EXPECT_FALSE(DecidePrintMethod(0, nullptr, 1, &method));
    EXPECT_TRUE(DecidePrintMethod(1, nullptr, 1, &method));
}

using CurrentJob = EngineTest;

TEST_F(CurrentJob, PairsGoOutAsTheyCompleteAndTheRestAtTheEnd)
{
    const uint32_t id = Start(1, 1);
    Send(id, {"1", "2", "3", "4", "5"});
    EXPECT_EQ(std::vector<std::string>({"1:1=1 2", "1:3=3 4"}), fx.Groups());
    EXPECT_TRUE(EndJob(id));
    EXPECT_EQ("1:5=5", fx.Groups().back());
    EXPECT_TRUE(fx.Logged("1005|             Remain Holded Data(less 2 Page)"));
    EXPECT_TRUE(fx.Logged("1005|     Printout after receive 2pages:Data Hold"));
}

TEST_F(CurrentJob, FoursGoOutAsTheyCompleteAndTheRestAtTheEndWithoutMethodForB2ndZero)
{
    gConfig.b2ndJobPrintbyMethod = 0;
    const uint32_t id = Start(1, 2);
    Send(id, {"1", "2", "3", "4", "5", "6"});
    EXPECT_TRUE(EndJob(id));
    EXPECT_EQ(std::vector<std::string>({"1:1=1 2 3 4", "1:5=5 6"}), fx.Groups());
    EXPECT_FALSE(fx.Logged("1005|             Remain Holded Data(less 4 Page)"));
}

TEST_F(CurrentJob, HoldingTheWholeJobReleasesOneGroupAtTheEnd)
{
    fx.printAfterReceivedAllData = 1;
    const uint32_t id = Start(1, 3);  // an unusable N-up value does not matter here
    Send(id, {"1", "2", "3"});
    EXPECT_TRUE(fx.Groups().empty());
    EXPECT_TRUE(EndJob(id));
    EXPECT_EQ(std::vector<std::string>({"1:1=1 2 3"}), fx.Groups());
    EXPECT_EQ(1, gConfig.PrintAfterReceivedAllData);

    fx.printAfterReceivedAllData = 0;
    fx.settings.SortSetting = 1;
    const uint32_t sorted = Start(2, 2);
    Send(sorted, {"s1"});
    EXPECT_EQ(1u, fx.Groups().size());
    EXPECT_TRUE(EndJob(sorted));
    EXPECT_EQ("2:1=s1", fx.Groups().back());
}

TEST_F(CurrentJob, PageListIsWrittenBeforeItsMessage)
{
    Send(Start(), {"x"});
    const std::vector<std::string> expected = {"create launcher", "settings 1", "list 1:1", "print 1:1"};
    EXPECT_EQ(expected, fx.events);
}

using QueuedJob = EngineTest;

TEST_F(QueuedJob, HoldsEveryPageWhateverItsMethodUntilItBecomesCurrent)
{
    const uint32_t first = Start();
    const uint32_t each = Start(1, 0);
    Send(each, {"1", "2", "3"});
    EXPECT_TRUE(fx.Groups().empty());
    EXPECT_TRUE(fx.Logged("2003|   Not Current Job => Data Hold"));
    EXPECT_TRUE(EndJob(first));
    EXPECT_EQ(std::vector<std::string>({"2:1=1", "2:2=2", "2:3=3"}), fx.Groups());
}

TEST_F(QueuedJob, ReleasesCompleteGroupsOnlyAndKeepsTheRestForLaterPages)
{
    const uint32_t first = Start();
    const uint32_t pairs = Start(1, 1);
    Send(pairs, {"1", "2", "3"});
    EXPECT_TRUE(EndJob(first));
    EXPECT_EQ(std::vector<std::string>({"2:1=1 2"}), fx.Groups());
    Send(pairs, {"4"});
    EXPECT_EQ("2:3=3 4", fx.Groups().back());
}

TEST_F(QueuedJob, EndedWhileWaitingItGoesOutByMethodOrAllAtOnce)
{
    for (int32_t byMethod : {1, 0}) {
        SetUp();
        fx.handedOver.clear();
        gConfig.b2ndJobPrintbyMethod = byMethod;
        const uint32_t first = Start();
        const uint32_t fours = Start(1, 2);
        Send(fours, {"1", "2", "3", "4", "5", "6"});
        EXPECT_TRUE(EndJob(fours));
        EXPECT_TRUE(fx.Groups().empty());
        EXPECT_TRUE(EndJob(first));
        const std::vector<std::string> expected =
            byMethod ? std::vector<std::string>{"2:1=1 2 3 4", "2:5=5 6"}
                     : std::vector<std::string>{"2:1=1 2 3 4 5 6"};
        EXPECT_EQ(expected, fx.Groups()) << "b2ndJobPrintbyMethod " << byMethod;
        EXPECT_EQ(0u, gJobCnt.Count());  // removed at once, then suspend
    }
}

TEST_F(QueuedJob, PathsAreKeptWhole)
{
    const uint32_t first = Start();
    const uint32_t queued = Start();
    const std::string fits(DataTable::kMaxPathLength - 5, 'f');  // "Data\" + name = 259
    EXPECT_TRUE(SendData(queued, fits.c_str()));
    EXPECT_TRUE(EndJob(first));
    ASSERT_EQ(1u, fx.handedOver.size());
    EXPECT_EQ("Data\\" + fits, fx.handedOver[0].paths[0]);
}

}  // namespace
