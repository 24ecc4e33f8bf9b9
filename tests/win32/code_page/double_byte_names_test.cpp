// Page files with double-byte names, the host running under code page 932.
// "表" is 0x95 0x5C there: its trail byte is the backslash code, so a split
// that reads bytes from the end would cut the name after it.
#include <windows.h>

#include <set>
#include <string>

#include "end_to_end_fixture.h"

namespace {

// "表", "ページ" and "データ" in code page 932.
const std::string kHyo = "\x95\x5C";
const std::string kPage = "\x83\x79\x81\x5B\x83\x57";
const std::string kData = "\x83\x66\x81\x5B\x83\x5E";

class DoubleByteNames : public EndToEndTest {
protected:
    void SetUp() override
    {
        // Without code page 932 this test would prove nothing: say so loudly.
        ASSERT_EQ(GetACP(), 932u)
            << "the ANSI code page must be 932: under Wine run the test with "
               "LC_ALL=ja_JP.UTF-8 and LOCPATH naming a folder where that locale was "
               "built (localedef -i ja_JP -f UTF-8 <folder>/ja_JP.UTF-8)";
        ASSERT_TRUE(IsDBCSLeadByte(0x95));
        EndToEndTest::SetUp();
    }
};

TEST_F(DoubleByteNames, PagesEndingInATrailByteBackslashMoveUnderTheirOwnNames)
{
    LoadAndInit();
    const int id = StartJob();
    ASSERT_EQ(id, 1);

    // host\データ表\ページ表 and host\データ表\表.tif
    const std::string folder = HostPath(kData + kHyo);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
    const std::string first = kPage + kHyo;
    const std::string second = kHyo + ".tif";
    WriteWhole(folder + "\\" + first, "first page");
    WriteWhole(folder + "\\" + second, "second page");
    ASSERT_EQ(m_sendData(id, (folder + "\\" + first).c_str()), 1);
    ASSERT_EQ(m_sendData(id, (folder + "\\" + second).c_str()), 1);

    // Each page left the host's folder for the data folder under its own
    // name, and its page list names it there.
    EXPECT_TRUE(FilesIn(folder, true).empty());
    const std::set<std::string> both = {first, second};
    EXPECT_EQ(FilesIn(DataPath("")), Lines(both.begin(), both.end()));
    EXPECT_EQ(ReadShared(DataPath(first)), "first page");
    EXPECT_EQ(ReadShared(DataPath(second)), "second page");
    EXPECT_EQ(ReleasedGroups(), (Lines{"1,1", "1,2"}));
    EXPECT_EQ(ReadShared(HandoffPath(1, 1)), "1\r\n" + DataPath(first) + "\r\n");
    EXPECT_EQ(ReadShared(HandoffPath(1, 2)), "1\r\n" + DataPath(second) + "\r\n");
    ASSERT_EQ(m_endJob(id), 1);

    // The launcher got both pages by their data-folder paths.
    const LauncherRecord record = Unload();
    EXPECT_EQ(Sequence(record),
              (Lines{"PRINT 1,1: " + first, "PRINT 1,2: " + second, "SUSPEND", "DELETE"}));
    ASSERT_GE(record.messages.size(), 2u);
    EXPECT_EQ(record.messages[0].pageList, (Lines{"1", DataPath(first)}));
    EXPECT_EQ(record.messages[1].pageList, (Lines{"1", DataPath(second)}));
    for (const LogLine& line : LogLines())
        EXPECT_EQ(line.text.find("<<Error>>"), std::string::npos) << line.text;
    EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
