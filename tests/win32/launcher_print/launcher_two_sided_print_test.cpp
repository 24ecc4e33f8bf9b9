// Two-sided printing as a copier does it, on a printer whose stored device
// mode asks for it: each document's sheets read in page order front and
// back, every set of copies starts on a front, a group whose last back would
// stay blank waits for its job's next group and shares its document, and a
// launcher ended while a group waits loses nothing. Every document is named
// by its job and pages in the print queue, read back from the title Wine's
// PostScript driver gives it.
#include <windows.h>
#include <winspool.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "installation.h"
#include "message_box_watcher.h"
#include "print_fixture.h"
#include "printer_setup.h"
#include "sheet_reading.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

const char kTwoSidedPrinter[] = "KESTRO two-sided printer";
const char kStoredSlot[] = "5";
const DWORD kWaitMs = 30000;

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// The document's name as its "%%Title:" line gives it: a PostScript string
// with octal escapes when it holds other than printable characters, in the
// active code page.
std::wstring TitleOf(const std::string& document)
{
    const std::string key = "%%Title: ";
    const size_t at = document.find(key);
    if (at == std::string::npos)
        return L"(no title)";
    std::string text = document.substr(at + key.size(), document.find('\n', at) - at - key.size());
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    std::string bytes;
    if (!text.empty() && text[0] == '(') {
        for (size_t i = 1; i < text.size() && text[i] != ')'; ++i) {
            if (text[i] == '\\' && i + 3 < text.size()) {
                bytes += static_cast<char>(std::stoi(text.substr(i + 1, 3), nullptr, 8));
                i += 3;
            } else {
                bytes += text[i];
            }
        }
    } else {
        bytes = text;
    }
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    &wide[0], static_cast<int>(wide.size())));
    return wide;
}

struct PrintedDocument {
    std::wstring title;
    bool twoSided = false;  // its PostScript asks for both sides
    std::string sides;      // "1 | 2 | -": each side read as a reader does
};

class LauncherTwoSided : public LauncherPrintTest {
protected:
    static std::string TwoSidedOutput() { return RootFolder() + "\\two-sided.ps"; }

    // A printer whose port appends every document to one file, so that the
    // documents of a job are all there to read.
    static void SetUpTestSuite()
    {
        LauncherPrintTest::SetUpTestSuite();
        std::string error;
        ASSERT_TRUE(wine_printers::AddPrinterOnPort(
            kTwoSidedPrinter, "|cat >> '" + UnixPath(TwoSidedOutput()) + "'", error))
            << error;
    }

    // Stores the printer as the settings program does, with its driver's
    // device mode asking for long-edge two-sided printing.
    void SetUp() override
    {
        LauncherPrintTest::SetUp();
        PrinterHandle printer;
        char* name = const_cast<char*>(kTwoSidedPrinter);
        ASSERT_TRUE(OpenPrinterA(name, printer.Receive(), nullptr));
        std::string bytes(8192, '\0');
        DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(&bytes[0]);
        const bool got =
            DocumentPropertiesA(nullptr, printer.Get(), name, nullptr, nullptr, 0) <= 8192 &&
            DocumentPropertiesA(nullptr, printer.Get(), name, mode, nullptr, DM_OUT_BUFFER) == IDOK;
        printer.Close();
        ASSERT_TRUE(got);
        mode->dmDuplex = DMDUP_VERTICAL;
        mode->dmFields |= DM_DUPLEX;
        ASSERT_TRUE(WriteWhole(SettingsFolder() + "\\devmode" + kStoredSlot + ".bin",
                               bytes.substr(0, size_t(mode->dmSize) + mode->dmDriverExtra)));
        const std::string ini = SettingsFolder() + "\\KESTROst.ini";
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterName", kTwoSidedPrinter,
                                   ini.c_str());
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterNo", kStoredSlot, ini.c_str());
        DeleteFileA(TwoSidedOutput().c_str());
    }

    // Page k of a job as a page file in the data folder; "broken" pages are no picture.
    std::string Page(unsigned jobId, int k, int nup, bool broken = false)
    {
        const std::string name = "two" + std::to_string(jobId) + "_" + std::to_string(k) + ".bmp";
        if (broken) {
            const std::string path = WritePage(name, 10, 10, NoInk);
            EXPECT_TRUE(WriteWhole(path, "no picture"));
            return path;
        }
        // Pages that fit their cells upright: landscape ones two a sheet,
        // portrait ones four a sheet.
        const bool portrait = nup == 2;
        return WritePage(name, 350, portrait ? 450 : 250, NumberBar(k));
    }

    // Writes a group's page list and posts it, as the library hands it over.
    void Hand(unsigned jobId, unsigned firstPage, const std::vector<std::string>& pages)
    {
        WritePageList(jobId, firstPage, pages);
        Post(kPrint, jobId, firstPage);
    }

    // Waits until the launcher has taken every page list of `lists` and the
    // output holds `documents` documents, then reads each.
    std::vector<PrintedDocument> Documents(const std::vector<std::string>& lists, size_t documents,
                                           int columns, int rows)
    {
        std::vector<PrintedDocument> read;
        for (const std::string& list : lists)
            if (!WaitUntilGone(list)) {
                ADD_FAILURE() << list << " was not printed";
                return read;
            }
        std::string all;
        const DWORD start = GetTickCount();
        while (Count(all = ReadAll(TwoSidedOutput()), "%%EOF") < documents &&
               GetTickCount() - start < kWaitMs)
            Sleep(20);
        const InchBox area = PrinterPrintableArea(kTwoSidedPrinter);
        for (size_t at = all.find("%!PS-Adobe"); at != std::string::npos;) {
            const size_t next = all.find("%!PS-Adobe", at + 1);
            const std::string text = all.substr(at, next == std::string::npos ? std::string::npos : next - at);
            at = next;
            PrintedDocument document;
            document.title = TitleOf(text);
            document.twoSided = text.find("/Duplex true") != std::string::npos;
            const std::string part = RootFolder() + "\\document.ps";
            EXPECT_TRUE(WriteWhole(part, text));
            for (const RenderedPage& side : Printed(part))
                document.sides += (document.sides.empty() ? "" : " | ") +
                                  Reading(side, area, columns, rows);
            DeleteFileA(part.c_str());
            read.push_back(document);
        }
        return read;
    }
};

TEST_F(LauncherTwoSided, BacksCarryTheNextPagesAndAGroupWaitsForItsJobsNext)
{
    const std::wstring dash = L"\u2013";
    struct Expected {
        std::string sides;
        std::wstring title;
    };
    enum class Ending { Suspend, NextJob };
    struct Case {
        const char* what;
        int nup;
        int copies;
        int sort;
        std::vector<int> groups;  // page files of each group, as the library hands them over
        int brokenPage;           // 0: none
        Ending ending;
        std::vector<Expected> documents;  // "J" in a title stands for the job, "N" for the next
    };
    const Case cases[] = {
        {"one a sheet, each page at once, odd, the job ends while a front waits", 0, 1, 0,
         {1, 1, 1}, 2, Ending::Suspend,
         {{"1 | P", L"Scan job J, pages 1" + dash + L"2"}, {"3 | -", L"Scan job J, page 3"}}},
        {"one a sheet, each page at once, copies unsorted", 0, 2, 0, {1, 1, 1, 1}, 0,
         Ending::Suspend,
         {{"1 | 2 | 1 | 2", L"Scan job J, pages 1" + dash + L"2"},
          {"3 | 4 | 3 | 4", L"Scan job J, pages 3" + dash + L"4"}}},
        {"one a sheet, after the job, sorted copies: each set from a front", 0, 2, 1, {3}, 0,
         Ending::Suspend, {{"1 | 2 | 3 | - | 1 | 2 | 3 | -", L"Scan job J"}}},
        {"two a sheet, each pair at once, the next job ends it while a front waits", 1, 1, 0,
         {2, 2, 2}, 0, Ending::NextJob,
         {{"1 / 2 | 3 / 4", L"Scan job J, pages 1" + dash + L"4"},
          {"5 / 6 | - / -", L"Scan job J, pages 5" + dash + L"6"},
          {"1 / - | - / -", L"Scan job N"}}},
        {"two a sheet, unsorted copies, the rest at the end", 1, 2, 0, {2, 1}, 0, Ending::Suspend,
         {{"1 / 2 | 3 / - | 1 / 2 | 3 / -", L"Scan job J"}}},
        {"four a sheet, each four at once, the rest at the end", 2, 1, 0, {4, 1}, 0,
         Ending::Suspend, {{"1 2 / 3 4 | 5 - / - -", L"Scan job J"}}},
        {"four a sheet, after the job, even", 2, 1, 0, {7}, 0, Ending::Suspend,
         {{"1 2 / 3 4 | 5 6 / 7 -", L"Scan job J"}}},
    };
    MessageBoxWatcher boxes(m_processId);  // answers the box about the broken page
    unsigned job = 41;
    for (const Case& c : cases) {
        DeleteFileA(TwoSidedOutput().c_str());
        JobOptions options;
        options.nup = c.nup;
        options.copies = c.copies;
        options.sort = c.sort;
        WriteJobSettings(job, options);
        std::vector<std::string> lists;
        int page = 1;
        for (const int files : c.groups) {
            std::vector<std::string> pages;
            for (int k = 0; k < files; ++k, ++page)
                pages.push_back(Page(job, page, c.nup, page == c.brokenPage));
            Hand(job, page - files, pages);
            lists.push_back(HandoffPath(job, page - files));
        }
        if (c.ending == Ending::NextJob) {
            WriteJobSettings(job + 1, options);
            Hand(job + 1, 1, {Page(job + 1, 1, c.nup)});
            lists.push_back(HandoffPath(job + 1, 1));
        }
        Post(kSuspend);

        const int columns = c.nup == 2 ? 2 : 1;
        const int rows = c.nup == 0 ? 1 : 2;
        const std::vector<PrintedDocument> printed =
            Documents(lists, c.documents.size(), columns, rows);
        ASSERT_EQ(printed.size(), c.documents.size()) << c.what;
        for (size_t d = 0; d < printed.size(); ++d) {
            std::wstring title = c.documents[d].title;
            const size_t mark = title.find_first_of(L"JN", 9);
            title.replace(mark, 1, std::to_wstring(title[mark] == L'J' ? job : job + 1));
            EXPECT_EQ(printed[d].sides, c.documents[d].sides) << c.what << ", document " << d + 1;
            EXPECT_EQ(printed[d].title, title) << c.what << ", document " << d + 1;
            EXPECT_TRUE(printed[d].twoSided) << c.what << ", document " << d + 1;
        }
        job += 2;
    }
}

TEST_F(LauncherTwoSided, ALauncherEndedWhileAGroupWaitsLosesNothing)
{
    const unsigned job = 61;
    WriteJobSettings(job, JobOptions());
    const std::string first = Page(job, 1, 0);
    Hand(job, 1, {first});
    const DWORD start = GetTickCount();
    while (LogOfThisTest().find("job 61 group 1 waits") == std::string::npos &&
           GetTickCount() - start < kWaitMs)
        Sleep(20);
    ASSERT_NE(LogOfThisTest().find("job 61 group 1 waits"), std::string::npos);
    EXPECT_FALSE(Exists(TwoSidedOutput())) << "nothing printed yet";

    // Ended as a crash would end it: the page list and the page stay, and
    // the library hands the group to the next launcher again.
    ASSERT_TRUE(TerminateProcess(m_process.Get(), 3));
    WaitForSingleObject(m_process.Get(), kWaitMs);
    m_process.Reset();
    EXPECT_TRUE(Exists(HandoffPath(job, 1)));
    EXPECT_TRUE(Exists(first));
    // The next launcher reads a name set in "KESTRO.cfg": it comes first.
    WritePrivateProfileStringA("Spool Information", "FileName", "Front desk", ConfigFile().c_str());
    StartLauncher();
    WritePrivateProfileStringA("Spool Information", "FileName", nullptr, ConfigFile().c_str());
    Post(kPrint, job, 1);
    Hand(job, 2, {Page(job, 2, 0)});
    const std::vector<PrintedDocument> printed =
        Documents({HandoffPath(job, 1), HandoffPath(job, 2)}, 1, 1, 1);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].sides, "1 | 2");
    EXPECT_EQ(printed[0].title, L"Front desk: Scan job 61, pages 1\u20132");
    EXPECT_FALSE(Exists(first)) << "printed and deleted";
}

}  // namespace
