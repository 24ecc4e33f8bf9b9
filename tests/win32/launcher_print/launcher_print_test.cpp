// KESTRO.EXE as the library drives it: hand-off files in the temporary
// folder, LM_PRINT per group, LM_SUSPEND and LM_DELETE. What the printer
// receives is rendered with Ghostscript and the ink is measured: which page
// came out where, how large, how often and in which order.
#include <windows.h>
#include <winspool.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "print_fixture.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

// Page k of a job is a black bar k half inches wide and half an inch high:
// its printed width tells which page it is.
const double kUnit = 0.5;

int PageNumber(const RenderedPage& page, const InchBox& within = InchBox())
{
    InchBox box;
    if (!page.InkBox(box, within))
        return 0;
    return static_cast<int>(std::lround(box.Width() / kUnit));
}

std::vector<int> PageNumbers(const std::vector<RenderedPage>& pages)
{
    std::vector<int> numbers;
    for (const RenderedPage& page : pages)
        numbers.push_back(PageNumber(page));
    return numbers;
}

InchBox Quarter(const InchBox& area, int column, int row, int columns, int rows)
{
    const double width = area.Width() / columns;
    const double height = area.Height() / rows;
    return InchBox{area.left + column * width, area.top + row * height,
                   area.left + (column + 1) * width, area.top + (row + 1) * height};
}

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class LauncherPrint : public LauncherPrintTest {
protected:
    std::string Numbered(int k, const std::string& tag = "")
    {
        return WritePage("page" + tag + std::to_string(k) + ".bmp", 50 * k, 50, AllInk);
    }
};

TEST_F(LauncherPrint, CopiesComeOutSetAfterSetWhenSortedAndPageByPageOtherwise)
{
    JobOptions sorted;
    sorted.copies = 2;
    sorted.sort = 1;
    WriteJobSettings(21, sorted);
    const std::vector<std::string> first = {Numbered(1, "a"), Numbered(2, "a"), Numbered(3, "a")};
    ASSERT_TRUE(PrintGroup(21, 1, first));
    EXPECT_EQ(PageNumbers(Printed()), (std::vector<int>{1, 2, 3, 1, 2, 3}));
    for (const std::string& page : first)
        EXPECT_FALSE(Exists(page)) << page;
    EXPECT_TRUE(Exists(HandoffPath(21, 0))) << "more groups of the job may follow";

    JobOptions unsorted;
    unsorted.copies = 2;
    WriteJobSettings(22, unsorted);
    ASSERT_TRUE(PrintGroup(22, 1, {Numbered(1, "b"), Numbered(2, "b"), Numbered(3, "b")}));
    EXPECT_EQ(PageNumbers(Printed()), (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_FALSE(Exists(HandoffPath(21, 0))) << "job 21 ended when job 22 began";
    EXPECT_TRUE(Exists(HandoffPath(22, 0)));

    Post(kSuspend);
    EXPECT_TRUE(WaitUntilGone(HandoffPath(22, 0))) << "no job is left: job 22 has ended";
}

TEST_F(LauncherPrint, BlackAndWhiteScansPrintLikeColourOnes)
{
    // One bit per pixel, as scanners write: page 2's bar.
    std::string page = Output();
    page.replace(page.rfind('\\'), std::string::npos, "\\data\\mono2.bmp");
    ASSERT_TRUE(WriteMonochromeBmpPage(page, 100, 50, AllInk));
    WriteJobSettings(31, JobOptions());
    ASSERT_TRUE(PrintGroup(31, 1, {page}));
    const std::vector<RenderedPage> sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(PageNumber(sheets[0]), 2);
}

TEST_F(LauncherPrint, TwoAndFourPagesPerSheetFillTheCellsInPageOrder)
{
    const InchBox area = PrintableArea();
    JobOptions twoUp;
    twoUp.nup = 1;
    WriteJobSettings(23, twoUp);
    ASSERT_TRUE(PrintGroup(23, 1, {Numbered(1), Numbered(2)}));
    std::vector<RenderedPage> sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 0, 0, 1, 2)), 1);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 0, 1, 1, 2)), 2);

    // The job's last group may be a single page: it takes the first cell.
    ASSERT_TRUE(PrintGroup(23, 3, {Numbered(3)}));
    sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 0, 0, 1, 2)), 3);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 0, 1, 1, 2)), 0);

    JobOptions fourUp;
    fourUp.nup = 2;
    WriteJobSettings(24, fourUp);
    ASSERT_TRUE(PrintGroup(24, 1, {Numbered(1, "c"), Numbered(2, "c"), Numbered(3, "c"),
                                   Numbered(4, "c")}));
    sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 0, 0, 2, 2)), 1);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 1, 0, 2, 2)), 2);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 0, 1, 2, 2)), 3);
    EXPECT_EQ(PageNumber(sheets[0], Quarter(area, 1, 1, 2, 2)), 4);
}

TEST_F(LauncherPrint, NinePositionsAtFullSizeAndFitToThePrintableArea)
{
    const InchBox area = PrintableArea();
    for (int position = 0; position <= 8; ++position) {
        JobOptions options;
        options.position = position;
        const unsigned job = 30 + position;
        WriteJobSettings(job, options);
        // One inch square at 100 dpi.
        ASSERT_TRUE(PrintGroup(job, 1, {WritePage("square" + std::to_string(position) + ".bmp",
                                                  100, 100, AllInk)}));
        const std::vector<RenderedPage> sheets = Printed();
        ASSERT_EQ(sheets.size(), 1u);
        InchBox ink;
        ASSERT_TRUE(sheets[0].InkBox(ink));
        const double left = area.left + (area.Width() - 1) * (position / 3) / 2;
        const double top = area.top + (area.Height() - 1) * (position % 3) / 2;
        EXPECT_TRUE(BoxNear(ink, left, top, left + 1, top + 1)) << "position " << position;
    }

    // Without a stated resolution a page counts as 96 dpi: 96 pixels, one inch.
    WriteJobSettings(40, JobOptions());
    ASSERT_TRUE(PrintGroup(40, 1, {WritePage("undated.bmp", 96, 96, AllInk, 0)}));
    std::vector<RenderedPage> sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    InchBox ink;
    ASSERT_TRUE(sheets[0].InkBox(ink));
    const double middleX = (area.left + area.right) / 2;
    const double middleY = (area.top + area.bottom) / 2;
    EXPECT_TRUE(BoxNear(ink, middleX - 0.5, middleY - 0.5, middleX + 0.5, middleY + 0.5));

    // Fit: a small page two inches by one fills the width, at the top or the bottom.
    for (int position : {0, 8}) {
        JobOptions fit;
        fit.size = 0;
        fit.position = position;
        const unsigned job = 41 + position;
        WriteJobSettings(job, fit);
        ASSERT_TRUE(PrintGroup(job, 1, {WritePage("wide" + std::to_string(position) + ".bmp",
                                                  200, 100, AllInk)}));
        sheets = Printed();
        ASSERT_EQ(sheets.size(), 1u);
        ASSERT_TRUE(sheets[0].InkBox(ink));
        const double height = area.Width() / 2;
        const double top = position == 0 ? area.top : area.bottom - height;
        EXPECT_TRUE(BoxNear(ink, area.left, top, area.right, top + height)) << "position " << position;
    }
}

TEST_F(LauncherPrint, FrameOutlinesThePageAndLandscapePagesTurnOnPortraitPaper)
{
    const InchBox area = PrintableArea();
    const double middleX = (area.left + area.right) / 2;
    const double middleY = (area.top + area.bottom) / 2;

    JobOptions framed;
    framed.frame = 1;
    WriteJobSettings(50, framed);
    ASSERT_TRUE(PrintGroup(50, 1, {WritePage("blank.bmp", 200, 100, NoInk)}));
    std::vector<RenderedPage> sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    InchBox ink;
    ASSERT_TRUE(sheets[0].InkBox(ink)) << "the frame of a blank page";
    EXPECT_TRUE(BoxNear(ink, middleX - 1, middleY - 0.5, middleX + 1, middleY + 0.5));
    EXPECT_FALSE(sheets[0].IsInk(middleX, middleY)) << "a frame, not a filled box";

    // Two inches by one, its upper half black.
    const InkPattern upperHalf = [](int, int y) { return y < 50; };
    JobOptions turned;
    turned.rotate = 1;
    WriteJobSettings(51, turned);
    ASSERT_TRUE(PrintGroup(51, 1, {WritePage("landscape1.bmp", 200, 100, upperHalf)}));
    sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    ASSERT_TRUE(sheets[0].InkBox(ink));
    // A quarter turn to the left: one inch by two, the page's top on the left.
    EXPECT_TRUE(BoxNear(ink, middleX - 0.5, middleY - 1, middleX, middleY + 1));

    JobOptions asIs;
    asIs.rotate = 0;
    WriteJobSettings(52, asIs);
    ASSERT_TRUE(PrintGroup(52, 1, {WritePage("landscape2.bmp", 200, 100, upperHalf)}));
    sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    ASSERT_TRUE(sheets[0].InkBox(ink));
    EXPECT_TRUE(BoxNear(ink, middleX - 1, middleY - 0.5, middleX + 1, middleY));
}

TEST_F(LauncherPrint, DeleteEndsTheProgramOnceTheQueuedGroupsArePrinted)
{
    WriteJobSettings(70, JobOptions());
    const std::string list = WritePageList(70, 1, {Numbered(1)});
    const std::string secondList = WritePageList(70, 2, {Numbered(2)});
    DeleteFileA(Output().c_str());
    Post(kPrint, 70, 1);
    Post(kPrint, 70, 2);
    Post(kDelete);
    ASSERT_EQ(WaitForSingleObject(m_process.Get(), 30000), WAIT_OBJECT_0);
    m_window = nullptr;
    EXPECT_FALSE(Exists(list) || Exists(secondList));
    EXPECT_FALSE(Exists(HandoffPath(70, 0))) << "the job ended with the program";
    EXPECT_EQ(PageNumbers(Printed()), std::vector<int>{2}) << "the last group's document";
}

TEST_F(LauncherPrint, PrintsOnTheChosenPrinterWithItsStoredDeviceModeOrElseOnTheDefault)
{
    // The settings program's store: the second printer in slot 3, landscape,
    // with three copies asked of the driver (the launcher makes the copies itself).
    PrinterHandle printer;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>(kSecondPrinter), printer.Receive(), nullptr));
    const LONG size = DocumentPropertiesA(nullptr, printer.Get(), const_cast<char*>(kSecondPrinter),
                                          nullptr, nullptr, 0);
    std::vector<char> devMode(static_cast<size_t>(size > 0 ? size : 1));
    DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(devMode.data());
    const LONG got = DocumentPropertiesA(nullptr, printer.Get(), const_cast<char*>(kSecondPrinter),
                                         mode, nullptr, DM_OUT_BUFFER);
    printer.Close();
    ASSERT_EQ(got, IDOK);
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmCopies = 3;
    mode->dmFields |= DM_ORIENTATION | DM_COPIES;
    std::ofstream(SettingsFolder() + "\\devmode3.bin", std::ios::binary)
        .write(devMode.data(), static_cast<std::streamsize>(devMode.size()));
    const std::string ini = SettingsFolder() + "\\KESTROst.ini";
    WritePrivateProfileStringA("Printer Infomation", "SelectPrinterName", kSecondPrinter, ini.c_str());
    WritePrivateProfileStringA("Printer Infomation", "SelectPrinterNo", "3", ini.c_str());

    // A bar two inches wide: Wine's driver prints landscape sheets turned on
    // portrait paper, so on a landscape sheet the bar comes out upright.
    WriteJobSettings(80, JobOptions());
    ASSERT_TRUE(PrintGroup(80, 1, {WritePage("bar1.bmp", 200, 50, AllInk)}));
    EXPECT_FALSE(Exists(Output()));
    // Wine's driver passes the device mode's copies on as a job ticket, which
    // Ghostscript does not render: the launcher makes the copies itself.
    EXPECT_EQ(ReadAll(SecondOutput()).find("copies=3"), std::string::npos)
        << "copies asked of the driver";
    std::vector<RenderedPage> sheets = Printed(SecondOutput());
    ASSERT_EQ(sheets.size(), 1u);
    InchBox ink;
    ASSERT_TRUE(sheets[0].InkBox(ink));
    EXPECT_TRUE(BoxNear(ink, ink.left, ink.top, ink.left + 0.5, ink.top + 2)) << "landscape";

    WritePrivateProfileStringA("Printer Infomation", "SelectPrinterName", "KESTRO gone printer",
                               ini.c_str());
    WriteJobSettings(81, JobOptions());
    ASSERT_TRUE(PrintGroup(81, 1, {WritePage("bar2.bmp", 200, 50, AllInk)}));
    EXPECT_FALSE(Exists(SecondOutput()));
    sheets = Printed();
    ASSERT_EQ(sheets.size(), 1u);
    ASSERT_TRUE(sheets[0].InkBox(ink));
    EXPECT_TRUE(BoxNear(ink, ink.left, ink.top, ink.left + 2, ink.top + 0.5)) << "portrait";
}

}  // namespace
