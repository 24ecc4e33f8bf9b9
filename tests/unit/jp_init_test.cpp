// JP_init's steps against fake platform services and a real debug log file:
// where the registry reads stop, which lines are written, what the data
// folder loses, what a second JP_init keeps, and the result.
#include <algorithm>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "fake_setup_platform.h"
#include "jobs/job_counter.h"
#include "jobs/job_engine.h"
#include "jobs/job_id_table.h"
#include "jobs/job_table.h"
#include "jobs/launcher_state.h"
#include "setup/clog_file.h"
#include "setup/install_folders.h"
#include "setup/library_config.h"
#include "setup/library_init.h"

namespace {

const char kKey[] = "SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate";
const char kDataPattern[] = "C:\\Kestro\\sys\\Data\\*.*";
const char kHandoffPattern[] = "C:\\temp\\KST_*.$$$";
const char* const kValueNames[] = {"Debug Log Path", "Directory Path", "Setting Path",
                                   "System Directory"};

class JpInitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLibraryAsLoaded();
        char pattern[] = "/tmp/jpinitXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_logDir = std::string(pattern) + "/";
        m_files.readable = {"C:\\host\\KESTRO.cfg"};
        m_files.listings[kDataPattern] = {
            {".", true}, {"..", true}, {"old1.tmp", false}, {"keep", true}, {"old2.tmp", false}};
        const std::string values[] = {m_logDir, "C:\\Kestro", "C:\\Kestro\\ini", "C:\\Kestro\\sys"};
        for (int i = 0; i < 4; ++i)
            m_registry.SetText(kKey, kValueNames[i], values[i]);
        // Folders an earlier run may have left.
        std::snprintf(gIniDir, sizeof gIniDir, "stale");
        std::snprintf(gDataDir, sizeof gDataDir, "stale");
    }
    void TearDown() override
    {
        ResetLibraryAsLoaded();
        std::remove((m_logDir + "KESTROd.LOG").c_str());
        std::remove((m_logDir + "KESTROe.log").c_str());
        rmdir(m_logDir.c_str());
    }

    int32_t Init(const char* caller = "Scan")
    {
        return InitLibrary(caller, SetupPlatform{m_profile, m_registry, m_files});
    }

    // "<number>|<text>" of each log line, record 1 to the newest.
    std::vector<std::string> LogLines() const
    {
        std::ifstream in(m_logDir + "KESTROd.LOG", std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        const std::string file = all.str();
        std::vector<std::string> lines;
        const size_t newest = file.empty() ? 0 : std::strtoul(file.c_str(), nullptr, 10) / 300;
        for (size_t i = 1; i <= newest && (i + 1) * 300 <= file.size(); ++i) {
            std::string text = file.substr(i * 300 + 28, 269);
            text.erase(text.find_last_not_of(' ') + 1);
            lines.push_back(std::to_string(std::atoi(file.substr(i * 300 + 22, 5).c_str())) +
                            "|" + text);
        }
        return lines;
    }

    // Registry calls of reading the values up to `last`; the value `last`
    // itself is read only when its size was acceptable.
    std::vector<std::string> ReadsUpTo(int last, bool lastRead) const
    {
        std::vector<std::string> calls = {std::string("open ") + kKey};
        for (int i = 0; i <= last; ++i) {
            calls.push_back(std::string("size ") + kValueNames[i]);
            if (i < last || lastRead)
                calls.push_back(std::string("read ") + kValueNames[i]);
        }
        calls.push_back("close");
        return calls;
    }

    FakeProfile m_profile;
    FakeRegistry m_registry;
    FakeFileSystem m_files;
    std::string m_logDir;
};

TEST_F(JpInitTest, ReadyInstallationWritesStartLinesAndEmptiesTheDataFolder)
{
    m_profile.Set("C:\\Kestro\\ini\\KESTROst.ini", "Velora Config", "PrintAfterReceivedAllData",
                  "1");
    ASSERT_EQ(Init("Scan"), 1);

    EXPECT_EQ(m_registry.calls, ReadsUpTo(3, true));
    EXPECT_EQ(LogLines(), std::vector<std::string>(
                              {"1020|------------------------------JP_Init(Scan) was Called",
                               "0|  SubKey:SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate",
                               "0|  ini file path:C:\\Kestro\\ini", "0|  exe file path:C:\\Kestro",
                               "0|  log file path:" + m_logDir, "1020| OK JP_Init"}));
    // Files by full path, each held before the page lists are read (a page
    // handed over meanwhile is named there), folders kept, current directory
    // restored, then both logs created.
    EXPECT_EQ(m_files.calls, std::vector<std::string>(
                                 {std::string("list ") + kDataPattern,
                                  "hold C:\\Kestro\\sys\\Data\\old1.tmp",
                                  "hold C:\\Kestro\\sys\\Data\\old2.tmp",
                                  std::string("list ") + kHandoffPattern,
                                  "remove C:\\Kestro\\sys\\Data\\old1.tmp",
                                  "remove C:\\Kestro\\sys\\Data\\old2.tmp", "chdir C:\\host",
                                  "create " + m_logDir + "KESTROd.LOG",
                                  "create " + m_logDir + "KESTROe.log"}));
    EXPECT_STREQ(gSettingFile, "C:\\Kestro\\ini\\KESTROst.ini");
    EXPECT_EQ(gConfig.PrintAfterReceivedAllData, 1);
}

TEST_F(JpInitTest, MissingCfgOrKeyFailsWithoutWritingOrDeleting)
{
    gJobCnt.IncrementWithLimit(5);
    gbLuncherExist = 1;
    m_files.readable.clear();
    EXPECT_EQ(Init(), 0);
    EXPECT_TRUE(m_registry.calls.empty());
    EXPECT_EQ(gJobCnt.Count(), 0u);  // the job state is reset all the same
    EXPECT_EQ(gbLuncherExist, 0);

    m_files.readable = {"C:\\host\\KESTRO.cfg"};
    m_registry.keys.clear();
    EXPECT_EQ(Init(), 0);
    EXPECT_EQ(m_registry.calls.size(), 1u);
    EXPECT_TRUE(m_files.calls.empty());
    EXPECT_TRUE(LogLines().empty());
}

class MissingValueTest : public JpInitTest, public ::testing::WithParamInterface<int> {};

TEST_P(MissingValueTest, ReadingStopsThereAndOnlyTheClosingLineIsWritten)
{
    const int missing = GetParam();
    m_registry.keys[kKey].erase(kValueNames[missing]);
    EXPECT_EQ(Init(), 1);
    EXPECT_EQ(m_registry.calls, ReadsUpTo(missing, false));
    // Without the log folder even the closing line has nowhere to go.
    EXPECT_EQ(LogLines(), missing == 0 ? std::vector<std::string>()
                                       : std::vector<std::string>{"1020| OK JP_Init"});
    EXPECT_STREQ(gLog.LogPath(), missing == 0 ? "" : (m_logDir + "KESTROd.LOG").c_str());
    EXPECT_STREQ(gIniDir, missing > 2 ? "C:\\Kestro\\ini" : "");
    EXPECT_STREQ(gSettingFile, missing > 2 ? "C:\\Kestro\\ini\\KESTROst.ini" : "");
    EXPECT_STREQ(gDataDir, "");
    EXPECT_TRUE(m_files.calls.empty());  // no log files, data folder untouched
}

INSTANTIATE_TEST_SUITE_P(EachValue, MissingValueTest, ::testing::Values(0, 1, 2, 3));

// Only an absolute folder is used, in one form: a relative or rooted value
// would put the settings, pages and launcher wherever the host runs.
TEST_F(JpInitTest, OnlyAbsoluteFoldersAreReadAndTheyLoseTrailingSeparators)
{
    const struct {
        std::string value;
        const char* kept;  // null: unreadable, and the values after it unread
    } kCases[] = {
        {"", nullptr},
        {std::string(260, 's'), nullptr},
        {"Kestro\\ini", nullptr},
        {"\\Kestro\\ini", nullptr},
        {"C:Kestro", nullptr},
        {"\\\\", nullptr},
        {"C:\\Kestro\\ini\\\\", "C:\\Kestro\\ini"},
        {"c:/Kestro/ini/", "c:/Kestro/ini"},
        {"C:\\", "C:\\"},
        {"\\\\server\\share\\", "\\\\server\\share"},
    };
    for (const auto& c : kCases) {
        m_registry.SetText(kKey, "Setting Path", c.value);
        m_registry.calls.clear();
        EXPECT_EQ(Init(), 1);
        EXPECT_EQ(m_registry.calls, c.kept ? ReadsUpTo(3, true) : ReadsUpTo(2, c.value.size() < 260))
            << c.value;
        EXPECT_STREQ(gIniDir, c.kept ? c.kept : "") << c.value;
        EXPECT_STREQ(gDataDir, c.kept ? "C:\\Kestro\\sys" : "") << c.value;
    }
    // A value stored without terminator still fits when it leaves room for one.
    m_registry.keys[kKey]["Setting Path"] = "C:\\" + std::string(256, 'i');
    m_registry.keys[kKey]["System Directory"] = "C:\\" + std::string(257, 'd');
    Init();
    EXPECT_EQ(gIniDir, "C:\\" + std::string(256, 'i'));
    EXPECT_STREQ(gSettingFile, "");  // folder + "\\KESTROst.ini" does not fit
    EXPECT_STREQ(gDataDir, "");
}

// A second JP_init keeps what the first one's jobs still need: the open jobs,
// the launcher, the pages they hold and the pages that waiting hand-off files
// name. Everything else in the data folder goes, and ids start at 1 again.
TEST_F(JpInitTest, SecondInitKeepsJobsLauncherAndWaitingPages)
{
    ASSERT_EQ(Init(), 1);
    EXPECT_TRUE(LibraryIsReady());
    const uint32_t id = gJobIdTable.NextJobId();
    gJobCnt.IncrementWithLimit(5);
    gJobTable.Append(id, 1).dataTable.Append("C:\\Kestro\\sys\\Data\\held.tif");
    gbLuncherExist = 1;

    m_files.listings[kHandoffPattern] = {
        {"KST_ 1  0.$$$", false}, {"KST_ 1  1.$$$", false}, {"notes.txt", false}};
    // Paths compare as Windows resolves them: case, separators, "." and "..".
    m_files.texts["C:\\temp\\KST_ 1  1.$$$"] = "3\r\nc:\\kestro\\SYS\\data\\p1.tif\r\n"
                                                "C:\\Kestro\\sys\\Data\\p2.tif\r\n"
                                                "c:/Kestro//sys/x/../Data/./p3.tif\r\n";
    // Another host process has busy.tif open: it stays untouched.
    m_files.listings[kDataPattern] = {{"p1.tif", false}, {"p2.tif", false}, {"p3.tif", false},
                                      {"held.tif", false}, {"busy.tif", false}, {"old.tif", false}};
    m_files.inUse = {"C:\\Kestro\\sys\\Data\\busy.tif"};
    m_files.calls.clear();
    ASSERT_EQ(Init(), 1);
    const std::string data = "C:\\Kestro\\sys\\Data\\";
    EXPECT_EQ(m_files.calls,
              std::vector<std::string>({std::string("list ") + kDataPattern, "hold " + data + "p1.tif",
                                        "hold " + data + "p2.tif", "hold " + data + "p3.tif",
                                        "hold " + data + "old.tif",
                                        std::string("list ") + kHandoffPattern,
                                        "remove " + data + "old.tif", "chdir C:\\host",
                                        "create " + m_logDir + "KESTROd.LOG",
                                        "create " + m_logDir + "KESTROe.log"}));
    EXPECT_EQ(gJobCnt.Count(), 1u);
    EXPECT_EQ(gbLuncherExist, 1);
    EXPECT_NE(FindJob(id), nullptr);
    EXPECT_EQ(gJobIdTable.NextJobId(), 1u);

    // A failed JP_init refuses the exports until one succeeds; the jobs stay.
    m_files.readable.clear();
    EXPECT_EQ(Init(), 0);
    EXPECT_FALSE(LibraryIsReady());
    EXPECT_EQ(gJobCnt.Count(), 1u);
}

TEST_F(JpInitTest, FailedCloseOrUnwritableLogGivesZero)
{
    m_registry.closeFails = true;
    EXPECT_EQ(Init(), 0);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"1020| NG JP_Init"});
    EXPECT_EQ(std::count(m_files.calls.begin(), m_files.calls.end(),
                         "remove C:\\Kestro\\sys\\Data\\old1.tmp"), 1);

    m_registry.closeFails = false;
    m_registry.SetText(kKey, "Debug Log Path", m_logDir + "missing/");
    EXPECT_EQ(Init(), 0);
}

}  // namespace
