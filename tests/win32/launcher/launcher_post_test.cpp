// Posting to the launcher: messages arrive at its window, nothing is posted
// without a launcher or to a null window, a launcher that died is started
// again for a print message (or for groups it left unprinted) and given
// those groups again, and LM_DELETE ends it.
#include <string>
#include <vector>

#include "jobs/launcher_control_win32.h"
#include "jobs/launcher_state.h"
#include "launcher_fixture.h"
#include "setup/clog_file.h"
#include "shared_formats/launcher_messages.h"

namespace {

const char kPostFailedLine[] = "<<SYSTEM Error>>System Error PostMessage [::PostMessage Failed]";
const char kNoLauncherLine[] = "<<SYSTEM Error>>System Error PostMessage  [gFlag illegal]";
const char kRestartLine[] = "==>Luncher : KESTRO.EXE has gone, Create Luncher again";

class LauncherPost : public LauncherTest {
protected:
    void Start()
    {
        ASSERT_TRUE(CreateLauncher(m_installDir.c_str(), m_configPath.c_str()));
        ASSERT_TRUE(WaitForRecord("WINDOW "));
    }
    std::string PostedLine(uint32_t message, uint32_t wParam, uint32_t lParam) const
    {
        return " OK PostMessage(" + HexText(reinterpret_cast<UINT_PTR>(LauncherWindow())) + "," +
               std::to_string(message) + "," + std::to_string(wParam) + "," +
               std::to_string(lParam) + ")";
    }
    // Kills the running launcher the way a crash would.
    void KillLauncher()
    {
        const DWORD process = LauncherProcessId();
        EndProcess(process);
        ASSERT_TRUE(WaitForProcessEnd(process));
    }
};

TEST_F(LauncherPost, MessagesArriveAtTheLauncherWindowInOrder)
{
    SetDoubleOption("KESTRO_DOUBLE_DELETE_PRINTED", "1");
    Start();
    const std::string page7 = WriteDataFile("page7.dat");
    const std::string page8 = WriteDataFile("page8.dat");
    const std::string list = WriteHandoff(3, 7, {"2", page7, page8});
    const std::string settings = WriteHandoff(3, 0, {"[Number of Copies]", "Copies=2"});

    ASSERT_TRUE(PostToLauncher(3, 7, LM_PRINT));
    ASSERT_TRUE(PostToLauncher(0, 0, LM_SUSPEND));
    ASSERT_TRUE(PostToLauncher(0, 0, LM_RESUME));
    ASSERT_TRUE(WaitForRecord("MESSAGE 1127 0 0\n"));

    const std::string record = ReadRecord();
    const std::string print = "MESSAGE 1125 3 7\n"
                              "FILE " + list + "\n| 2\n| " + page7 + "\n| " + page8 + "\nEND FILE\n"
                              "FILE " + settings + "\n| [Number of Copies]\n| Copies=2\nEND FILE\n"
                              "DELETED " + page7 + "\nDELETED " + page8 + "\nDELETED " + list + "\n"
                              "MESSAGE 1126 0 0\n"
                              "MESSAGE 1127 0 0\n";
    EXPECT_NE(record.find(print), std::string::npos) << record;
    EXPECT_EQ(GetFileAttributesA(page7.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(settings.c_str()), INVALID_FILE_ATTRIBUTES);

    const int posted = FindLog(PostedLine(LM_PRINT, 3, 7));
    ASSERT_GE(posted, 0);
    EXPECT_GT(FindLog(PostedLine(LM_SUSPEND, 0, 0), posted), posted);
    EXPECT_EQ(LogLines()[posted].number, "0");
}

TEST_F(LauncherPost, NothingIsPostedWhileNoLauncherCountsAsRunning)
{
    Start();
    gbLuncherExist = 0;
    EXPECT_FALSE(PostToLauncher(1, 1, LM_PRINT));
    EXPECT_TRUE(LogHas(kNoLauncherLine));
    EXPECT_EQ(gLog.LastErrorNumber(), 10);
    EXPECT_FALSE(LogHas(PostedLine(LM_PRINT, 1, 1)));
    EXPECT_FALSE(LogHas(kRestartLine));
    EXPECT_TRUE(m_diagnostics.boxes.empty());
}

TEST_F(LauncherPost, NeverPostsToANullWindow)
{
    // A failed start forgets the window; a flag set by mistake then finds none.
    EXPECT_FALSE(CreateLauncher(m_installDir.c_str(), (m_root + "\\none.cfg").c_str()));
    ASSERT_EQ(LauncherWindow(), nullptr);
    gbLuncherExist = 1;

    EXPECT_FALSE(PostToLauncher(0, 0, LM_SUSPEND));
    EXPECT_TRUE(LogHas(kPostFailedLine));
    EXPECT_EQ(gLog.LastErrorNumber(), 9);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, LM_PRINT, LM_DELETE, PM_REMOVE))
        << "a post to a null window lands in the poster's own queue";
}

TEST_F(LauncherPost, LauncherThatDiedIsStartedAgainForAPrintMessage)
{
    Start();
    const DWORD first = LauncherProcessId();
    KillLauncher();
    const std::string list = WriteHandoff(2, 1, {"1", WriteDataFile("page1.dat")});

    ASSERT_TRUE(PostToLauncher(2, 1, LM_PRINT));
    EXPECT_EQ(gbLuncherExist, 1);
    EXPECT_NE(LauncherProcessId(), first);
    ASSERT_TRUE(WaitForRecord("MESSAGE 1125 2 1\n"));
    const std::vector<DWORD> started = StartedProcesses();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[1], LauncherProcessId());
    const std::string record = ReadRecord();
    EXPECT_GT(record.find("MESSAGE 1125 2 1\n"), record.rfind("START "));

    // The failed post is logged, then the restart, then the post that worked.
    const int failed = FindLog(kPostFailedLine);
    ASSERT_GE(failed, 0);
    const int restart = FindLog(kRestartLine, failed);
    ASSERT_GT(restart, failed);
    EXPECT_GT(FindLog(PostedLine(LM_PRINT, 2, 1), restart), restart);
    EXPECT_TRUE(m_diagnostics.boxes.empty());

    // Other messages are not worth a new launcher while no group waits (the
    // launcher deleted the page list of what it printed): error 9.
    ASSERT_TRUE(DeleteFileA(list.c_str()));
    KillLauncher();
    const size_t linesBefore = LogLines().size();
    EXPECT_FALSE(PostToLauncher(0, 0, LM_SUSPEND));
    EXPECT_EQ(gLog.LastErrorNumber(), 9);
    EXPECT_EQ(FindLog(kRestartLine, static_cast<int>(linesBefore)), -1);
    EXPECT_EQ(gbLuncherExist, 1);
}

TEST_F(LauncherPost, GroupsLeftUnprintedArePostedAgainToTheNextLauncherInOrder)
{
    // The double prints (deletes) the first group only and holds the others.
    SetDoubleOption("KESTRO_DOUBLE_DELETE_PRINTED", "1");
    SetDoubleOption("KESTRO_DOUBLE_PRINT_LIMIT", "1");
    Start();
    std::vector<std::string> lists;
    for (uint32_t page = 1; page <= 3; ++page) {
        lists.push_back(WriteHandoff(5, page, {"1", WriteDataFile("p" + std::to_string(page))}));
        ASSERT_TRUE(PostToLauncher(5, page, LM_PRINT));
    }
    ASSERT_TRUE(WaitForRecord("MESSAGE 1125 5 3\n"));
    ASSERT_EQ(GetFileAttributesA(lists[0].c_str()), INVALID_FILE_ATTRIBUTES);
    KillLauncher();

    // LM_DELETE never starts a launcher.
    EXPECT_FALSE(PostToLauncher(0, 0, LM_DELETE));
    EXPECT_FALSE(LogHas(kRestartLine));

    // LM_RESUME does while groups wait. This start fails, so they wait on.
    const std::string program = m_installDir + "\\KESTRO.EXE";
    const std::string away = m_installDir + "\\KESTRO.away";
    ASSERT_TRUE(MoveFileA(program.c_str(), away.c_str()));
    EXPECT_FALSE(PostToLauncher(0, 0, LM_RESUME));
    EXPECT_EQ(gLog.LastErrorNumber(), 40);
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_TRUE(LogHas(kRestartLine));
    EXPECT_EQ(m_diagnostics.boxes.size(), 1u);
    ASSERT_TRUE(MoveFileA(away.c_str(), program.c_str()));

    // The next launcher gets them first, in their order, and prints them.
    SetDoubleOption("KESTRO_DOUBLE_PRINT_LIMIT", nullptr);
    Start();
    ASSERT_TRUE(WaitForRecord("DELETED " + lists[2]));
    const std::string record = ReadRecord();
    const size_t second = record.rfind("START ");
    const size_t again2 = record.find("MESSAGE 1125 5 2\n", second);
    EXPECT_NE(again2, std::string::npos) << record;
    EXPECT_GT(record.find("MESSAGE 1125 5 3\n", second), again2);
    EXPECT_EQ(record.find("MESSAGE 1125 5 1\n", second), std::string::npos);
    for (const std::string& list : lists)
        EXPECT_EQ(GetFileAttributesA(list.c_str()), INVALID_FILE_ATTRIBUTES) << list;
    const int first = FindLog("==>Luncher : post again (5,2)");
    ASSERT_GE(first, 0);
    EXPECT_EQ(LogLines()[first + 1].text, PostedLine(LM_PRINT, 5, 2));
    EXPECT_EQ(FindLog("==>Luncher : post again (5,3)", first), first + 2);
    EXPECT_EQ(FindLog("==>Luncher : post again (5,1)"), -1);

    // Printed groups are not given again: with none waiting, no restart.
    KillLauncher();
    const int linesBefore = static_cast<int>(LogLines().size());
    EXPECT_FALSE(PostToLauncher(0, 0, LM_SUSPEND));
    EXPECT_EQ(gLog.LastErrorNumber(), 9);
    EXPECT_EQ(FindLog(kRestartLine, linesBefore), -1);
    EXPECT_EQ(StartedProcesses().size(), 2u);
}

TEST_F(LauncherPost, PrintMessageFailsWhenTheRestartFails)
{
    Start();
    KillLauncher();
    ASSERT_TRUE(DeleteFileA((m_installDir + "\\KESTRO.EXE").c_str()));

    EXPECT_FALSE(PostToLauncher(4, 1, LM_PRINT));
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_TRUE(LogHas(kRestartLine));
    EXPECT_TRUE(LogHas(" <<Error>> fail Creatproc(kestro.exe)"));
    EXPECT_EQ(gLog.LastErrorNumber(), 40);
    EXPECT_EQ(m_diagnostics.boxes.size(), 1u);
    EXPECT_EQ(StartedProcesses().size(), 1u);
}

TEST_F(LauncherPost, DeleteLauncherPostsLmDeleteAndTheLauncherEnds)
{
    SetDoubleOption("KESTRO_DOUBLE_EXIT_ON_DELETE", "1");
    Start();
    const DWORD process = LauncherProcessId();
    const std::string posted = PostedLine(LM_DELETE, 0, 0);

    DeleteLauncher();
    EXPECT_EQ(gbLuncherExist, 0);
    ASSERT_TRUE(WaitForRecord("MESSAGE 1128 0 0\nEXIT\n"));
    EXPECT_TRUE(WaitForProcessEnd(process));

    const std::vector<LogLine> lines = LogLines();
    const int first = FindLog("==>Luncher : Delete KESTRO.EXE");
    ASSERT_GE(first, 0);
    ASSERT_EQ(lines.size(), static_cast<size_t>(first) + 4);
    EXPECT_EQ(lines[first + 1].text, posted);
    EXPECT_EQ(lines[first + 2].text, " OK DeleteLuncher");
    EXPECT_EQ(lines[first + 3].text, "------------------------------");

    // With no launcher left the post is refused and the flag stays 0.
    DeleteLauncher();
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_EQ(gLog.LastErrorNumber(), 10);
    const std::vector<LogLine> again = LogLines();
    ASSERT_GE(again.size(), 2u);
    EXPECT_EQ(again[again.size() - 2].text, " NG DeleteLuncher");
}

}  // namespace
