// Starting the launcher: its command line, its window, and the launchers
// that come up too slowly or without a window.
#include <string>

#include "jobs/launcher_control_win32.h"
#include "jobs/launcher_state.h"
#include "launcher_fixture.h"
#include "setup/clog_file.h"
#include "setup/library_config.h"

namespace {

const char kTimeoutLine[] = " <<Error>> fail Creatproc(kestro.exe) timeout";

using LauncherStart = LauncherTest;

TEST_F(LauncherStart, StartsTheLauncherWithItsCommandLineAndKeepsItsWindow)
{
    ASSERT_TRUE(CreateLauncher(m_installDir.c_str(), m_configPath.c_str()));
    EXPECT_EQ(gbLuncherExist, 1);

    // The installation folder has a blank in its name; the launcher still
    // gets exactly this text.
    const std::string commandLine = m_installDir + "\\KESTRO.EXE \"" + m_configPath + "\"";
    ASSERT_TRUE(WaitForRecord("WINDOW "));
    EXPECT_NE(ReadRecord().find("COMMAND LINE " + commandLine + "\n"), std::string::npos)
        << ReadRecord();

    // The window kept is the launcher's own, not a helper window of its thread.
    const HWND window = LauncherWindow();
    ASSERT_NE(window, nullptr);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "KestroDoubleWindow");
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, LauncherProcessId());
    ASSERT_EQ(StartedProcesses().size(), 1u);
    EXPECT_EQ(StartedProcesses()[0], LauncherProcessId());
    EXPECT_NE(ReadRecord().find("WINDOW " + HexText(reinterpret_cast<UINT_PTR>(window)) + "\n"),
              std::string::npos);

    const std::vector<LogLine> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "==>Luncher : Create Luncher  " + commandLine);
    EXPECT_EQ(lines[0].number, "0");
    const std::string created =
        " OK CreateProcess()  dwProcessId:" + HexText(LauncherProcessId()) + ", dwThreadId:";
    EXPECT_EQ(lines[1].text.compare(0, created.size(), created), 0) << lines[1].text;
    const std::string flag = ", gbLuncherExist=0";
    ASSERT_GT(lines[1].text.size(), flag.size());
    EXPECT_EQ(lines[1].text.substr(lines[1].text.size() - flag.size()), flag);
    EXPECT_TRUE(m_diagnostics.boxes.empty());
}

TEST_F(LauncherStart, WindowThatAppearsAfterTheLauncherBecameIdleIsFound)
{
    SetDoubleOption("KESTRO_DOUBLE_WINDOW_DELAY_MS", "700");
    ASSERT_TRUE(CreateLauncher(m_installDir.c_str(), m_configPath.c_str()));
    EXPECT_EQ(gbLuncherExist, 1);
    ASSERT_NE(LauncherWindow(), nullptr);
    EXPECT_NE(ReadRecord().find("WINDOW " +
                                HexText(reinterpret_cast<UINT_PTR>(LauncherWindow())) + "\n"),
              std::string::npos);
}

TEST_F(LauncherStart, LauncherNotIdleWithinChildTimeOutIsEndedWithError41)
{
    gConfig.ChildTimeOut = 300;
    SetDoubleOption("KESTRO_DOUBLE_START_DELAY_MS", "60000");
    gbLuncherExist = 1;  // whatever it was, a failed start leaves 0

    const DWORD start = GetTickCount();
    EXPECT_FALSE(CreateLauncher(m_installDir.c_str(), m_configPath.c_str()));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_EQ(LauncherWindow(), nullptr);
    // It never became idle: the wait, not the window search, gave up.
    const std::vector<LogLine> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.compare(0, 29, "==>Luncher : Create Luncher  "), 0);
    EXPECT_EQ(lines[1].text, kTimeoutLine);
    EXPECT_EQ(gLog.LastErrorNumber(), 41);
    EXPECT_EQ(m_diagnostics.boxes.size(), 1u);

    ASSERT_TRUE(WaitForRecord("START "));
    ASSERT_EQ(StartedProcesses().size(), 1u);
    EXPECT_TRUE(WaitForProcessEnd(StartedProcesses()[0]));
    EXPECT_EQ(ReadRecord().find("WINDOW "), std::string::npos);
}

TEST_F(LauncherStart, LauncherWithoutWindowCountsAsNotStarted)
{
    gConfig.ChildTimeOut = 1500;
    SetDoubleOption("KESTRO_DOUBLE_NO_WINDOW", "1");

    const DWORD start = GetTickCount();
    EXPECT_FALSE(CreateLauncher(m_installDir.c_str(), m_configPath.c_str()));
    EXPECT_LT(GetTickCount() - start, 1500u + 2000u);  // the limit, not for ever
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_EQ(LauncherWindow(), nullptr);
    // It became idle, then showed no window within the rest of the limit.
    const std::vector<LogLine> lines = LogLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].text.compare(0, 20, " OK CreateProcess() "), 0) << lines[1].text;
    const int noWindow = FindLog("==>Luncher : KESTRO.EXE has no window");
    ASSERT_EQ(noWindow, 2);
    EXPECT_GT(FindLog(kTimeoutLine, noWindow), noWindow);
    EXPECT_EQ(gLog.LastErrorNumber(), 41);

    ASSERT_EQ(StartedProcesses().size(), 1u);
    EXPECT_TRUE(WaitForProcessEnd(StartedProcesses()[0]));
}

TEST_F(LauncherStart, MissingConfigurationFileStartsNothingAndReportsNothing)
{
    gbLuncherExist = 1;
    EXPECT_FALSE(CreateLauncher(m_installDir.c_str(), (m_root + "\\none\\KESTRO.cfg").c_str()));
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(m_diagnostics.boxes.empty());
    EXPECT_TRUE(ReadRecord().empty());
}

TEST_F(LauncherStart, ProgramPathThatDoesNotFitIsRefusedNotCut)
{
    // A folder of 248 characters gives a program path of 259: the most that fits.
    const std::string longest = "C:\\" + std::string(245, 'd');
    const std::string tooLong = longest + "d";
    EXPECT_FALSE(CreateLauncher(tooLong.c_str(), m_configPath.c_str()));
    EXPECT_EQ(gbLuncherExist, 0);
    EXPECT_TRUE(LogHas("<<Error>>cannot alloc memory at commandline"));
    EXPECT_EQ(LogLines().size(), 2u);  // the reason and the error, no "Create Luncher"
    EXPECT_EQ(gLog.LastErrorNumber(), 17);

    // One character less reaches the process creation (which fails: no such folder).
    EXPECT_FALSE(CreateLauncher(longest.c_str(), m_configPath.c_str()));
    const std::string line = "==>Luncher : Create Luncher  " + longest + "\\KESTRO.EXE \"" +
                             m_configPath + "\"";
    EXPECT_TRUE(LogHas(line.substr(0, 269)));  // the log keeps 269 characters of a line
    EXPECT_TRUE(LogHas(" <<Error>> fail Creatproc(kestro.exe)"));
    EXPECT_EQ(gLog.LastErrorNumber(), 40);
    EXPECT_TRUE(ReadRecord().empty());
}

}  // namespace
