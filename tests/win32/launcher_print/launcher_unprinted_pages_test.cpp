// Pages that cannot be printed never stop the others: each takes its place
// as a marked placeholder in every copy, its file is kept where JP_init
// does not delete it, one box per job tells the user without holding the
// printing thread. And a page list that names anything but the data
// folder's pages prints nothing and deletes nothing.
#include <windows.h>

#include <cmath>
#include <fstream>

#include "message_box_watcher.h"
#include "print_fixture.h"
#include "test_folders.h"
#include "win32_shared/loaded_module_win32.h"

namespace {

// Page k is a black bar k half inches wide and half an inch high (at 100
// dpi); -1 marks a placeholder: a frame hugging its cell with text inside.
const double kUnit = 0.5;
const int kPlaceholder = -1;

int PlaceIn(const RenderedPage& sheet, const InchBox& cell)
{
    InchBox ink;
    if (!sheet.InkBox(ink, cell))
        return 0;
    const double edge = 0.15;
    const InchBox inside = {cell.left + 0.4, cell.top + 0.4, cell.right - 0.4, cell.bottom - 0.4};
    InchBox text;
    if (BoxNear(ink, cell.left, cell.top, cell.right, cell.bottom, edge) && sheet.InkBox(text, inside))
        return kPlaceholder;
    return static_cast<int>(std::lround(ink.Width() / kUnit));
}

// What each sheet shows, cell by cell, top to bottom.
std::vector<std::vector<int>> Places(const std::vector<RenderedPage>& sheets, const InchBox& area,
                                     int rows)
{
    std::vector<std::vector<int>> places;
    const double height = area.Height() / rows;
    for (const RenderedPage& sheet : sheets) {
        std::vector<int> cells;
        for (int row = 0; row < rows; ++row)
            cells.push_back(PlaceIn(sheet, {area.left, area.top + row * height, area.right,
                                            area.top + (row + 1) * height}));
        places.push_back(cells);
    }
    return places;
}

std::vector<SeenBox> WaitForOpenBoxes(DWORD processId, size_t count)
{
    const DWORD start = GetTickCount();
    std::vector<SeenBox> open = OpenBoxes(processId);
    while (open.size() < count && GetTickCount() - start < 30000) {
        Sleep(20);
        open = OpenBoxes(processId);
    }
    return open;
}

std::vector<SeenBox> AnsweredBoxes(MessageBoxWatcher& watcher, size_t count)
{
    std::vector<SeenBox> boxes;
    const DWORD start = GetTickCount();
    while (boxes.size() < count && GetTickCount() - start < 30000) {
        for (const SeenBox& box : watcher.Take())
            boxes.push_back(box);
        Sleep(20);
    }
    return boxes;
}

std::string UserName()
{
    char name[257] = {};
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class LauncherUnprintedPages : public LauncherPrintTest {
protected:
    std::string Bar(int k, const std::string& tag)
    {
        return WritePage("bar" + tag + std::to_string(k) + ".bmp", 50 * k, 50, AllInk);
    }
    // A job of mixed pages: a good page, a file that is no picture, a 16-bit
    // greyscale TIFF (page 3's bar) and another good page.
    std::vector<std::string> MixedPages(const std::string& tag)
    {
        const std::string junk = WritePage("junk" + tag + ".bmp", 1, 1, NoInk);
        std::ofstream(junk.c_str(), std::ios::trunc) << "this is no picture";
        const std::string grey = DataFolder() + "\\grey" + tag + ".tif";
        EXPECT_TRUE(WriteTiff16Page(grey, Tiff16Kind::Gray, 150, 50, 100, AllInk));
        return {Bar(1, tag), junk, grey, Bar(4, tag)};
    }
    static std::string KeptFolder() { return DataFolder() + "\\Not printed (" + UserName() + ")"; }

    // JP_init of the real library, in this installation: it empties the
    // data folder.
    static int RealInit()
    {
        char saved[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof saved, saved);
        SetCurrentDirectoryA(RootFolder().c_str());  // where "KESTRO.cfg" is
        int result = -1;
        {
            const LoadedModule library(LoadLibraryA("jobport.dll"));
            typedef int(__stdcall * Init)(const char*);
            const Init init = library ? reinterpret_cast<Init>(reinterpret_cast<void*>(
                                            GetProcAddress(library.Get(), "JP_init")))
                                      : nullptr;
            if (init)
                result = init("launcher print test");
        }
        SetCurrentDirectoryA(saved);
        return result;
    }
};

TEST_F(LauncherUnprintedPages, EveryGoodPageInItsPlaceAPlaceholderForTheBadOneOneBoxPerJobFilesKept)
{
    RemoveTree(KeptFolder());
    const InchBox area = PrintableArea();

    // Sorted copies, one page a sheet.
    JobOptions oneUp;
    oneUp.copies = 2;
    oneUp.sort = 1;
    WriteJobSettings(60, oneUp);
    const std::vector<std::string> first = MixedPages("a");
    ASSERT_TRUE(PrintGroup(60, 1, first));
    EXPECT_EQ(Places(Printed(), area, 1),
              (std::vector<std::vector<int>>{{1}, {kPlaceholder}, {3}, {4}, {1}, {kPlaceholder}, {3}, {4}}));
    EXPECT_TRUE(OpenBoxes(m_processId).empty()) << "the job has not ended yet";

    // The next job ends job 60: its box opens, and job 61 prints while it is
    // open. Two pages a sheet, then a group naming a page file that is gone.
    JobOptions twoUp = oneUp;
    twoUp.nup = 1;
    WriteJobSettings(61, twoUp);
    const std::vector<std::string> second = MixedPages("b");
    ASSERT_TRUE(PrintGroup(61, 1, second));
    EXPECT_EQ(Places(Printed(), area, 2),
              (std::vector<std::vector<int>>{{1, kPlaceholder}, {3, 4}, {1, kPlaceholder}, {3, 4}}));
    const std::string gone = DataFolder() + "\\gone.bmp";
    ASSERT_TRUE(PrintGroup(61, 5, {gone}));
    EXPECT_EQ(Places(Printed(), area, 2), (std::vector<std::vector<int>>{{kPlaceholder, 0},
                                                                          {kPlaceholder, 0}}));
    std::vector<SeenBox> open = WaitForOpenBoxes(m_processId, 1);
    ASSERT_EQ(open.size(), 1u) << "one box, open while the next job printed";
    EXPECT_TRUE(Contains(open[0].text, "Job 60: 1 page was not printed")) << open[0].text;

    // No job left: job 61's box waits behind the open one; both are answered.
    Post(kSuspend);
    ASSERT_TRUE(WaitUntilGone(HandoffPath(61, 0)));
    EXPECT_EQ(OpenBoxes(m_processId).size(), 1u);
    MessageBoxWatcher watcher(m_processId);
    const std::vector<SeenBox> boxes = AnsweredBoxes(watcher, 2);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Scan not printed");
    const std::string kept = "\\Not printed (" + UserName() + ")\\";
    for (const char* part : {"The scan could not be printed.", "Job 60: 1 page was not printed",
                             "Page 2, junka.bmp: the file is not an image", "Kept as ",
                             "job 60 page 2 - junka.bmp", "never deleted"})
        EXPECT_TRUE(Contains(boxes[0].text, part)) << part << " in " << boxes[0].text;
    for (const char* part : {"Job 61: 2 pages were not printed", "Page 2, junkb.bmp",
                             "Page 5, gone.bmp: the page file does not exist"})
        EXPECT_TRUE(Contains(boxes[1].text, part)) << part << " in " << boxes[1].text;
    EXPECT_TRUE(Contains(boxes[0].text, kept)) << boxes[0].text;

    // Printed files are gone, the unprintable ones kept, apart from the data
    // folder's own files.
    for (const std::vector<std::string>* pages : {&first, &second})
        for (const std::string& page : *pages)
            EXPECT_FALSE(Exists(page)) << page;
    const std::vector<std::string> keptNames = NamesIn(KeptFolder());
    ASSERT_EQ(keptNames.size(), 2u);
    EXPECT_TRUE(Contains(keptNames[0], " job 60 page 2 - junka.bmp")) << keptNames[0];
    EXPECT_TRUE(Contains(keptNames[1], " job 61 page 2 - junkb.bmp")) << keptNames[1];
    const std::string stray = DataFolder() + "\\stray.bmp";
    std::ofstream(stray.c_str()) << "left over";

    // The next JP_init empties the data folder but not the kept pages.
    ASSERT_EQ(RealInit(), 1);
    EXPECT_FALSE(Exists(stray)) << "JP_init emptied the data folder";
    EXPECT_EQ(NamesIn(KeptFolder()), keptNames);
}

TEST_F(LauncherUnprintedPages, AListNamingAFileOutsideTheDataFolderPrintsAndDeletesNothing)
{
    const std::string outside = RootFolder() + "\\outside.bmp";
    ASSERT_TRUE(WriteBmpPage(outside, 100, 50, 100, AllInk));
    const std::string inside = WritePage("inside.bmp", 50, 50, AllInk);
    // A Unix link in the data folder to the file outside: Wine shows its
    // target as the opened file's final path, as Windows does for a link.
    const std::string link = DataFolder() + "\\link.bmp";
    std::string error;
    ASSERT_TRUE(RunUnixShell("ln -sf '" + UnixPath(outside) + "' '" + UnixPath(link) + "'",
                             RootFolder() + "\\ln.status", error))
        << error;

    WriteJobSettings(62, JobOptions());
    ASSERT_TRUE(PrintGroup(62, 1, {inside, DataFolder() + "\\..\\outside.bmp"}));
    ASSERT_TRUE(PrintGroup(62, 3, {link}));
    ASSERT_TRUE(PrintGroup(62, 4, {"\\\\?\\" + inside, "C:\\windows\\win.ini"}));
    // A folder in the data folder is no page either (it may hold kept pages).
    const std::string folder = DataFolder() + "\\folder";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(PrintGroup(62, 6, {folder}));
    EXPECT_FALSE(Exists(Output())) << "nothing was printed";
    EXPECT_TRUE(Exists(outside) && Exists(inside) && Exists(link) && Exists(folder))
        << "nothing was deleted or moved";
    const std::string log = LogOfThisTest();
    EXPECT_TRUE(Contains(log, "it is not a file of the data folder")) << log;
    EXPECT_TRUE(Contains(log, "it leads out of the data folder")) << log;

    MessageBoxWatcher watcher(m_processId);
    Post(kSuspend);
    const std::vector<SeenBox> boxes = AnsweredBoxes(watcher, 1);
    ASSERT_EQ(boxes.size(), 1u);
    for (const char* part : {"Group from page 1: nothing of it was printed", "outside.bmp",
                             "Group from page 3", "Group from page 4", "win.ini",
                             "Group from page 6", "it is a folder"})
        EXPECT_TRUE(Contains(boxes[0].text, part)) << part << " in " << boxes[0].text;
    // Wine deletes no Unix link; the shell does.
    EXPECT_TRUE(RunUnixShell("rm -f '" + UnixPath(link) + "'", RootFolder() + "\\rm.status", error))
        << error;
    DeleteFileA(outside.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(LauncherUnprintedPages, AKeptFolderThatIsALinkIsNotUsedAndThePageStays)
{
    // Someone made the user's folder of kept pages a link to a folder of
    // their own: the page is not moved there; it stays, and the box says so.
    RemoveTree(KeptFolder());
    const std::string elsewhere = RootFolder() + "\\elsewhere";
    ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
    std::string error;
    ASSERT_TRUE(RunUnixShell("ln -sfn '" + UnixPath(elsewhere) + "' '" + UnixPath(KeptFolder()) + "'",
                             RootFolder() + "\\ln.status", error))
        << error;
    const std::string junk = WritePage("junkc.bmp", 1, 1, NoInk);
    std::ofstream(junk.c_str(), std::ios::trunc) << "this is no picture";
    WriteJobSettings(63, JobOptions());
    ASSERT_TRUE(PrintGroup(63, 1, {junk}));
    MessageBoxWatcher watcher(m_processId);
    Post(kSuspend);
    const std::vector<SeenBox> boxes = AnsweredBoxes(watcher, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0].text, "Not kept (") && Contains(boxes[0].text, "link or junction"))
        << boxes[0].text;
    EXPECT_TRUE(Exists(junk));
    EXPECT_TRUE(NamesIn(elsewhere).empty());
    EXPECT_TRUE(RunUnixShell("rm -f '" + UnixPath(KeptFolder()) + "'", RootFolder() + "\\rm.status", error))
        << error;
    RemoveDirectoryA(elsewhere.c_str());
}

}  // namespace
