#include "group_printer_win32.h"

#include <windows.h>

#include <algorithm>

#include "bitmap24.h"
#include "handoff_paths_win32.h"
#include "job_settings.h"
#include "launcher_log_win32.h"
#include "page_drawing_win32.h"
#include "page_layout.h"
#include "page_list.h"
#include "placeholder_drawing_win32.h"
#include "placeholder_page.h"
#include "printer_choice_win32.h"
#include "printer_document_win32.h"
#include "setup/profile_reader_win32.h"
#include "sheet_plan.h"

namespace {

// Placeholders are drawn at this resolution at most: their text stays sharp
// and a whole sheet of it takes a few megabytes.
const double kPlaceholderDpi = 150;

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The page list's text; false with the reason when it cannot be read or is
// larger than any the library writes.
bool ReadPageList(const std::string& path, std::string& text, std::string& reason)
{
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        reason = error == ERROR_FILE_NOT_FOUND ? "the page list file does not exist"
                                               : "the page list file cannot be read (error " +
                                                     std::to_string(error) + ")";
        return false;
    }
    // Never more than the bound (and one byte to tell a larger file), the
    // file's size when it is smaller.
    LARGE_INTEGER size = {};
    const size_t most = kMostPageListBytes + 1;
    text.assign(GetFileSizeEx(file.Get(), &size) && size.QuadPart < static_cast<LONGLONG>(most)
                    ? static_cast<size_t>(size.QuadPart) + 1
                    : most,
                '\0');
    DWORD got = 0;
    size_t total = 0;
    while (total < text.size() &&
           ReadFile(file.Get(), &text[total], static_cast<DWORD>(text.size() - total), &got, nullptr) &&
           got > 0)
        total += got;
    text.resize(total);
    if (total > kMostPageListBytes) {
        reason = "the page list file is larger than any the library writes";
        return false;
    }
    return true;
}

// The printable area of the device context, in device pixels.
struct PrintableArea {
    int32_t width = 0;
    int32_t height = 0;
    double dpiX = 0;
    double dpiY = 0;
};

bool MeasureSheet(HDC dc, PrintableArea& sheet)
{
    sheet.width = GetDeviceCaps(dc, HORZRES);
    sheet.height = GetDeviceCaps(dc, VERTRES);
    sheet.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    sheet.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    return sheet.width > 0 && sheet.height > 0 && sheet.dpiX > 0 && sheet.dpiY > 0;
}

// The pages of a group as they are drawn: the last page decoded is kept (turned
// when its cell asks for it), so the copies of a page printed one after the
// other are decoded once.
class PageSource {
public:
    explicit PageSource(PageDecoder& decoder) : m_decoder(decoder) {}

    const Bitmap24* Get(HANDLE file, const GroupPage& page, size_t index, bool turned,
                        std::string& reason)
    {
        const bool samePage = m_valid && m_page == index;
        if (samePage && m_turned == turned)
            return &m_bitmap;
        if (!samePage || m_turned) {
            m_valid = false;
            m_bitmap = Bitmap24();
            if (!m_decoder.Decode(file, page.frame, m_bitmap, reason))
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

// Ends the group with what failed.
void Fail(GroupResult& result, GroupResult::State state, const std::string& reason)
{
    result.state = state;
    result.failure = reason;
    LogLine(std::string(state == GroupResult::State::Refused ? "refused" : "not printed") + ": " +
            reason);
}

}  // namespace

GroupPrinter::GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder)
    : m_setup(setup),
      m_decoder(decoder),
      m_gate(setup.dataFolder),
      m_guard(OpenPrintGuard(setup)),
      m_choices(setup.settingsFolder, m_guard.get(), setup.printGuardWaitMs, m_profile, m_files,
                [](const std::string& line) { LogLine(line); })
{
}

bool GroupPrinter::ReadGroup(uint32_t jobId, uint32_t firstPage, LayoutOptions& options,
                             GroupResult& result)
{
    result.pageList = HandoffPath(jobId, firstPage);
    if (result.pageList.empty()) {
        Fail(result, GroupResult::State::NoPageList, "the temporary folder cannot be found");
        return false;
    }
    std::string text;
    std::string reason;
    std::vector<std::string> paths;
    if (!ReadPageList(result.pageList, text, reason)) {
        Fail(result, GroupResult::State::NoPageList, reason);
        return false;
    }
    if (!ParsePageList(text, paths, reason)) {
        Fail(result, GroupResult::State::NoPageList, "the page list file cannot be used: " + reason);
        return false;
    }
    if (!reason.empty()) {
        result.listProblem = "its page list was not written whole (" + reason +
                             "): the pages it names were printed";
        LogLine("page list " + result.pageList + ": " + reason + ": the pages it names are printed");
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        GroupFile file;
        file.path = paths[i];
        file.jobPage = firstPage + static_cast<uint32_t>(i);
        result.files.push_back(file);
    }

    const std::string settingsPath = HandoffPath(jobId, 0);
    if (!FileExists(settingsPath))
        LogLine("job settings file " + settingsPath +
                " is missing: one copy, the library's default layout");
    Win32ProfileReader profile;
    const JobSettings settings = ReadJobSettings(settingsPath.c_str(), profile);
    options = LayoutFromSettings(settings);
    LogLine("job " + std::to_string(jobId) + " group " + std::to_string(firstPage) + ": " +
            std::to_string(paths.size()) + " page file(s), " + DescribeSettings(settings));
    return OpenPages(result);
}

bool GroupPrinter::OpenPages(GroupResult& result)
{
    // A list that names anything but the data folder's pages is not the
    // library's: nothing of it is printed, moved or deleted.
    m_open.clear();
    m_open.resize(result.files.size());
    for (size_t i = 0; i < result.files.size(); ++i) {
        GroupFile& file = result.files[i];
        std::string reason;
        const PageFileGate::Verdict verdict = m_gate.Open(file.path, m_open[i], reason);
        if (verdict == PageFileGate::Verdict::Foreign) {
            Release();
            for (const GroupFile& named : result.files)
                LogLine("the page list names " + named.path);
            Fail(result, GroupResult::State::Refused,
                 "its page list names " + file.path + ", and " + reason);
            return false;
        }
        if (verdict == PageFileGate::Verdict::Unreadable)
            file.failure = reason;
    }

    // Each page of a multi-page file takes its own place; a file that cannot
    // be read at all takes one.
    for (size_t i = 0; i < result.files.size(); ++i) {
        GroupFile& file = result.files[i];
        PageFileProbe probe;
        std::string reason;
        if (file.failure.empty() && !m_decoder.Probe(m_open[i]->Get(), probe, reason))
            file.failure = reason;
        if (!file.failure.empty()) {
            GroupPage page;
            page.file = i;
            page.failure = file.failure;
            result.pages.push_back(page);
            continue;
        }
        if (probe.pages.size() > 1)
            LogLine(file.path + ": " + std::to_string(probe.pages.size()) + " pages");
        if (probe.framesNotPrinted > 0)
            LogLine(file.path + ": the first of " + std::to_string(probe.framesNotPrinted + 1) +
                    " frames is printed (an animation or an icon, not a document)");
        for (uint32_t frame = 0; frame < probe.pages.size(); ++frame) {
            GroupPage page;
            page.file = i;
            page.frame = frame;
            page.fileFrames = static_cast<uint32_t>(probe.pages.size());
            page.size = probe.pages[frame];
            page.failure = probe.failures[frame];
            result.pages.push_back(page);
        }
    }
    return true;
}

void GroupPrinter::Print(uint32_t jobId, uint32_t firstPage, GroupResult& result)
{
    result = GroupResult();
    Release();
    LayoutOptions options;
    if (!ReadGroup(jobId, firstPage, options, result))
        return;
    PrintSheets(jobId, options, result);
}

void GroupPrinter::PrintSheets(uint32_t jobId, const LayoutOptions& options, GroupResult& result)
{
    const GroupResult::State notPrinted = GroupResult::State::NotPrinted;
    std::string reason;
    ChosenPrinter printer;
    if (!ChoosePrinter(m_choices.Current(), printer, reason))
        return Fail(result, notPrinted, reason);
    PrinterDocument document;
    PrintableArea sheet;
    if (!document.Open(printer, reason))
        return Fail(result, notPrinted, reason);
    if (!MeasureSheet(document.Dc(), sheet))
        return Fail(result, notPrinted, "the printer reports no printable area");
    LogLine("printer \"" + printer.name + "\": " + std::to_string(sheet.width) + " x " +
            std::to_string(sheet.height) + " dots at " + std::to_string(static_cast<int>(sheet.dpiX)) +
            " x " + std::to_string(static_cast<int>(sheet.dpiY)) + " dpi");

    const std::string name = m_setup.documentName.empty() ? "KESTRO" : m_setup.documentName;
    if (!document.StartDocument(name, reason))
        return Fail(result, notPrinted, reason);

    const double placeholderDpi = (std::min)(kPlaceholderDpi, (std::min)(sheet.dpiX, sheet.dpiY));
    PageSource source(m_decoder);
    Bitmap24 placeholder;
    for (const Sheet& pagesOnSheet : PlanSheets(result.pages.size(), options.pagesPerSheet,
                                                options.copies, options.sorted)) {
        if (!document.StartSheet(reason))
            return Fail(result, notPrinted, reason);
        // The sheet's first page decides whether it is read turned, and so
        // the order of its cells; a placeholder first reads upright.
        const GroupPage& first = result.pages[pagesOnSheet.front()];
        const PageImageSize firstSize =
            first.failure.empty() ? first.size
                                  : FirstCellPlaceholderSize(sheet.width, sheet.height, sheet.dpiX,
                                                             sheet.dpiY, options, placeholderDpi);
        const std::vector<Rect> cells =
            SheetCells(firstSize, sheet.width, sheet.height, sheet.dpiX, sheet.dpiY, options);
        const bool turned =
            SheetReadTurned(firstSize, sheet.width, sheet.height, sheet.dpiX, sheet.dpiY, options);
        for (size_t cell = 0; cell < pagesOnSheet.size(); ++cell) {
            GroupPage& page = result.pages[pagesOnSheet[cell]];
            const Bitmap24* bitmap = nullptr;
            PagePlacement placement;
            if (page.failure.empty()) {
                placement = PlacePage(page.size, cells[cell], sheet.dpiX, sheet.dpiY, options);
                bitmap = source.Get(m_open[page.file]->Get(), page, pagesOnSheet[cell],
                                    placement.rotate, page.failure);
                if (!bitmap)
                    LogLine("job " + std::to_string(jobId) + " page " +
                            std::to_string(result.files[page.file].jobPage) +
                            " cannot be decoded: " + page.failure);
            }
            if (!bitmap) {
                // A page that cannot be printed: its placeholder, in every copy.
                const PageImageSize size = PlaceholderSize(cells[cell], sheet.dpiX, sheet.dpiY,
                                                           turned, placeholderDpi);
                placement = PlacePage(size, cells[cell], sheet.dpiX, sheet.dpiY, options);
                if (DrawPlaceholder(PlaceholderLines(jobId, result.files[page.file], page), size,
                                    placeholder)) {
                    if (placement.rotate)
                        placeholder = TurnLeft(placeholder);
                    bitmap = &placeholder;
                }
            }
            if (bitmap && !DrawPage(document.Dc(), *bitmap, placement, sheet.dpiX, sheet.dpiY))
                return Fail(result, notPrinted, "the printer did not take a page image");
            // A placeholder that could not be drawn still leaves its frame.
            if ((options.frame || !bitmap) && !DrawFrame(document.Dc(), placement.target, sheet))
                return Fail(result, notPrinted, "the printer did not take the frame");
        }
        if (!document.EndSheet(reason))
            return Fail(result, notPrinted, reason);
    }
    // Until here the destructor aborts the document: nothing reaches the paper.
    if (!document.EndDocument(reason))
        return Fail(result, notPrinted, reason);
    result.state = GroupResult::State::Printed;
}
