#include "group_printer_win32.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "bitmap24.h"
#include "handoff_paths_win32.h"
#include "job_settings.h"
#include "launcher_log_win32.h"
#include "page_drawing_win32.h"
#include "page_layout.h"
#include "page_list.h"
#include "printer_choice_win32.h"
#include "printer_document_win32.h"
#include "setup/profile_reader_win32.h"
#include "sheet_plan.h"

namespace {

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool Fail(GroupFailure& failure, const std::vector<std::string>& files, const std::string& reason)
{
    failure.files = files;
    failure.reason = reason;
    LogLine("not printed: " + reason);
    return false;
}

// The printable area of the device context, in device pixels.
struct PrintableArea {
    int32_t width = 0;
    int32_t height = 0;
    double dpiX = 0;
    double dpiY = 0;
};

// The pages of a group as they are drawn: the last page decoded is kept (turned
// when its cell asks for it), so the copies of a page printed one after the
// other are decoded once.
class PageSource {
public:
    explicit PageSource(PageDecoder& decoder) : m_decoder(decoder) {}

    const Bitmap24* Get(const std::string& path, const GroupPage& page, size_t index, bool turned,
                        std::string& reason)
    {
        const bool samePage = m_valid && m_page == index;
        if (samePage && m_turned == turned)
            return &m_bitmap;
        if (!samePage || m_turned) {
            m_valid = false;
            m_bitmap = Bitmap24();
            if (!m_decoder.Decode(path, page.frame, m_bitmap, reason))
                return nullptr;
            m_page = index;
            m_turned = false;
            m_valid = true;
        }
        if (turned) {
            m_bitmap = TurnLeft(m_bitmap);
            m_turned = true;
        }
        return &m_bitmap;
    }

private:
    PageDecoder& m_decoder;
    Bitmap24 m_bitmap;
    size_t m_page = 0;
    bool m_turned = false;
    bool m_valid = false;
};

bool DrawFrame(HDC dc, const Rect& around, const PrintableArea& sheet)
{
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const Rect& edge :
         FrameEdges(around, FrameThickness(sheet.dpiX), FrameThickness(sheet.dpiY))) {
        const RECT r = {edge.left, edge.top, edge.right, edge.bottom};
        if (!FillRect(dc, &r, black)) {
            LogFailure("FillRect (frame)");
            return false;
        }
    }
    return true;
}

// The guard the setup names, or null when it names none or the event cannot
// be made (logged where it failed).
std::unique_ptr<Win32PrintGuardEvent> OpenPrintGuard(const LauncherSetup& setup)
{
    if (setup.printGuardName.empty())
        return nullptr;
    std::unique_ptr<Win32PrintGuardEvent> guard(new Win32PrintGuardEvent(setup.printGuardName));
    if (guard->Opened())
        return guard;
    LogLine("the stored printer is read without the print guard");
    return nullptr;
}

bool MeasureSheet(HDC dc, PrintableArea& sheet)
{
    sheet.width = GetDeviceCaps(dc, HORZRES);
    sheet.height = GetDeviceCaps(dc, VERTRES);
    sheet.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    sheet.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    return sheet.width > 0 && sheet.height > 0 && sheet.dpiX > 0 && sheet.dpiY > 0;
}

}  // namespace

GroupPrinter::GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder)
    : m_setup(setup),
      m_decoder(decoder),
      m_guard(OpenPrintGuard(setup)),
      m_choices(setup.settingsFolder, m_guard.get(), setup.printGuardWaitMs, m_profile, m_files,
                [](const std::string& line) { LogLine(line); })
{
}

bool GroupPrinter::ReadGroup(uint32_t jobId, uint32_t firstPage, GroupFiles& files,
                             LayoutOptions& options, std::vector<GroupPage>& pages,
                             GroupFailure& failure)
{
    files = GroupFiles();
    files.pageList = HandoffPath(jobId, firstPage);
    files.settings = HandoffPath(jobId, 0);
    if (files.pageList.empty())
        return Fail(failure, {"KST_ hand-off file"}, "the temporary folder cannot be found");

    std::string text;
    if (!ReadText(files.pageList, text))
        return Fail(failure, {files.pageList}, "the page list file does not exist");
    std::string reason;
    if (!ParsePageList(text, files.pages, reason))
        return Fail(failure, {files.pageList}, "the page list file cannot be used: " + reason);

    if (!FileExists(files.settings))
        LogLine("job settings file " + files.settings + " is missing: one copy, default layout");
    Win32ProfileReader profile;
    const JobSettings settings = ReadJobSettings(files.settings.c_str(), profile);
    options = LayoutFromSettings(settings);
    LogLine("job " + std::to_string(jobId) + " group " + std::to_string(firstPage) + ": " +
            std::to_string(files.pages.size()) + " page(s), " + DescribeSettings(settings));

    // Every page is checked before anything is printed: a group is printed
    // whole or not at all. Each page of a multi-page file takes its own place.
    pages.clear();
    for (size_t i = 0; i < files.pages.size(); ++i) {
        PageFileProbe probe;
        if (!m_decoder.Probe(files.pages[i], probe, reason))
            return Fail(failure, {files.pages[i]}, reason);
        if (probe.pages.size() > 1)
            LogLine(files.pages[i] + ": " + std::to_string(probe.pages.size()) + " pages");
        if (probe.framesNotPrinted > 0)
            LogLine(files.pages[i] + ": the first of " +
                    std::to_string(probe.framesNotPrinted + 1) +
                    " frames is printed (an animation or an icon, not a document)");
        for (uint32_t frame = 0; frame < probe.pages.size(); ++frame) {
            GroupPage page;
            page.file = i;
            page.frame = frame;
            page.size = probe.pages[frame];
            pages.push_back(page);
        }
    }
    return true;
}

bool GroupPrinter::Print(uint32_t jobId, uint32_t firstPage, GroupFiles& files,
                         GroupFailure& failure)
{
    LayoutOptions options;
    std::vector<GroupPage> pages;
    if (!ReadGroup(jobId, firstPage, files, options, pages, failure))
        return false;

    std::string reason;
    ChosenPrinter printer;
    if (!ChoosePrinter(m_choices.Current(), printer, reason))
        return Fail(failure, files.pages, reason);
    PrinterDocument document;
    PrintableArea sheet;
    if (!document.Open(printer, reason))
        return Fail(failure, files.pages, reason);
    if (!MeasureSheet(document.Dc(), sheet))
        return Fail(failure, files.pages, "the printer reports no printable area");
    LogLine("printer \"" + printer.name + "\": " + std::to_string(sheet.width) + " x " +
            std::to_string(sheet.height) + " dots at " + std::to_string(static_cast<int>(sheet.dpiX)) +
            " x " + std::to_string(static_cast<int>(sheet.dpiY)) + " dpi");

    const std::string name = m_setup.documentName.empty() ? "KESTRO" : m_setup.documentName;
    if (!document.StartDocument(name, reason))
        return Fail(failure, files.pages, reason);

    PageSource source(m_decoder);
    for (const Sheet& pagesOnSheet : PlanSheets(pages.size(), options.pagesPerSheet,
                                                options.copies, options.sorted)) {
        if (!document.StartSheet(reason))
            return Fail(failure, files.pages, reason);
        // The sheet's first page decides whether it is read turned, and so
        // the order of its cells.
        const std::vector<Rect> cells = SheetCells(pages[pagesOnSheet.front()].size, sheet.width,
                                                   sheet.height, sheet.dpiX, sheet.dpiY, options);
        for (size_t cell = 0; cell < pagesOnSheet.size(); ++cell) {
            const GroupPage& page = pages[pagesOnSheet[cell]];
            const std::string& file = files.pages[page.file];
            const PagePlacement placement =
                PlacePage(page.size, cells[cell], sheet.dpiX, sheet.dpiY, options);
            const Bitmap24* bitmap =
                source.Get(file, page, pagesOnSheet[cell], placement.rotate, reason);
            if (!bitmap)
                return Fail(failure, {file}, reason);
            if (!DrawPage(document.Dc(), *bitmap, placement, sheet.dpiX, sheet.dpiY))
                return Fail(failure, {file}, "the printer did not take the page image");
            if (options.frame && !DrawFrame(document.Dc(), placement.target, sheet))
                return Fail(failure, {file}, "the printer did not take the frame");
        }
        if (!document.EndSheet(reason))
            return Fail(failure, files.pages, reason);
    }
    // Until here the destructor aborts the document: nothing reaches the paper.
    if (!document.EndDocument(reason))
        return Fail(failure, files.pages, reason);
    return true;
}
