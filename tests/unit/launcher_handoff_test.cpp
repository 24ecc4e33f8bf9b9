// What the launcher reads from the library: its command line, the page-list
// file of a group, the job's settings file, and when a job has ended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/command_line.h"
#include "launcher/job_settings.h"
#include "launcher/job_tracker.h"
#include "launcher/page_list.h"
#include "fake_setup_platform.h"

namespace {

TEST(LauncherCommandLineParsing, TheConfigurationPathIsTheLastQuotedText)
{
    // As the library starts it: an unquoted program path, blanks and all.
    EXPECT_EQ(ConfigPathFromCommandLine(
                  "C:\\Program Files\\Kestro\\KESTRO.EXE \"D:\\scan dir\\KESTRO.cfg\""),
              "D:\\scan dir\\KESTRO.cfg");
    EXPECT_EQ(ConfigPathFromCommandLine("\"C:\\K\\KESTRO.EXE\" \"D:\\KESTRO.cfg\"  "),
              "D:\\KESTRO.cfg");
    EXPECT_EQ(ConfigPathFromCommandLine("\"C:\\K\\KESTRO.EXE\" D:\\KESTRO.cfg"), "D:\\KESTRO.cfg");
    EXPECT_EQ(ConfigPathFromCommandLine("C:\\K\\kestro.exe D:\\KESTRO.cfg"), "D:\\KESTRO.cfg");
    EXPECT_EQ(ConfigPathFromCommandLine("\"C:\\K\\KESTRO.EXE\""), "");
}

TEST(LauncherPageList, CountLineThenOnePathPerPageOrTheFileIsRefusedWhole)
{
    std::vector<std::string> pages;
    std::string reason;
    ASSERT_TRUE(ParsePageList("2\r\nC:\\data dir\\a.bmp\r\nC:\\b.tif\r\n\r\n", pages, reason));
    EXPECT_EQ(pages, (std::vector<std::string>{"C:\\data dir\\a.bmp", "C:\\b.tif"}));

    EXPECT_FALSE(ParsePageList("3\r\nC:\\a.bmp\r\nC:\\b.bmp\r\n", pages, reason));
    EXPECT_TRUE(pages.empty());
    EXPECT_FALSE(ParsePageList("1\r\nC:\\a.bmp\r\nC:\\b.bmp\r\n", pages, reason));
    for (const char* bad : {"", "0\r\n", "two\r\nC:\\a.bmp\r\n", "1x\r\nC:\\a.bmp\r\n"})
        EXPECT_FALSE(ParsePageList(bad, pages, reason)) << bad;
}

TEST(LauncherJobSettings, AbsentKeysTakeTheLibrarysDefaultsAndValuesTheirLowEightBits)
{
    FakeProfile profile;
    const LayoutOptions defaults = LayoutFromSettings(ReadJobSettings("none", profile));
    EXPECT_EQ(defaults.copies, 1);
    EXPECT_EQ(defaults.horizontal, Align::Centre);
    EXPECT_EQ(defaults.vertical, Align::Centre);
    EXPECT_FALSE(defaults.fitToArea);
    EXPECT_TRUE(defaults.autoRotate);
    EXPECT_EQ(defaults.pagesPerSheet, 1);

    profile.Set("f", "Print Setting", "PrintPosSetting", "261");  // 5 in its low 8 bits
    profile.Set("f", "Print Setting", "NupPrintSetting", "2");
    profile.Set("f", "Print Setting", "PrintSizeSetting", "0");
    const LayoutOptions read = LayoutFromSettings(ReadJobSettings("f", profile));
    EXPECT_EQ(read.horizontal, Align::Centre);
    EXPECT_EQ(read.vertical, Align::End);
    EXPECT_EQ(read.pagesPerSheet, 4);
    EXPECT_TRUE(read.fitToArea);
}

TEST(LauncherJobSettings, ValuesNoProgramWritesTakeTheirNearestSoundMeaning)
{
    JobSettings settings;
    settings.print.PrintPosSetting = 44;
    settings.print.NupPrintSetting = 3;
    settings.print.SortSetting = 1;
    settings.copies = 0;
    LayoutOptions layout = LayoutFromSettings(settings);
    EXPECT_EQ(layout.horizontal, Align::Centre);
    EXPECT_EQ(layout.vertical, Align::Centre);
    EXPECT_EQ(layout.pagesPerSheet, 1);
    EXPECT_EQ(layout.copies, 1);
    EXPECT_FALSE(layout.sorted);
    settings.copies = 5000;
    EXPECT_EQ(LayoutFromSettings(settings).copies, 999);
    EXPECT_TRUE(LayoutFromSettings(settings).sorted);
    settings.print.SortSetting = 2;  // the library did not hold the job back
    EXPECT_FALSE(LayoutFromSettings(settings).sorted);
}

TEST(LauncherJobTracker, AJobEndsWithTheNextJobOrWhenNoneIsLeftKeepingSettingsAfterAFailure)
{
    JobTracker jobs;
    EXPECT_EQ(jobs.GroupArrives(3, 1).jobId, 0u);
    EXPECT_EQ(jobs.GroupArrives(3, 3).jobId, 0u);
    jobs.GroupFailed();
    const EndedJob third = jobs.GroupArrives(4, 1);
    EXPECT_EQ(third.jobId, 3u);
    EXPECT_TRUE(third.keepSettings);
    const EndedJob fourth = jobs.NoJobLeft();
    EXPECT_EQ(fourth.jobId, 4u);
    EXPECT_FALSE(fourth.keepSettings);
    EXPECT_EQ(jobs.NoJobLeft().jobId, 0u);
}

TEST(LauncherJobTracker, ANewJobUnderTheSameIdDoesNotDeleteItsOwnSettings)
{
    // Ids start again after 255: the new job's settings file has the old
    // one's name and is already written.
    JobTracker jobs;
    jobs.GroupArrives(9, 1);
    jobs.GroupFailed();
    EXPECT_EQ(jobs.GroupArrives(9, 1).jobId, 0u);
    EXPECT_FALSE(jobs.NoJobLeft().keepSettings) << "the failure belonged to the old job";
}

}  // namespace
