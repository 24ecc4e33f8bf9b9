// What becomes of a group's pages that cannot be printed: which files are
// kept and what the user is told, the names of kept files, the placeholder
// that takes a page's place, and which paths are pages of the data folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobport_readers/ansi_code_page.h"
#include "launcher/data_folder_pages.h"
#include "launcher/group_pages.h"
#include "launcher/job_notice.h"
#include "launcher/kept_files.h"
#include "launcher/placeholder_page.h"

namespace {

bool IsCodePage932Lead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool SingleByte(unsigned char) { return false; }

GroupPage Page(size_t file, uint32_t frame, uint32_t frames, const std::string& failure = "")
{
    GroupPage page;
    page.file = file;
    page.frame = frame;
    page.fileFrames = frames;
    page.failure = failure;
    return page;
}

TEST(LauncherUnprintedPages, FilesWithAnUnprintedPageAreKeptAndTheUserToldOfEach)
{
    // Pages 7 to 9 of job 4: a good page, a file that is no picture, and a
    // three-page TIFF whose second page cannot be decoded.
    const std::vector<GroupFile> files = {{"C:\\D\\Data\\a.bmp", 7, ""},
                                          {"C:\\D\\Data\\junk.bmp", 8, "not an image"},
                                          {"C:\\D\\Data\\fax.tif", 9, ""}};
    const std::vector<GroupPage> pages = {Page(0, 0, 1), Page(1, 0, 1, "not an image"),
                                          Page(2, 0, 3), Page(2, 1, 3, "cannot be decoded"),
                                          Page(2, 2, 3)};
    std::vector<UnprintedPage> printed = UnprintedPagesOf(files, pages, true, "");
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].jobPage, 8u);
    EXPECT_EQ(printed[0].frame, 0u);
    EXPECT_EQ(printed[1].jobPage, 9u);
    EXPECT_EQ(printed[1].frame, 2u);
    EXPECT_TRUE(printed[1].marked);
    EXPECT_EQ((std::vector<bool>{IsKept(printed, 0), IsKept(printed, 1), IsKept(printed, 2)}),
              (std::vector<bool>{false, true, true}));

    // The printer failed: every file is kept, each with the printer's reason.
    const std::vector<UnprintedPage> lost = UnprintedPagesOf(files, pages, false, "no printer");
    ASSERT_EQ(lost.size(), 3u);
    EXPECT_EQ(lost[0].reason, "no printer");
    EXPECT_EQ(lost[2].reason, "no printer; besides, cannot be decoded");
    EXPECT_EQ(lost[2].frame, 0u);
    EXPECT_FALSE(lost[2].marked);

    printed[0].keptAs = "C:\\D\\Data\\Not printed (anna)\\x job 4 page 8 - junk.bmp";
    printed[1].notKept = "error 5";
    EXPECT_EQ(UnprintedLogLine(4, printed[1]),
              "job 4 page 9 (page 2 of the file) not printed: cannot be decoded: "
              "C:\\D\\Data\\fax.tif, not kept (error 5)");

    JobNotice notice;
    EXPECT_TRUE(notice.Empty());
    notice.AddGroupProblem(1, "nothing of it was printed: its page list names C:\\Windows\\win.ini");
    for (const UnprintedPage& page : printed)
        notice.Add(page);
    const std::string text = notice.BoxText("The scan could not be printed.", 4, "C:\\L\\k.log");
    for (const char* part :
         {"The scan could not be printed.\n\nJob 4: 2 pages were not printed.\n",
          "Group from page 1: nothing of it was printed: its page list names C:\\Windows\\win.ini.\n",
          "Page 8, junk.bmp: not an image.\n    Kept as C:\\D\\Data\\Not printed (anna)\\x job 4 page 8 - junk.bmp\n",
          "Page 9 (page 2 of the file), fax.tif: cannot be decoded.\n    Not kept (error 5): still C:\\D\\Data\\fax.tif\n",
          "marked sheet or place", "never deleted", "The launcher log C:\\L\\k.log"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\nin\n" << text;

    // A long list names twelve entries and counts the rest.
    for (int i = 0; i < 11; ++i)
        notice.Add(printed[0]);
    EXPECT_NE(notice.BoxText("", 4, "").find("(and 2 more)"), std::string::npos);
    notice.Clear();
    EXPECT_TRUE(notice.Empty());
}

TEST(LauncherUnprintedPages, KeptFilesTellWhenWhichJobAndPageAndNeverOutgrowAPath)
{
    SetAnsiLeadByteTest(IsCodePage932Lead);
    const KeptStamp when = {2025, 3, 4, 9, 5, 7};
    EXPECT_EQ(KeptFileName(when, 7, 3, "scan.tif", 1, 100), "2025-03-04 09-05-07 job 7 page 3 - scan.tif");
    EXPECT_EQ(KeptFileName(when, 7, 3, "scan.tif", 2, 100),
              "2025-03-04 09-05-07 job 7 page 3 (2) - scan.tif");
    // Too long with its own name: the extension stays; then nothing fits.
    EXPECT_EQ(KeptFileName(when, 7, 3, std::string(90, 'x') + ".tif", 1, 100),
              "2025-03-04 09-05-07 job 7 page 3.tif");
    EXPECT_EQ(KeptFileName(when, 7, 3, "scan.tif", 1, 20), "");
    EXPECT_EQ(KeptFileName(when, 7, 3, "noextension" + std::string(90, 'x'), 1, 40),
              "2025-03-04 09-05-07 job 7 page 3");

    // "表" ends in the backslash code and is a name all the same.
    EXPECT_EQ(KeptFolderName("anna"), "Not printed (anna)");
    EXPECT_EQ(KeptFolderName("\x95\x5C"), "Not printed (\x95\x5C)");
    for (const char* unfit : {"", "bad:name", "dots.", "tab\tname"})
        EXPECT_EQ(KeptFolderName(unfit), "Not printed") << unfit;
    EXPECT_EQ(KeptFolderSecurity("S-1-5-21-1-2-3-1001"),
              "D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1001)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
    SetAnsiLeadByteTest(nullptr);
}

TEST(LauncherUnprintedPages, OnlyFilesDirectlyInTheDataFolderArePages)
{
    const std::string data = "C:\\Kestro\\sys\\Data";
    EXPECT_TRUE(IsInDataFolder("c:\\kestro\\SYS\\data\\a.bmp", data, IsCodePage932Lead));
    EXPECT_FALSE(IsInDataFolder(data + "\\Not printed (anna)\\a.bmp", data, IsCodePage932Lead));
    EXPECT_FALSE(IsInDataFolder(data + "\\..\\a.bmp", data, IsCodePage932Lead));
    EXPECT_FALSE(IsInDataFolder(data + "\\a.bmp", "", IsCodePage932Lead));
    EXPECT_FALSE(IsInDataFolder(data + "\\" + std::string(260, 'a'), data, IsCodePage932Lead));
    // A name ending in "表" lies directly in the folder; read byte by byte it
    // would look like a sub-folder.
    EXPECT_TRUE(IsInDataFolder(data + "\\\x95\x5C" + "a.bmp", data, IsCodePage932Lead));
    EXPECT_FALSE(IsInDataFolder(data + "\\\x95\x5C" + "a.bmp", data, SingleByte));
}

TEST(LauncherUnprintedPages, APlaceholderFillsItsCellAndReadsTheWayItsSheetIsRead)
{
    LayoutOptions options;
    options.pagesPerSheet = 2;
    options.autoRotate = true;
    // A portrait sheet at 300 dpi: two landscape cells, one above the other.
    const int32_t width = 2400;
    const int32_t height = 3300;
    const PageImageSize first = FirstCellPlaceholderSize(width, height, 300, 300, options, 150);
    EXPECT_FALSE(SheetReadTurned(first, width, height, 300, 300, options))
        << "a placeholder first leaves the sheet upright";
    const std::vector<Rect> cells = SheetCells(first, width, height, 300, 300, options);
    for (bool turned : {false, true}) {
        const PageImageSize size = PlaceholderSize(cells[1], 300, 300, turned, 150);
        EXPECT_EQ(size.dpiX, 150);
        const PagePlacement placed = PlacePage(size, cells[1], 300, 300, options);
        EXPECT_EQ(placed.rotate, turned);
        EXPECT_NEAR(placed.target.Width(), cells[1].Width(), 2);
        EXPECT_NEAR(placed.target.Height(), cells[1].Height(), 2);
    }

    const GroupFile file = {"C:\\D\\Data\\fax.tif", 9, ""};
    const std::vector<std::string> lines = PlaceholderLines(4, file, Page(0, 1, 3, "cannot be decoded"));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Page 9 of job 4 could not be printed");
    EXPECT_EQ(lines[1], "File: fax.tif (page 2 of 3 in the file)");
    EXPECT_EQ(lines[2], "Reason: cannot be decoded.");
}

}  // namespace
