#include "group_printer_win32.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "bitmap24.h"
#include "document_name.h"
#include "document_times.h"
#include "handoff_paths_win32.h"
#include "job_settings.h"
#include "jobport_readers/profile_reader_win32.h"
#include "launcher_log_win32.h"
#include "page_drawing_win32.h"
#include "page_layout.h"
#include "page_list.h"
#include "placeholder_drawing_win32.h"
#include "placeholder_page.h"
#include "printer_choice_win32.h"
#include "printer_document_win32.h"
#include "sheet_plan.h"
#include "two_sided_wait.h"

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

    const DecodedPage* Get(HANDLE file, const GroupPage& page, size_t index, bool turned,
                           std::string& reason)
    {
        const bool samePage = m_valid && m_page == index;
        if (samePage && m_turned == turned)
            return &m_decoded;
        if (!samePage || m_turned) {
            m_valid = false;
            m_decoded = DecodedPage();
            if (!m_decoder.Decode(file, page.frame, m_decoded, reason))
                return nullptr;
            m_page = index;
            m_turned = false;
            m_valid = true;
        }
        if (turned) {
            if (m_decoded.IsOneBit())
                m_decoded.oneBit = TurnLeft(m_decoded.oneBit);
            else
                m_decoded.colour = TurnLeft(m_decoded.colour);
            m_turned = true;
        }
        return &m_decoded;
    }

private:
    PageDecoder& m_decoder;
    DecodedPage m_decoded;
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

// A page of a document of one or more groups.
struct DocumentPage {
    PendingGroup* group;
    size_t page;  // index into the group's pages
};

// The name as Windows takes it in the active code page: the configured name
// is ANSI text.
std::wstring Widened(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// The name for the log, in the active code page.
std::string Narrowed(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0],
                            length, nullptr, nullptr);
    return narrow;
}

// "job 3 group(s) 1 2" for the log lines of a document.
std::string GroupsText(const std::vector<PendingGroup*>& groups)
{
    std::string text = "job " + std::to_string(groups.front()->jobId) + " group(s)";
    for (const PendingGroup* group : groups)
        text += " " + std::to_string(group->firstPage);
    return text;
}

}  // namespace

uint32_t PendingGroup::LastPage() const
{
    return result.files.empty() ? firstPage : result.files.back().jobPage;
}

bool PendingGroup::EndsJob() const { return GroupEndsJob(result.files.size(), settings); }

GroupPrinter::GroupPrinter(const LauncherSetup& setup, PageDecoder& decoder)
    : m_setup(setup),
      m_decoder(decoder),
      m_gate(setup.dataFolder),
      m_guard(OpenPrintGuard(setup)),
      m_choices(setup.settingsFolder, m_guard.get(), setup.printGuardWaitMs, m_profile, m_files,
                [](const std::string& line) { LogLine(line); })
{
}

bool GroupPrinter::Read(uint32_t jobId, uint32_t firstPage, PendingGroup& group)
{
    group.readMs = 0;
    const TimeAdder timing(&group.readMs);
    m_decoder.ForgetKept();  // the first page of this group is the next decoded
    group.Release();
    group.jobId = jobId;
    group.firstPage = firstPage;
    GroupResult& result = group.result;
    result = GroupResult();
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
    group.settings = ReadJobSettings(settingsPath.c_str(), profile);
    group.options = LayoutFromSettings(group.settings);
    LogLine("job " + std::to_string(jobId) + " group " + std::to_string(firstPage) + ": " +
            std::to_string(paths.size()) + " page file(s), " + DescribeSettings(group.settings));
    if (!OpenPages(group))
        return false;
    result.state = GroupResult::State::Waiting;
    return true;
}

bool GroupPrinter::OpenPages(PendingGroup& group)
{
    // A list that names anything but the data folder's pages is not the
    // library's: nothing of it is printed, moved or deleted.
    GroupResult& result = group.result;
    group.MakePlaces(result.files.size());
    for (size_t i = 0; i < result.files.size(); ++i) {
        GroupFile& file = result.files[i];
        std::string reason;
        const PageFileGate::Verdict verdict = m_gate.Open(file.path, group.Place(i), reason);
        if (verdict == PageFileGate::Verdict::Foreign) {
            group.Release();
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
        if (file.failure.empty() && !m_decoder.Probe(group.File(i), probe, reason))
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

bool GroupPrinter::ChoosePrinterNow(ChosenPrinter& printer, std::string& reason)
{
    m_choosingMs = 0;
    const TimeAdder timing(&m_choosingMs);
    return ChoosePrinter(m_choices.Current(), printer, reason);
}

void GroupPrinter::PrintDocument(const ChosenPrinter& printer,
                                 const std::vector<PendingGroup*>& groups, bool wholeJob)
{
    if (groups.empty())
        return;
    DocumentTimes times;
    for (const PendingGroup* group : groups)
        times.readMs += group->readMs;
    const std::chrono::steady_clock::time_point begun = std::chrono::steady_clock::now();
    // Until EndDoc has returned nothing of the document is printed.
    auto mark = [&groups](GroupResult::State state, const std::string& reason) {
        for (PendingGroup* group : groups) {
            group->result.state = state;
            group->result.failure = reason;
        }
    };
    auto fail = [&mark](const std::string& reason) {
        mark(GroupResult::State::NotPrinted, reason);
        LogLine("not printed: " + reason);
    };
    mark(GroupResult::State::NotPrinted, "the document was not finished");
    std::string reason;
    PrinterDocument document;
    PrintableArea sheet;
    if (!document.Open(printer, reason))
        return fail(reason);
    if (!MeasureSheet(document.Dc(), sheet))
        return fail("the printer reports no printable area");
    const bool twoSided = printer.twoSided;
    LogLine("printer \"" + printer.name + "\": " + std::to_string(sheet.width) + " x " +
            std::to_string(sheet.height) + " dots at " + std::to_string(static_cast<int>(sheet.dpiX)) +
            " x " + std::to_string(static_cast<int>(sheet.dpiY)) + " dpi" +
            (twoSided ? ", two-sided" : ""));

    const PendingGroup& first = *groups.front();
    const LayoutOptions& options = first.options;
    const std::wstring name = DocumentName(Widened(m_setup.documentName), first.jobId,
                                           first.firstPage, groups.back()->LastPage(), wholeJob);
    if (!document.StartDocument(name, reason))
        return fail(reason);
    times.printerMs =
        m_choosingMs +
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begun).count();
    m_choosingMs = 0;

    // The document's pages, group after group, and its sides.
    std::vector<DocumentPage> pages;
    std::vector<size_t> groupPageCounts;
    for (PendingGroup* group : groups) {
        for (size_t page = 0; page < group->result.pages.size(); ++page)
            pages.push_back(DocumentPage{group, page});
        groupPageCounts.push_back(group->result.pages.size());
    }
    const std::vector<Sheet> sides =
        twoSided ? PlanTwoSidedSheets(groupPageCounts, options.pagesPerSheet, options.copies,
                                      options.sorted)
                 : PlanSheets(pages.size(), options.pagesPerSheet, options.copies, options.sorted);

    const double placeholderDpi = (std::min)(kPlaceholderDpi, (std::min)(sheet.dpiX, sheet.dpiY));
    PageSource source(m_decoder);
    Bitmap24 placeholder;
    for (const Sheet& pagesOnSide : sides) {
        {
            const TimeAdder timing(&times.drawingMs);
            if (!document.StartSheet(reason))
                return fail(reason);
        }
        if (pagesOnSide.empty()) {  // the blank back of a set's last sheet
            const TimeAdder timing(&times.drawingMs);
            if (!document.EndSheet(reason))
                return fail(reason);
            continue;
        }
        // The sheet's first page decides whether it is read turned, and so
        // the order of its cells; a placeholder first reads upright.
        const DocumentPage& head = pages[pagesOnSide.front()];
        const GroupPage& firstPage = head.group->result.pages[head.page];
        const PageImageSize firstSize =
            firstPage.failure.empty()
                ? firstPage.size
                : FirstCellPlaceholderSize(sheet.width, sheet.height, sheet.dpiX, sheet.dpiY,
                                           options, placeholderDpi);
        const std::vector<Rect> cells =
            SheetCells(firstSize, sheet.width, sheet.height, sheet.dpiX, sheet.dpiY, options);
        const bool turned =
            SheetReadTurned(firstSize, sheet.width, sheet.height, sheet.dpiX, sheet.dpiY, options);
        for (size_t cell = 0; cell < pagesOnSide.size(); ++cell) {
            const DocumentPage& at = pages[pagesOnSide[cell]];
            PendingGroup& group = *at.group;
            GroupPage& page = group.result.pages[at.page];
            const GroupFile& file = group.result.files[page.file];
            const DecodedPage* decoded = nullptr;
            const Bitmap24* bitmap = nullptr;
            PagePlacement placement;
            if (page.failure.empty()) {
                placement = PlacePage(page.size, cells[cell], sheet.dpiX, sheet.dpiY, options);
                {
                    const TimeAdder timing(&times.decodeMs);
                    decoded = source.Get(group.File(page.file), page, pagesOnSide[cell],
                                         placement.rotate, page.failure);
                }
                if (!decoded)
                    LogLine("job " + std::to_string(group.jobId) + " page " +
                            std::to_string(file.jobPage) + " cannot be decoded: " + page.failure);
                else if (decoded->IsOneBit() &&
                         !DrawPage(document.Dc(), decoded->oneBit, placement, &times))
                    return fail("the printer did not take a page image");
                else if (!decoded->IsOneBit())
                    bitmap = &decoded->colour;
            }
            if (!decoded) {
                // A page that cannot be printed: its placeholder, in every copy.
                const PageImageSize size = PlaceholderSize(cells[cell], sheet.dpiX, sheet.dpiY,
                                                           turned, placeholderDpi);
                placement = PlacePage(size, cells[cell], sheet.dpiX, sheet.dpiY, options);
                const TimeAdder timing(&times.decodeMs);
                if (DrawPlaceholder(PlaceholderLines(group.jobId, file, page), size, placeholder)) {
                    if (placement.rotate)
                        placeholder = TurnLeft(placeholder);
                    bitmap = &placeholder;
                }
            }
            if (bitmap &&
                !DrawPage(document.Dc(), *bitmap, placement, sheet.dpiX, sheet.dpiY, &times))
                return fail("the printer did not take a page image");
            // A placeholder that could not be drawn still leaves its frame.
            const bool drawn = bitmap || (decoded && decoded->IsOneBit());
            const TimeAdder timing(&times.drawingMs);
            if ((options.frame || !drawn) && !DrawFrame(document.Dc(), placement.target, sheet))
                return fail("the printer did not take the frame");
        }
        const TimeAdder timing(&times.drawingMs);
        if (!document.EndSheet(reason))
            return fail(reason);
    }
    // Until here the destructor aborts the document: nothing reaches the paper.
    {
        const TimeAdder timing(&times.endDocMs);
        if (!document.EndDocument(reason))
            return fail(reason);
    }
    mark(GroupResult::State::Printed, std::string());
    m_decoder.ForgetKept();
    LogLine("EndDoc returned for " + GroupsText(groups) + ": \"" + Narrowed(name) + "\", " +
            std::to_string(sides.size()) + " side(s)" + (twoSided ? ", two-sided" : "") + "; " +
            times.Describe());
}
