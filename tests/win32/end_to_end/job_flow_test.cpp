// Whole jobs as the host drives them and the launcher receives them: the
// launcher's life, the hand-off files, the groups of each print method, jobs
// that wait their turn, aborted jobs and pages that share a file name.
#include <string>
#include <utility>
#include <vector>

#include "end_to_end_fixture.h"

namespace {

PrintSettingsFile Nup(int nup)
{
    PrintSettingsFile settings;
    settings.nup = nup;
    return settings;
}

std::string PageName(int job, int page)
{
    return "j" + std::to_string(job) + "p" + std::to_string(page) + ".tif";
}

// Finds `expected` in the log in this order, each with its number; reports
// the first that is missing.
void ExpectLogInOrder(const std::vector<LogLine>& log,
                      const std::vector<std::pair<int, std::string>>& expected)
{
    size_t at = 0;
    for (const auto& line : expected) {
        while (at < log.size() && !(log[at].number == line.first && log[at].text == line.second))
            ++at;
        if (at == log.size()) {
            ADD_FAILURE() << "missing in order in the debug log: " << line.first << " \""
                          << line.second << "\"";
            return;
        }
        ++at;
    }
}

using JobFlow = EndToEndTest;

TEST_F(JobFlow, LauncherIsStartedOnceResumedBetweenJobsAndDeletedAtUnload)
{
    LoadAndInit();
    const int first = StartJob();
    ASSERT_EQ(first, 1);
    // A job started while another is open posts nothing and starts nothing.
    const int second = StartJob();
    ASSERT_EQ(second, 2);
    ASSERT_TRUE(Send(first, "j1p1.tif"));
    ASSERT_EQ(m_endJob(first), 1);
    ASSERT_EQ(m_endJob(second), 1);
    // The job without pages left no settings file behind; the other one's
    // belongs to the launcher.
    EXPECT_FALSE(PathExists(HandoffPath(second, 0)));
    EXPECT_TRUE(PathExists(HandoffPath(first, 0)));

    const int third = StartJob();
    EXPECT_EQ(third, 3);
    ASSERT_EQ(m_endJob(third), 1);
    const LauncherRecord record = Unload();

    ASSERT_EQ(record.processes.size(), 1u);
    const std::string commandLine =
        m_installDir + "\\KESTRO.EXE \"" + m_hostDir + "\\KESTRO.cfg\"";
    EXPECT_EQ(record.commandLines, Lines{commandLine});
    EXPECT_EQ(Sequence(record),
              (Lines{"PRINT 1,1: j1p1.tif", "SUSPEND", "RESUME", "SUSPEND", "DELETE"}));
    EXPECT_EQ(record.exits, 1u);
    EXPECT_TRUE(TakeBoxes().empty());

    // The debug log tells the same story, each line with its number.
    const std::string page = DataPath("j1p1.tif");
    ExpectLogInOrder(LogLines(), {
        {1020, "------------------------------JP_Init(E2E host) was Called"},
        {1020, " OK JP_Init"},
        {0, "---{ JP_StartJob() was Called"},
        {1000, "  Copies:1 ID=1 was returned. gJobCnt:1"},
        {0, "==>Luncher : Create Luncher  " + commandLine},
        {1020, " OK JP_StartJob"},
        {0, "---{ JP_StartJob() was Called"},
        {2000, "  Copies:1 ID=2 was returned. gJobCnt:2"},
        {1020, " OK JP_StartJob"},
        {1000, "---- JP_SendData(1," + page + ")"},
        {1001, "==>Luncher : Print Out Data by 1job 1page instantly"},
        {1020, " OK JP_SendData"},
        {1000, "---} JP_EndJob(1):jobcnt=1"},
        {1020, " OK JP_EndJob"},
        {2000, "---} JP_EndJob(2):jobcnt=0"},
        {0, "==>Luncher : Suspend MSG post"},
        {1020, " OK JP_EndJob"},
        {0, "==>Luncher : Resume MSG post"},
        {0, "==>Luncher : Delete KESTRO.EXE"},
        {0, " OK DeleteLuncher"},
    });
}

TEST_F(JobFlow, HandoffFilesAndMovedPagesAreWhatTheLauncherReads)
{
    PrintSettingsFile settings;
    settings.printPos = 7;
    settings.printSize = 0;
    settings.pageFrame = 1;
    settings.autoRotate = 0;
    settings.autoPaperChange = 300;  // handed on as its low 8 bits
    WriteSettings(settings);
    LoadAndInit();

    const int id = StartJob(3);
    ASSERT_EQ(id, 1);
    ASSERT_TRUE(Send(id, "scan 01.tif", "first page"));
    ASSERT_TRUE(Send(id, "scan 02.tif", "second page"));
    ASSERT_EQ(m_endJob(id), 1);

    // The pages left the host's folder for the data folder, unchanged.
    EXPECT_FALSE(PathExists(HostPath("scan 01.tif")));
    EXPECT_FALSE(PathExists(HostPath("scan 02.tif")));
    EXPECT_EQ(ReadShared(DataPath("scan 01.tif")), "first page");
    EXPECT_EQ(ReadShared(DataPath("scan 02.tif")), "second page");

    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "1,2"}));
    EXPECT_TRUE(PathExists(m_tempDir + "\\KST_ 1  0.$$$"));
    EXPECT_EQ(HandoffPath(1, 2), m_tempDir + "\\KST_ 1  2.$$$");
    EXPECT_EQ(ReadShared(HandoffPath(1, 1)), "1\r\n" + DataPath("scan 01.tif") + "\r\n");
    EXPECT_EQ(ReadShared(HandoffPath(1, 2)), "1\r\n" + DataPath("scan 02.tif") + "\r\n");
    const std::string settingsFile = "[Number of Copies]\r\nCopies=3\r\n"
                                     "[Print Setting]\r\n"
                                     "PrintPosSetting=7\r\n"
                                     "SortSetting=0\r\n"
                                     "PrintSizeSetting=0\r\n"
                                     "NupPrintSetting=0\r\n"
                                     "PageFramePrintSetting=1\r\n"
                                     "AutoRotatePrintSetting=0\r\n"
                                     "AutoPaperChange=44\r\n";
    EXPECT_EQ(ReadShared(HandoffPath(1, 0)), settingsFile);

    // The launcher found both files complete when each message came.
    const LauncherRecord record = Unload();
    ASSERT_GE(record.messages.size(), 2u);
    const Lines settingsLines{"[Number of Copies]", "Copies=3", "[Print Setting]",
                              "PrintPosSetting=7", "SortSetting=0", "PrintSizeSetting=0",
                              "NupPrintSetting=0", "PageFramePrintSetting=1",
                              "AutoRotatePrintSetting=0", "AutoPaperChange=44"};
    for (int page = 1; page <= 2; ++page) {
        const LauncherMessage& message = record.messages[page - 1];
        EXPECT_EQ(message.number, kPrintMessage);
        EXPECT_EQ(message.wParam, 1u);
        EXPECT_EQ(message.lParam, static_cast<unsigned long>(page));
        EXPECT_EQ(message.pageList,
                  (Lines{"1", DataPath(page == 1 ? "scan 01.tif" : "scan 02.tif")}));
        EXPECT_EQ(message.settings, settingsLines);
    }
}

TEST_F(JobFlow, EachPrintMethodReleasesItsGroupsAsThePagesArrive)
{
    LoadAndInit();
    // Pairs: a group goes out with its second page, the odd rest at the end.
    WriteSettings(Nup(1));
    const int pairs = StartJob();
    ASSERT_EQ(pairs, 1);
    const std::vector<Lines> afterPairPage = {
        {}, {"1,1"}, {"1,1"}, {"1,1", "1,3"}, {"1,1", "1,3"}};
    for (int page = 1; page <= 5; ++page) {
        ASSERT_TRUE(Send(pairs, PageName(1, page)));
        EXPECT_EQ(ReleasedGroups(), afterPairPage[page - 1]) << "after page " << page;
    }
    ASSERT_EQ(m_endJob(pairs), 1);
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "1,3", "1,5"}));

    // Fours: the settings file is read again for every job.
    WriteSettings(Nup(2));
    const int fours = StartJob();
    ASSERT_EQ(fours, 2);
    const Lines pairGroups = {"1,1", "1,3", "1,5"};
    const Lines withFirstFour = {"1,1", "1,3", "1,5", "2,1"};
    for (int page = 1; page <= 6; ++page) {
        ASSERT_TRUE(Send(fours, PageName(2, page)));
        EXPECT_EQ(ReleasedGroups(), page < 4 ? pairGroups : withFirstFour) << "after page " << page;
    }
    ASSERT_EQ(m_endJob(fours), 1);
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "1,3", "1,5", "2,1", "2,5"}));

    // Each page at once.
    WriteSettings(Nup(0));
    const int each = StartJob();
    ASSERT_EQ(each, 3);
    ASSERT_TRUE(Send(each, PageName(3, 1)));
    EXPECT_TRUE(PathExists(HandoffPath(3, 1)));
    ASSERT_TRUE(Send(each, PageName(3, 2)));
    ASSERT_EQ(m_endJob(each), 1);

    EXPECT_EQ(Sequence(Unload()),
              (Lines{"PRINT 1,1: j1p1.tif j1p2.tif", "PRINT 1,3: j1p3.tif j1p4.tif",
                     "PRINT 1,5: j1p5.tif", "SUSPEND", "RESUME",
                     "PRINT 2,1: j2p1.tif j2p2.tif j2p3.tif j2p4.tif",
                     "PRINT 2,5: j2p5.tif j2p6.tif", "SUSPEND", "RESUME",
                     "PRINT 3,1: j3p1.tif", "PRINT 3,2: j3p2.tif", "SUSPEND", "DELETE"}));
}

TEST_F(JobFlow, WholeJobIsHeldUntilItEndsWhenAllDataComeFirstOrCopiesAreSorted)
{
    LoadAndInit();
    // "PrintAfterReceivedAllData" holds the job whatever the N-up value says.
    PrintSettingsFile afterAll = Nup(1);
    afterAll.printAfterReceivedAllData = 1;
    WriteSettings(afterAll);
    const int first = StartJob();
    ASSERT_EQ(first, 1);
    for (int page = 1; page <= 3; ++page)
        ASSERT_TRUE(Send(first, PageName(1, page)));
    EXPECT_TRUE(ReleasedGroups().empty());
    ASSERT_EQ(m_endJob(first), 1);

    // Sorted copies hold the job when there are two copies or more...
    PrintSettingsFile sorted = Nup(2);
    sorted.sort = 1;
    WriteSettings(sorted);
    const int second = StartJob(2);
    ASSERT_EQ(second, 2);
    for (int page = 1; page <= 4; ++page)
        ASSERT_TRUE(Send(second, PageName(2, page)));
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1"}));
    ASSERT_EQ(m_endJob(second), 1);

    // ...and with one copy the N-up value decides.
    sorted.nup = 1;
    WriteSettings(sorted);
    const int third = StartJob(1);
    ASSERT_EQ(third, 3);
    ASSERT_TRUE(Send(third, PageName(3, 1)));
    ASSERT_TRUE(Send(third, PageName(3, 2)));
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "2,1", "3,1"}));
    ASSERT_EQ(m_endJob(third), 1);

    EXPECT_EQ(Sequence(Unload()),
              (Lines{"PRINT 1,1: j1p1.tif j1p2.tif j1p3.tif", "SUSPEND", "RESUME",
                     "PRINT 2,1: j2p1.tif j2p2.tif j2p3.tif j2p4.tif", "SUSPEND", "RESUME",
                     "PRINT 3,1: j3p1.tif j3p2.tif", "SUSPEND", "DELETE"}));
}

// Parameter: "b2ndJobPrintbyMethod".
class QueuedJobs : public EndToEndTest, public ::testing::WithParamInterface<int> {};

TEST_P(QueuedJobs, WaitingJobIsReleasedByItsMethodWhenItBecomesCurrent)
{
    LibraryConfig config;
    config.secondJobPrintByMethod = GetParam();
    WriteConfig(config);
    LoadAndInit();

    WriteSettings(Nup(0));
    const int first = StartJob();
    WriteSettings(Nup(1));
    const int second = StartJob();
    WriteSettings(Nup(2));
    const int third = StartJob();
    ASSERT_EQ((std::vector<int>{first, second, third}), (std::vector<int>{1, 2, 3}));

    // Pages of jobs that are not current wait, whatever their method; the
    // third job even ends while it waits.
    for (int page = 1; page <= 3; ++page)
        ASSERT_TRUE(Send(second, PageName(2, page)));
    for (int page = 1; page <= 6; ++page)
        ASSERT_TRUE(Send(third, PageName(3, page)));
    ASSERT_EQ(m_endJob(third), 1);
    EXPECT_TRUE(ReleasedGroups().empty());

    ASSERT_TRUE(Send(first, PageName(1, 1)));
    ASSERT_EQ(m_endJob(first), 1);
    // The second job is current now: its complete pair went out, page 3
    // waits for page 4.
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "2,1"}));
    ASSERT_TRUE(Send(second, PageName(2, 4)));
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "2,1", "2,3"}));
    ASSERT_EQ(m_endJob(second), 1);

    const Lines byMethod = {"PRINT 3,1: j3p1.tif j3p2.tif j3p3.tif j3p4.tif",
                            "PRINT 3,5: j3p5.tif j3p6.tif"};
    const Lines allAtOnce = {"PRINT 3,1: j3p1.tif j3p2.tif j3p3.tif j3p4.tif j3p5.tif j3p6.tif"};
    Lines expected = {"PRINT 1,1: j1p1.tif", "PRINT 2,1: j2p1.tif j2p2.tif",
                      "PRINT 2,3: j2p3.tif j2p4.tif"};
    const Lines& thirdJob = GetParam() != 0 ? byMethod : allAtOnce;
    expected.insert(expected.end(), thirdJob.begin(), thirdJob.end());
    expected.insert(expected.end(), {"SUSPEND", "DELETE"});
    EXPECT_EQ(Sequence(Unload()), expected);
}

INSTANTIATE_TEST_SUITE_P(SecondJobPrintByMethod, QueuedJobs, ::testing::Values(1, 0),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param != 0 ? "ByItsMethod" : "AllAtOnce");
                         });

// Parameter: "RemainScanedDataOnPC".
class AbortedJobs : public EndToEndTest, public ::testing::WithParamInterface<int> {};

TEST_P(AbortedJobs, HeldPagesAreDeletedOrKeptAndNothingIsHandedOver)
{
    const bool keep = GetParam() != 0;
    LibraryConfig config;
    config.remainScanedDataOnPC = GetParam();
    WriteConfig(config);
    LoadAndInit();

    WriteSettings(Nup(1));
    const int current = StartJob();
    WriteSettings(Nup(0));
    const int waiting = StartJob();
    ASSERT_EQ(current, 1);
    ASSERT_EQ(waiting, 2);
    ASSERT_TRUE(Send(waiting, "j2p1.tif"));
    ASSERT_EQ(m_abortJob(waiting), 1);
    for (int page = 1; page <= 3; ++page)
        ASSERT_TRUE(Send(current, PageName(1, page)));
    ASSERT_EQ(m_abortJob(current), 1);

    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1"}));
    EXPECT_EQ(PathExists(DataPath("j2p1.tif")), keep);
    EXPECT_EQ(PathExists(DataPath("j1p3.tif")), keep);
    EXPECT_TRUE(PathExists(DataPath("j1p1.tif")));  // handed over before the abort
    // An aborted job is closed: the host's later calls are refused.
    EXPECT_EQ(m_endJob(current), 0);
    EXPECT_EQ(Sequence(Unload()), (Lines{"PRINT 1,1: j1p1.tif j1p2.tif", "SUSPEND", "DELETE"}));
    EXPECT_TRUE(TakeBoxes().empty());

    if (keep) {
        ExpectLogInOrder(LogLines(), {{2001, "    remain all data"},
                                      {1020, " OK JP_AbortJob"},
                                      {1001, "    remain all data"},
                                      {1020, " OK JP_AbortJob"}});
    } else {
        ExpectLogInOrder(LogLines(),
                         {{2001, "  File \"" + DataPath("j2p1.tif") +
                                     "\" was Deleted without Print(AbortJob)"},
                          {1020, " OK JP_AbortJob"},
                          {1001, "  File \"" + DataPath("j1p3.tif") +
                                     "\" was Deleted without Print(AbortJob)"},
                          {1020, " OK JP_AbortJob"}});
    }
}

INSTANTIATE_TEST_SUITE_P(RemainScanedDataOnPC, AbortedJobs, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param != 0 ? "Kept" : "Deleted");
                         });

TEST_F(JobFlow, PagesWithTheSameFileNameAreBothKeptAndBothPrinted)
{
    PrintSettingsFile afterAll;
    afterAll.printAfterReceivedAllData = 1;
    WriteSettings(afterAll);
    LoadAndInit();
    const int id = StartJob();
    ASSERT_EQ(id, 1);
    // A scanner that writes every page under the same name, in two folders.
    ASSERT_TRUE(Send(id, "first\\scan.tif", "page one"));
    ASSERT_TRUE(Send(id, "second\\scan.tif", "page two"));
    ASSERT_EQ(m_endJob(id), 1);

    EXPECT_EQ(ReadShared(DataPath("scan.tif")), "page one");
    EXPECT_EQ(ReadShared(DataPath("scan(2).tif")), "page two");
    EXPECT_EQ(Sequence(Unload()), (Lines{"PRINT 1,1: scan.tif scan(2).tif", "SUSPEND", "DELETE"}));
}

}  // namespace
