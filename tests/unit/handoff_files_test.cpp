// Hand-off file names, the bytes of page-list files, the keys of the job
// settings file and the errors of the writers, against an in-memory file
// system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_handoff_files.h"
#include "jobport_readers/config_record.h"
#include "jobs/handoff_files.h"
#include "shared_formats/handoff_file_name.h"

namespace {

using handoff_test::FakeHandoffFiles;
using handoff_test::ProfileWrite;
using handoff_test::Report;

const char kTemp[] = "C:\\TEMP\\";

std::string Name(const char* temp, uint32_t jobId, uint32_t page)
{
    char name[kPathBufferSize];
    if (!HandoffFileName(temp, jobId, page, name, sizeof name))
        return "<none>";
    return name;
}

TEST(HandoffFileNameTest, PadsNumbersWithSpacesAndWidensOnlyWhenNeeded)
{
    EXPECT_EQ(Name(kTemp, 1, 0), "C:\\TEMP\\KST_ 1  0.$$$");
    EXPECT_EQ(Name(kTemp, 1, 1), "C:\\TEMP\\KST_ 1  1.$$$");
    EXPECT_EQ(Name(kTemp, 1, 999), "C:\\TEMP\\KST_ 1999.$$$");
    EXPECT_EQ(Name(kTemp, 255, 0), "C:\\TEMP\\KST_255  0.$$$");
    EXPECT_EQ(Name(kTemp, 255, 1), "C:\\TEMP\\KST_255  1.$$$");
    EXPECT_EQ(Name(kTemp, 3, 12), "C:\\TEMP\\KST_ 3 12.$$$");
    EXPECT_EQ(Name(kTemp, 12, 100), "C:\\TEMP\\KST_12100.$$$");
    EXPECT_EQ(Name(kTemp, 7, 1000), "C:\\TEMP\\KST_ 71000.$$$");
}

TEST(HandoffFileNameTest, NameThatDoesNotFitIsRefusedNotShortened)
{
    // Folder + 13 characters: 259 fit a 260-byte buffer, 260 do not.
    const std::string fits(kPathBufferSize - 1 - 13, 'T');
    const std::string tooLong = fits + "T";
    EXPECT_EQ(Name(fits.c_str(), 1, 999).size(), kPathBufferSize - 1);
    EXPECT_EQ(Name(tooLong.c_str(), 1, 1), "<none>");
    // No folder: a bare name would land in whatever folder is current.
    EXPECT_EQ(Name("", 1, 1), "<none>");

    char name[kPathBufferSize] = "old";
    EXPECT_FALSE(HandoffFileName(tooLong.c_str(), 1, 1, name, sizeof name));
    EXPECT_STREQ(name, "");
    char small[8] = "old";
    EXPECT_FALSE(HandoffFileName("", 1, 1, small, sizeof small));
    EXPECT_STREQ(small, "");
}

class HandoffWriterTest : public ::testing::Test {
protected:
    FakeHandoffFiles files;
};

TEST_F(HandoffWriterTest, PageListIsCountLineThenOnePathALineWithCrLf)
{
    ASSERT_TRUE(WritePageListFile(files, kTemp, 3, 1, {"C:\\KESTRO\\Data\\p1.bmp"}));
    EXPECT_EQ(files.files["C:\\TEMP\\KST_ 3  1.$$$"], "1\r\nC:\\KESTRO\\Data\\p1.bmp\r\n");

    const std::vector<std::string> paths = {"C:\\D\\Data\\a.bmp", "C:\\D\\Data\\b.bmp",
                                            "C:\\D\\Data\\c(2).bmp", "C:\\D\\Data\\d"};
    ASSERT_TRUE(WritePageListFile(files, kTemp, 5, 5, paths));
    EXPECT_EQ(files.files["C:\\TEMP\\KST_ 5  5.$$$"],
              "4\r\nC:\\D\\Data\\a.bmp\r\nC:\\D\\Data\\b.bmp\r\nC:\\D\\Data\\c(2).bmp\r\n"
              "C:\\D\\Data\\d\r\n");
    // One open a page list.
    EXPECT_EQ(files.opens.size(), 2u);
    EXPECT_EQ(files.openFiles, 0);
    EXPECT_TRUE(files.reports.empty());
}

TEST_F(HandoffWriterTest, CountLineEmptiesALeftOverFileAndLaterLinesAppend)
{
    files.files["C:\\TEMP\\KST_ 2  1.$$$"] = "stale\r\n";
    ASSERT_TRUE(WriteHandoffLine(files, kTemp, 2, 1, "2", false));
    ASSERT_TRUE(WriteHandoffLine(files, kTemp, 2, 1, "x", true));
    EXPECT_EQ(files.files["C:\\TEMP\\KST_ 2  1.$$$"], "2\r\nx\r\n");
    // A line break inside the text ends its line the same way.
    ASSERT_TRUE(WriteHandoffLine(files, kTemp, 2, 1, "a\nb", false));
    EXPECT_EQ(files.files["C:\\TEMP\\KST_ 2  1.$$$"], "a\r\nb\r\n");
}

TEST_F(HandoffWriterTest, LineErrorsAreReportedWithTheJobIdAndLeaveNoFileOpen)
{
    const std::string longTemp(kPathBufferSize, 'T');
    EXPECT_FALSE(WriteHandoffLine(files, longTemp.c_str(), 9, 1, "1", false));
    EXPECT_TRUE(files.opens.empty());

    files.failOpenNumber = 1;
    EXPECT_FALSE(WriteHandoffLine(files, kTemp, 9, 1, "1", false));

    files.failWriteNumber = 1;
    EXPECT_FALSE(WriteHandoffLine(files, kTemp, 9, 1, "1", false));
    EXPECT_EQ(files.openFiles, 0);

    files.failWriteNumber = 0;
    files.failClose = true;
    EXPECT_FALSE(WriteHandoffLine(files, kTemp, 9, 1, "1", false));

    const std::vector<Report> expected = {{32, 9}, {33, 9}, {34, 9}, {34, 9}};
    EXPECT_EQ(files.reports, expected);
    EXPECT_EQ(files.openFiles, 0);
}

TEST_F(HandoffWriterTest, PageListStopsAtTheFirstFailedLine)
{
    // Count line: writes 1-2; first path: 3-4; the second path fails.
    files.failWriteNumber = 5;
    EXPECT_FALSE(WritePageListFile(files, kTemp, 4, 3, {"C:\\a", "C:\\b", "C:\\c"}));
    EXPECT_EQ(files.opens.size(), 1u);
    EXPECT_EQ(files.reports, (std::vector<Report>{{34, 4}}));
    EXPECT_EQ(files.openFiles, 0);

    FakeHandoffFiles noOpen;
    noOpen.failOpenNumber = 1;
    EXPECT_FALSE(WritePageListFile(noOpen, kTemp, 4, 3, {"C:\\a", "C:\\b"}));
    EXPECT_EQ(noOpen.opens.size(), 1u);
    EXPECT_EQ(noOpen.reports, (std::vector<Report>{{33, 4}}));
}

TEST_F(HandoffWriterTest, PageListRefusesAPathLongerThanAPathBufferBeforeWriting)
{
    const std::string fits = "C:\\" + std::string(kPathBufferSize - 4, 'p');
    ASSERT_EQ(fits.size(), kPathBufferSize - 1);
    EXPECT_TRUE(WritePageListFile(files, kTemp, 1, 1, {fits}));
    EXPECT_EQ(files.files["C:\\TEMP\\KST_ 1  1.$$$"], "1\r\n" + fits + "\r\n");

    FakeHandoffFiles other;
    EXPECT_FALSE(WritePageListFile(other, kTemp, 1, 2, {"C:\\ok", fits + "p"}));
    EXPECT_TRUE(other.opens.empty());
    EXPECT_EQ(other.reports, (std::vector<Report>{{34, 1}}));
}

TEST_F(HandoffWriterTest, SettingsFileHoldsCopiesThenTheSevenValuesInOrder)
{
    PrintSettings settings;
    settings.PrintPosSetting = 4;
    settings.SortSetting = 1;
    settings.PrintSizeSetting = 0;
    settings.NupPrintSetting = 2;
    settings.PageFramePrintSetting = 1;
    settings.AutoRotatePrintSetting = 0;
    settings.AutoPaperChange = 255;
    ASSERT_TRUE(WriteJobSettingsFile(files, kTemp, 3, 999, settings));

    const std::string name = "C:\\TEMP\\KST_ 3  0.$$$";
    const std::vector<std::vector<std::string>> expected = {
        {"Number of Copies", "Copies", "999"},
        {"Print Setting", "PrintPosSetting", "4"},
        {"Print Setting", "SortSetting", "1"},
        {"Print Setting", "PrintSizeSetting", "0"},
        {"Print Setting", "NupPrintSetting", "2"},
        {"Print Setting", "PageFramePrintSetting", "1"},
        {"Print Setting", "AutoRotatePrintSetting", "0"},
        {"Print Setting", "AutoPaperChange", "255"},
    };
    ASSERT_EQ(files.profileWrites.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const ProfileWrite& w = files.profileWrites[i];
        EXPECT_EQ(w.path, name);
        EXPECT_EQ((std::vector<std::string>{w.section, w.key, w.value}), expected[i]) << i;
    }
    EXPECT_TRUE(files.reports.empty());
}

TEST_F(HandoffWriterTest, SettingsFileFailsOnlyWhenTheFirstLayoutKeyFailsWithAReason)
{
    const PrintSettings settings;
    // Copies and the later keys are not checked.
    files.profileFailures = {{"Copies", 5}, {"SortSetting", 5}, {"AutoPaperChange", 5}};
    EXPECT_TRUE(WriteJobSettingsFile(files, kTemp, 2, 1, settings));
    // A failure without a system reason does not stop the job.
    files.profileFailures = {{"PrintPosSetting", 0}};
    EXPECT_TRUE(WriteJobSettingsFile(files, kTemp, 2, 1, settings));
    EXPECT_TRUE(files.reports.empty());

    files.profileWrites.clear();
    files.profileFailures = {{"PrintPosSetting", 5}};
    EXPECT_FALSE(WriteJobSettingsFile(files, kTemp, 2, 1, settings));
    EXPECT_EQ(files.profileWrites.size(), 2u);
    EXPECT_EQ(files.reports, (std::vector<Report>{{3, 2}}));

    FakeHandoffFiles noName;
    const std::string longTemp(kPathBufferSize, 'T');
    EXPECT_FALSE(WriteJobSettingsFile(noName, longTemp.c_str(), 2, 1, settings));
    EXPECT_TRUE(noName.profileWrites.empty());
    EXPECT_EQ(noName.reports, (std::vector<Report>{{32, 2}}));
}

}  // namespace
