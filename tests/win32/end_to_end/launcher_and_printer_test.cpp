// What the host and the user notice when the launcher or the printer fails:
// a launcher too slow to start, no default printer or one that prints into a
// file, and a launcher that dies in the middle of a job, with or without
// groups queued in it.
//
// A printer the spooler reports as not available cannot be set up in Wine
// (its spooler always reports status 0), so that refusal is not tested here.
#include <string>
#include <vector>

#include "end_to_end_fixture.h"

namespace {

using LauncherAndPrinter = EndToEndTest;

TEST_F(LauncherAndPrinter, LauncherSlowerThanChildTimeOutIsEndedAndTheJobRefused)
{
    // Long enough for a launcher that starts normally (the retry below) on
    // a busy machine, far shorter than the slow one's start.
    LibraryConfig config;
    config.childTimeOut = 1500;
    WriteConfig(config);
    SetDoubleOption("KESTRO_DOUBLE_START_DELAY_MS", "30000");
    LoadAndInit();

    int id = -1;
    const DWORD start = GetTickCount();
    EXPECT_EQ(m_startJob(&id, 1), 0);
    EXPECT_LT(GetTickCount() - start, 10000u) << "waited for the launcher, not ChildTimeOut";
    const std::vector<SeenBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kBoxCaption);
    EXPECT_EQ(boxes[0].text, kGeneralBoxText);

    const LauncherRecord slow = Record();
    ASSERT_EQ(slow.processes.size(), 1u);
    EXPECT_TRUE(WaitForProcessEnd(slow.processes[0], 10000)) << "the slow launcher still runs";
    EXPECT_TRUE(slow.messages.empty());
    EXPECT_EQ(slow.exits, 0u);  // ended from outside, not on its own

    // Nothing of the refused job is left: the next job starts a launcher
    // that is quick enough and prints.
    SetDoubleOption("KESTRO_DOUBLE_START_DELAY_MS", nullptr);
    const int next = StartJob();
    ASSERT_EQ(next, 1);
    ASSERT_TRUE(Send(next, "page.tif"));
    ASSERT_EQ(m_endJob(next), 1);
    const LauncherRecord record = Unload();
    EXPECT_EQ(record.processes.size(), 2u);
    EXPECT_EQ(Sequence(record), (Lines{"PRINT 1,1: page.tif", "SUSPEND", "DELETE"}));
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(LauncherAndPrinter, NoDefaultPrinterOrOneOnFileIsRefusedWithItsBox)
{
    std::string error;
    ASSERT_TRUE(wine_printers::RemoveAllPrinters(error)) << error;
    LoadAndInit();

    int id = -1;
    EXPECT_EQ(m_startJob(&id, 1), 0);
    EXPECT_EQ(id, 0);
    std::vector<SeenBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kBoxCaption);
    EXPECT_EQ(boxes[0].text, kGeneralBoxText);

    // A printer that prints into a file: only the port box, no general box.
    UseDefaultPrinterOnPort("JP end-to-end file printer", "FILE:");
    id = -1;
    EXPECT_EQ(m_startJob(&id, 1), 0);
    EXPECT_EQ(id, 0);
    boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kBoxCaption);
    EXPECT_EQ(boxes[0].text, kPortBoxText);
    EXPECT_TRUE(Record().processes.empty()) << "a refused job started the launcher";

    const std::vector<LogLine> log = LogLines();
    auto has = [&log](const char* text) {
        for (const LogLine& line : log)
            if (line.text == text)
                return true;
        return false;
    };
    EXPECT_TRUE(has("<<Error>>DID NOT printout : PrintDlg() failed"));
    EXPECT_TRUE(has("<<Error>>DID NOT printout : Printer port was set to FILE:"));

    // With its check switched off the same printer is accepted. No launcher
    // runs yet, so the library can be initialised again with the new file.
    LibraryConfig config;
    config.portIsFileCheck = 0;
    WriteConfig(config);
    ASSERT_EQ(m_init("E2E host"), 1);
    const int accepted = StartJob();
    EXPECT_EQ(accepted, 1);
    ASSERT_EQ(m_endJob(accepted), 1);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(Sequence(Unload()), (Lines{"SUSPEND", "DELETE"}));
}

TEST_F(LauncherAndPrinter, LauncherKilledMidJobIsStartedAgainAndEveryPageReachesALauncher)
{
    // The double leaves what it is told about: the first group looks like
    // one the launcher was printing when it died, and is printed again.
    LoadAndInit();
    const int id = StartJob();
    ASSERT_EQ(id, 1);
    ASSERT_TRUE(Send(id, "j1p1.tif"));
    const LauncherRecord before = WaitForMessages(1);
    ASSERT_EQ(before.messages.size(), 1u);
    ASSERT_EQ(before.processes.size(), 1u);
    EndProcess(before.processes[0]);  // the way a crash ends it
    ASSERT_TRUE(WaitForProcessEnd(before.processes[0], 10000));

    ASSERT_TRUE(Send(id, "j1p2.tif"));
    ASSERT_TRUE(Send(id, "j1p3.tif"));
    ASSERT_EQ(m_endJob(id), 1);
    const LauncherRecord record = Unload();

    ASSERT_EQ(record.processes.size(), 2u);
    EXPECT_EQ(record.commandLines[1], record.commandLines[0]);
    EXPECT_EQ(Sequence(record), (Lines{"PRINT 1,1: j1p1.tif", "PRINT 1,1: j1p1.tif",
                                       "PRINT 1,2: j1p2.tif", "PRINT 1,3: j1p3.tif", "SUSPEND",
                                       "DELETE"}));
    std::vector<size_t> launchers;
    for (const LauncherMessage& message : record.messages)
        launchers.push_back(message.launcher);
    EXPECT_EQ(launchers, (std::vector<size_t>{0, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(TakeBoxes().empty());
}

class LauncherKilledWithGroupsQueued : public EndToEndTest {
protected:
    // Job 1 hands over `pages` single-page groups; the launcher prints the
    // first and still holds the others when it is killed. The launcher
    // started again prints (and deletes) everything it is given.
    void HandOverAndKill(int pages)
    {
        SetDoubleOption("KESTRO_DOUBLE_DELETE_PRINTED", "1");
        SetDoubleOption("KESTRO_DOUBLE_PRINT_LIMIT", "1");
        ASSERT_NO_FATAL_FAILURE(LoadAndInit());
        ASSERT_EQ(StartJob(), 1);
        for (int page = 1; page <= pages; ++page)
            ASSERT_TRUE(Send(1, "j1p" + std::to_string(page) + ".tif"));
        const LauncherRecord before = WaitForMessages(pages);
        ASSERT_EQ(before.messages.size(), static_cast<size_t>(pages));
        ASSERT_EQ(before.processes.size(), 1u);
        EXPECT_EQ(ReleasedGroups().size(), static_cast<size_t>(pages - 1));
        EndProcess(before.processes[0]);
        ASSERT_TRUE(WaitForProcessEnd(before.processes[0], 10000));
        SetDoubleOption("KESTRO_DOUBLE_PRINT_LIMIT", nullptr);
    }

    static std::vector<size_t> Launchers(const LauncherRecord& record)
    {
        std::vector<size_t> launchers;
        for (const LauncherMessage& message : record.messages)
            launchers.push_back(message.launcher);
        return launchers;
    }

    // The log lines from the restart on that name it or a group posted again.
    std::vector<std::string> RestartLines() const
    {
        std::vector<std::string> lines;
        for (const LogLine& line : LogLines())
            if (line.text.find("Create Luncher again") != std::string::npos ||
                line.text.find("post again") != std::string::npos)
                lines.push_back(line.text);
        return lines;
    }

    // Every page was printed and deleted; of the job only its settings
    // file is left, which a real launcher deletes when the job ends.
    void ExpectNothingLeft() const
    {
        EXPECT_TRUE(FilesIn(DataPath("")).empty());
        EXPECT_EQ(FilesIn(m_tempDir), (Lines{"KST_ 1  0.$$$"}));
        EXPECT_EQ(FilesIn(m_hostDir), (Lines{"KESTRO.cfg"}));
    }
};

TEST_F(LauncherKilledWithGroupsQueued, NextPageGivesTheNewLauncherTheQueuedGroupsFirst)
{
    ASSERT_NO_FATAL_FAILURE(HandOverAndKill(4));

    ASSERT_TRUE(Send(1, "j1p5.tif"));
    ASSERT_EQ(m_endJob(1), 1);
    const LauncherRecord record = Unload();

    ASSERT_EQ(record.processes.size(), 2u);
    EXPECT_EQ(Sequence(record),
              (Lines{"PRINT 1,1: j1p1.tif", "PRINT 1,2: j1p2.tif", "PRINT 1,3: j1p3.tif",
                     "PRINT 1,4: j1p4.tif", "PRINT 1,2: j1p2.tif", "PRINT 1,3: j1p3.tif",
                     "PRINT 1,4: j1p4.tif", "PRINT 1,5: j1p5.tif", "SUSPEND", "DELETE"}));
    EXPECT_EQ(Launchers(record), (std::vector<size_t>{0, 0, 0, 0, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(RestartLines(), (Lines{"==>Luncher : KESTRO.EXE has gone, Create Luncher again",
                                     "==>Luncher : post again (1,2)",
                                     "==>Luncher : post again (1,3)",
                                     "==>Luncher : post again (1,4)"}));
    ExpectNothingLeft();
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(LauncherKilledWithGroupsQueued, EndOfTheJobStartsALauncherForTheQueuedGroups)
{
    ASSERT_NO_FATAL_FAILURE(HandOverAndKill(3));

    // Suspending is worth a new launcher only while groups wait.
    ASSERT_EQ(m_endJob(1), 1);
    const LauncherRecord restarted = WaitForMessages(6);
    ASSERT_EQ(restarted.processes.size(), 2u);
    EXPECT_TRUE(ReleasedGroups().empty());
    EXPECT_EQ(RestartLines(), (Lines{"==>Luncher : KESTRO.EXE has gone, Create Luncher again",
                                     "==>Luncher : post again (1,2)",
                                     "==>Luncher : post again (1,3)"}));

    // The next job goes to the new launcher; nothing printed is posted again.
    ASSERT_EQ(StartJob(), 2);
    ASSERT_TRUE(Send(2, "j2p1.tif"));
    ASSERT_EQ(m_endJob(2), 1);
    const LauncherRecord record = Unload();

    EXPECT_EQ(record.processes.size(), 2u);
    EXPECT_EQ(Sequence(record),
              (Lines{"PRINT 1,1: j1p1.tif", "PRINT 1,2: j1p2.tif", "PRINT 1,3: j1p3.tif",
                     "PRINT 1,2: j1p2.tif", "PRINT 1,3: j1p3.tif", "SUSPEND", "RESUME",
                     "PRINT 2,1: j2p1.tif", "SUSPEND", "DELETE"}));
    EXPECT_EQ(Launchers(record), (std::vector<size_t>{0, 0, 0, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(RestartLines().size(), 3u);
    EXPECT_TRUE(FilesIn(DataPath("")).empty());
    EXPECT_EQ(FilesIn(m_tempDir), (Lines{"KST_ 1  0.$$$", "KST_ 2  0.$$$"}));
    EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
