// The job interface: ids, limits, the current job, the launcher's
// suspend/resume, aborts, and jobs that fail or stop half-way.
#include "recording_job_effects.h"

namespace {

using JobLifecycle = EngineTest;

TEST_F(JobLifecycle, OneJobPrintsEachPageAndSuspendsTheLauncherOnlyWhenTheLastJobLeaves)
{
    const uint32_t first = Start();
    EXPECT_EQ(1u, first);
    const uint32_t second = Start();  // while the first is open: no message at all
    Send(first, {"C:\\scan\\a.tif"});
    EXPECT_TRUE(EndJob(first));
    EXPECT_EQ(0u, fx.Count("suspend"));
    EXPECT_TRUE(EndJob(second));

    EXPECT_EQ(std::vector<std::string>({"1:1=a.tif"}), fx.Groups());
    EXPECT_EQ(std::vector<std::string>({"C:\\scan\\a.tif"}), fx.moved);
    EXPECT_EQ(1u, fx.Count("create launcher"));
    EXPECT_EQ(1u, fx.Count("suspend"));
    EXPECT_EQ(0u, fx.Count("resume"));
    EXPECT_TRUE(fx.Logged("1000|---- JP_SendData(1,Data\\a.tif)"));
    // The second job received nothing: its settings file is not left behind.
    EXPECT_EQ(1u, fx.Count("delete handoff 2:0"));
    EXPECT_EQ(0u, fx.Count("delete handoff 1:0"));

    const uint32_t third = Start();
    EXPECT_EQ(3u, third);
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(third));
    EXPECT_EQ(1u, fx.Count("resume"));
    EXPECT_EQ(1u, fx.Count("create launcher"));
}

TEST_F(JobLifecycle, IdsWrapFrom255To1AndTheCurrentJobFollows)
{
    for (int i = 1; i <= 254; ++i)
        ASSERT_TRUE(EndJob(Start()));
    const uint32_t last = Start();
    const uint32_t wrapped = Start();
    EXPECT_EQ(255u, last);
    EXPECT_EQ(1u, wrapped);
    Send(wrapped, {"w1"});
    EXPECT_TRUE(fx.Groups().empty());
    EXPECT_TRUE(EndJob(last));
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(1));
    EXPECT_EQ(std::vector<std::string>({"1:1=w1"}), fx.Groups());
}

// A later JP_init starts the ids at 1 while jobs are open: the jobs started
// after it get ids on both sides of the open ones and still print after
// them, in the order they were started, whatever order their pages come in.
TEST_F(JobLifecycle, JobsStartedAfterAnotherInitPrintInStartOrderWhateverTheirIds)
{
    ASSERT_TRUE(EndJob(Start()));
    const uint32_t second = Start();
    const uint32_t third = Start();
    RestartJobIds();
    const uint32_t fourth = Start();
    const uint32_t fifth = Start();
    EXPECT_EQ(std::vector<uint32_t>({2, 3, 1, 4}), std::vector<uint32_t>({second, third, fourth, fifth}));
    const struct {
        uint32_t id;
        const char* page;
    } kLastFirst[] = {{fifth, "e"}, {fourth, "d"}, {third, "c"}, {second, "b"}};
    for (const auto& job : kLastFirst) {
        Send(job.id, {job.page});
        EXPECT_TRUE(EndJob(job.id));
    }
    EXPECT_EQ(std::vector<std::string>({"2:1=b", "3:1=c", "1:1=d", "4:1=e"}), fx.Groups());
}

using JobLimits = EngineTest;

TEST_F(JobLimits, CopiesOutsideOneToCopiesLimitAreRefusedBeforeAnIdIsIssued)
{
    gConfig.CopiesLimit = 5;
    for (uint32_t copies : {0u, 6u}) {
        uint32_t id = 77;
        EXPECT_FALSE(StartJob(&id, copies));
        EXPECT_EQ(0u, id);
    }
    EXPECT_EQ(std::vector<int32_t>({21, 21}), fx.errors);
    EXPECT_EQ(0u, gJobCnt.Count());
    EXPECT_EQ(1u, Start(5));
}

TEST_F(JobLimits, JobLimitAndPrinterCheckRefuseWithoutCountingTheJob)
{
    gConfig.JobLimit = 2;
    const uint32_t first = Start();
    Start();
    uint32_t id = 9;
    EXPECT_FALSE(StartJob(&id, 1));
    EXPECT_EQ(0u, id);
    EXPECT_TRUE(fx.Reported(20));
    EXPECT_TRUE(EndJob(first));

    fx.printerError = 70;
    EXPECT_FALSE(StartJob(&id, 1));
    EXPECT_TRUE(fx.Reported(70));
    EXPECT_EQ(1u, gJobCnt.Count());
    fx.printerError = 0;
    EXPECT_EQ(3u, Start());
}

TEST_F(JobLimits, PageBeyondPagesLimitEndsTheJobAfterPrintingTheAcceptedPages)
{
    gConfig.PagesLimit = 3;
    const uint32_t id = Start(1, 1);
    const uint32_t next = Start();
    Send(id, {"p1", "p2", "p3"});
    EXPECT_FALSE(SendData(id, "p4"));
    EXPECT_TRUE(fx.Reported(22));
    EXPECT_EQ(std::vector<std::string>({"1:1=p1 p2", "1:3=p3"}), fx.Groups());
    EXPECT_EQ(nullptr, FindJob(id));
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(next));
    EXPECT_FALSE(SendData(id, "p5"));
    EXPECT_EQ(15, fx.errors.back());
}

using IllegalCalls = EngineTest;

TEST_F(IllegalCalls, IdZeroUnknownIdsAndRemovedJobsAreRefused)
{
    EXPECT_FALSE(SendData(0, "C:\\scan\\x"));
    EXPECT_TRUE(fx.moved.empty());
    EXPECT_TRUE(fx.Logged("0|<<Error>> JP_SendData() Illegal Call. May be JP_StartJob returned FALSE"));

    // The id is checked before anything moves: the refused page stays with the host.
    EXPECT_FALSE(SendData(42, "C:\\scan\\y"));
    EXPECT_TRUE(fx.moved.empty());
    EXPECT_EQ(std::vector<int32_t>({15}), fx.errors);
    EXPECT_TRUE(fx.Logged("42000|---- JP_SendData(42,C:\\scan\\y)"));

    const uint32_t id = Start();
    EXPECT_TRUE(EndJob(id));
    const size_t boxes = diagnostics.boxes.size();
    EXPECT_FALSE(EndJob(id));
    EXPECT_FALSE(AbortJob(id));
    EXPECT_EQ(std::vector<int32_t>({15, 15, 15}), fx.errors);
    EXPECT_EQ(boxes, diagnostics.boxes.size());
    EXPECT_FALSE(EndJob(0));
    EXPECT_FALSE(AbortJob(0));
    EXPECT_FALSE(SendData(Start(), nullptr));  // refused, never dereferenced
    EXPECT_TRUE(fx.moved.empty());
}

using Abort = EngineTest;

TEST_F(Abort, DeletesHeldPagesPrintsNothingAndMovesTheCurrentJobOn)
{
    const uint32_t id = Start(1, 2);
    const uint32_t next = Start();
    fx.undeletable = {"b"};
    Send(id, {"a", "b", "c"});
    EXPECT_TRUE(AbortJob(id));
    EXPECT_EQ(std::vector<std::string>({"a", "c"}), fx.deletedPages);
    EXPECT_EQ(std::vector<int32_t>({37}), fx.errors);
    EXPECT_TRUE(fx.Logged("1002|  File \"Data\\b\" was NOT Deleted"));
    EXPECT_TRUE(fx.Logged("1003|  File \"Data\\c\" was Deleted without Print(AbortJob)"));
    EXPECT_TRUE(fx.Groups().empty());
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(next));
}

TEST_F(Abort, RemainScanedDataOnPCKeepsTheFilesAndAQueuedJobLeavesAtOnce)
{
    gConfig.RemainScanedDataOnPC = 1;
    const uint32_t current = Start();
    const uint32_t queued = Start();
    Send(queued, {"q1", "q2"});
    EXPECT_TRUE(AbortJob(queued));
    EXPECT_TRUE(fx.deletedPages.empty());
    EXPECT_TRUE(fx.Logged("2002|    remain all data"));
    EXPECT_EQ(nullptr, FindJob(queued));
    EXPECT_EQ(1u, gJobCnt.Count());
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(current));
    EXPECT_TRUE(fx.Groups().empty());
}

// A queued job that was aborted leaves a gap in the ids: the job after the
// gap becomes current instead of the missing id.
TEST_F(Abort, TheOldestJobLeftBecomesCurrentWhenTheNextIdIsGone)
{
    const uint32_t first = Start();
    const uint32_t gone = Start();
    const uint32_t third = Start();
    Send(third, {"t1"});
    EXPECT_TRUE(AbortJob(gone));
    EXPECT_TRUE(EndJob(first));
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(third));
    EXPECT_TRUE(fx.errors.empty());
    Send(third, {"t2"});
    EXPECT_EQ(std::vector<std::string>({"3:1=t1", "3:2=t2"}), fx.Groups());
}

using FailedStart = EngineTest;

TEST_F(FailedStart, AQueuedJobThatFailsIsTakenBackAndHoldsNobodyUp)
{
    const uint32_t first = Start();
    fx.settings.NupPrintSetting = 3;
    uint32_t failed = 0;
    EXPECT_FALSE(StartJob(&failed, 1));
    EXPECT_EQ(2u, failed);  // the issued id stays with the caller
    EXPECT_EQ(36, fx.errors.back());
    EXPECT_EQ(1u, diagnostics.boxes.size());
    EXPECT_EQ(1u, gJobCnt.Count());
    EXPECT_EQ(nullptr, FindJob(failed));
    EXPECT_FALSE(gJobIdTable.IsOpen(failed));

    const uint32_t later = Start();
    Send(later, {"l1"});
    EXPECT_TRUE(EndJob(first));
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(later));
    EXPECT_EQ(std::vector<std::string>({"3:1=l1"}), fx.Groups());
}

TEST_F(FailedStart, TheOnlyJobFailingLeavesAsIfAbortedAndTheNextJobIsCurrent)
{
    fx.failSettingsFile = true;
    uint32_t failed = 0;
    EXPECT_FALSE(StartJob(&failed, 1));
    EXPECT_GE(fx.Count("delete handoff 1:0"), 1u);
    EXPECT_EQ(0u, gJobCnt.Count());
    EXPECT_EQ(1u, fx.Count("suspend"));

    fx.failSettingsFile = false;
    const uint32_t next = Start();
    EXPECT_EQ(2u, next);
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(next));
    EXPECT_EQ(1u, fx.Count("resume"));
    Send(next, {"n1"});
    EXPECT_EQ(std::vector<std::string>({"2:1=n1"}), fx.Groups());
}

TEST_F(FailedStart, ALauncherThatCannotStartResetsTheEngine)
{
    fx.launcherStarts = false;
    uint32_t id = 0;
    EXPECT_FALSE(StartJob(&id, 1));
    EXPECT_EQ(1u, id);
    EXPECT_EQ(0, gbLuncherExist);
    EXPECT_EQ(0u, gJobCnt.Count());
    fx.launcherStarts = true;
    EXPECT_EQ(1u, Start());
}

using StoppedJob = EngineTest;

// A page that cannot be moved is refused with its reason in the log; it is
// not counted, and the job goes on with the host's next page.
TEST_F(StoppedJob, APageThatCannotBeMovedIsRefusedAndTheJobGoesOn)
{
    const uint32_t id = Start();
    fx.unmovable.insert("gone");
    EXPECT_FALSE(SendData(id, "C:\\scan\\gone"));
    EXPECT_TRUE(fx.Logged("2|refused C:\\scan\\gone"));
    EXPECT_TRUE(fx.errors.empty());
    EXPECT_TRUE(gJobIdTable.IsOpen(id));
    Send(id, {"a"});
    EXPECT_EQ(std::vector<std::string>({"1:1=a"}), fx.Groups());

    // An aborted job whose pages were all held takes its settings file
    // along; one that handed a group over leaves it to the launcher.
    const uint32_t held = Start(1, 1);
    Send(held, {"h"});
    EXPECT_TRUE(AbortJob(held));
    EXPECT_EQ(1u, fx.Count("delete handoff " + std::to_string(held) + ":0"));
    EXPECT_TRUE(EndJob(id));
    EXPECT_EQ(0u, fx.Count("delete handoff " + std::to_string(id) + ":0"));
}

// Ids whose hand-off files still wait, that a job in the table holds or
// that another process claimed are passed over; the next job becomes current
// all the same. A job holds its claim while it is in the table.
TEST_F(JobLifecycle, IdsWhoseHandoffFilesStillWaitAreSkipped)
{
    fx.idsWithFiles = {1, 2};
    fx.idsClaimedElsewhere = {4};
    const uint32_t first = Start();
    EXPECT_EQ(3u, first);
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(first));
    EXPECT_TRUE(fx.Logged("1000|  ID=1 skipped: a group of a job with this id still waits"));
    const uint32_t second = Start();
    EXPECT_EQ(5u, second);
    EXPECT_TRUE(fx.Logged("4000|  ID=4 skipped: another program's job holds this id"));
    EXPECT_EQ(fx.claimed, (std::set<uint32_t>{3, 5}));
    Send(first, {"a"});
    EXPECT_TRUE(EndJob(first));
    EXPECT_EQ(fx.claimed, std::set<uint32_t>{5});
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(second));
    Send(second, {"b"});
    EXPECT_EQ(std::vector<std::string>({"3:1=a", "5:1=b"}), fx.Groups());

    // Every id waiting: after a whole round the next one is used all the same.
    for (uint32_t id = 1; id <= 255; ++id)
        fx.idsWithFiles.insert(id);
    EXPECT_NE(0u, Start());
}

TEST_F(StoppedJob, AFailedHandOverIsRetriedOnceAtTheEndAndNeverDuplicated)
{
    const uint32_t id = Start(1, 1);
    Send(id, {"a", "b"});
    fx.pageListFailures = 1;
    Send(id, {"c"});
    EXPECT_FALSE(SendData(id, "d"));  // its group cannot be written: job stops
    EXPECT_EQ(std::vector<int32_t>({33, 31, 50}), fx.errors);
    EXPECT_EQ(1u, fx.Count("delete handoff 1:3"));
    EXPECT_EQ(std::vector<std::string>({"1:1=a b", "1:3=c d"}), fx.Groups());
    EXPECT_EQ(nullptr, FindJob(id));
    EXPECT_EQ(1u, fx.Count("suspend"));
}

TEST_F(StoppedJob, AJobWhoseLastGroupCannotBeWrittenStillLeaves)
{
    fx.printAfterReceivedAllData = 1;
    const uint32_t id = Start();
    fx.printAfterReceivedAllData = 0;
    const uint32_t next = Start();
    Send(id, {"a", "b"});
    Send(next, {"n"});
    fx.pageListFailures = 1;
    EXPECT_FALSE(EndJob(id));
    EXPECT_TRUE(fx.Logged("1020| NG JP_EndJob"));
    EXPECT_EQ(std::vector<int32_t>({33, 31, 52}), fx.errors);
    EXPECT_EQ(nullptr, FindJob(id));
    EXPECT_TRUE(gJobIdTable.IsCurrentJob(next));
    EXPECT_EQ(std::vector<std::string>({"2:1=n"}), fx.Groups());
}

TEST_F(StoppedJob, AGroupThatReachesNoLauncherIsNotCountedAsHandedOver)
{
    const uint32_t each = Start();
    fx.printPostFailures = 1;
    EXPECT_FALSE(SendData(each, "a"));  // the host learns that page a is not printing
    EXPECT_EQ(1u, fx.Count("delete handoff 1:1"));
    EXPECT_TRUE(fx.Groups().empty());
    Send(each, {"b"});
    EXPECT_EQ(std::vector<std::string>({"1:2=b"}), fx.Groups());
    EXPECT_TRUE(EndJob(each));

    // A held group keeps its pages when its message cannot be posted; they
    // go out once, with the job's end, when a launcher is there again.
    const uint32_t pairs = Start(1, 1);
    Send(pairs, {"c"});
    fx.printPostFailures = 1;
    EXPECT_FALSE(SendData(pairs, "d"));
    EXPECT_EQ(1u, fx.Count("delete handoff 2:1"));
    EXPECT_EQ(std::vector<std::string>({"1:2=b", "2:1=c d"}), fx.Groups());
    EXPECT_EQ(nullptr, FindJob(pairs));
}

}  // namespace
