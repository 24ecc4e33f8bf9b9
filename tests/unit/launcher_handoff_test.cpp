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

TEST(LauncherPageList, EveryNamedPageIsTakenAndADifferenceFromTheCountIsTold)
{
    struct Case {
        const char* text;
        bool named;
        std::vector<std::string> pages;
        const char* problem;  // part of the problem told; "" none
    } cases[] = {
        {"2\r\nC:\\data dir\\a.bmp\r\nC:\\b.tif\r\n\r\n", true, {"C:\\data dir\\a.bmp", "C:\\b.tif"}, ""},
        // Cut short, or with more than it announces: what is named prints.
        {"3\r\nC:\\a.bmp\r\nC:\\b.bmp\r\n", true, {"C:\\a.bmp", "C:\\b.bmp"}, "announces 3 page(s) but names 2"},
        {"1\nC:\\a.bmp\nC:\\b.bmp", true, {"C:\\a.bmp", "C:\\b.bmp"}, "announces 1"},
        // A damaged count line; one that is a path names the first page.
        {"two\r\nC:\\a.bmp\r\n", true, {"C:\\a.bmp"}, "not a page count"},
        {"C:\\a.bmp\r\nC:\\b.bmp\r\n", true, {"C:\\a.bmp", "C:\\b.bmp"}, "not a page count"},
        {"", false, {}, "not a page count"},
        {"0\r\n", false, {}, "not a page count"},
        {"2\r\n\r\n \r\n", false, {}, "names 0"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> pages{"left from before"};
        std::string problem;
        EXPECT_EQ(ParsePageList(c.text, pages, problem), c.named) << c.text;
        EXPECT_EQ(pages, c.pages) << c.text;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.text << ": " << problem;
        EXPECT_EQ(problem.empty(), std::string(c.problem).empty()) << c.text;
    }
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

TEST(LauncherJobTracker, AJobEndsWithTheNextJobOrWhenNoneIsLeft)
{
    JobTracker jobs;
    EXPECT_EQ(jobs.GroupArrives(3, 1).jobId, 0u);
    EXPECT_EQ(jobs.GroupArrives(3, 3).jobId, 0u);
    const EndedJob third = jobs.GroupArrives(4, 1);
    EXPECT_EQ(third.jobId, 3u);
    EXPECT_FALSE(third.settingsFileGone);
    const EndedJob fourth = jobs.NoJobLeft();
    EXPECT_EQ(fourth.jobId, 4u);
    EXPECT_FALSE(fourth.settingsFileGone);
    EXPECT_EQ(jobs.NoJobLeft().jobId, 0u);
}

TEST(LauncherJobTracker, ANewJobUnderTheSameIdEndsTheOldOneButKeepsItsOwnSettings)
{
    // Ids start again after 255: the new job's settings file has the old
    // one's name and is already written. The old job still ends (its user
    // is told what of it was not printed).
    JobTracker jobs;
    jobs.GroupArrives(9, 1);
    const EndedJob old = jobs.GroupArrives(9, 1);
    EXPECT_EQ(old.jobId, 9u);
    EXPECT_TRUE(old.settingsFileGone);
    EXPECT_FALSE(jobs.NoJobLeft().settingsFileGone);
}

}  // namespace
