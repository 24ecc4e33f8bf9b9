#include "placeholder_page.h"

#include <algorithm>
#include <cmath>

#include "jobport_readers/page_file_names.h"

std::vector<std::string> PlaceholderLines(uint32_t jobId, const GroupFile& file,
                                          const GroupPage& page)
{
    std::vector<std::string> lines;
    lines.push_back("Page " + std::to_string(file.jobPage) + " of job " + std::to_string(jobId) +
                    " could not be printed");
    std::string name = "File: " + PageFileName(file.path);
    if (page.fileFrames > 1)
        name += " (page " + std::to_string(page.frame + 1) + " of " +
                std::to_string(page.fileFrames) + " in the file)";
    lines.push_back(name);
    lines.push_back("Reason: " + page.failure + ".");
    lines.push_back("The file was not deleted: the launcher's message and its log say where it is kept.");
    return lines;
}

PageImageSize PlaceholderSize(const Rect& cell, double deviceDpiX, double deviceDpiY, bool turned,
                              double dpi)
{
    PageImageSize size;
    size.width = std::max(1, static_cast<int32_t>(std::lround(cell.Width() / deviceDpiX * dpi)));
    size.height = std::max(1, static_cast<int32_t>(std::lround(cell.Height() / deviceDpiY * dpi)));
    if (turned)
        std::swap(size.width, size.height);
    size.dpiX = size.dpiY = dpi;
    return size;
}

PageImageSize FirstCellPlaceholderSize(int32_t width, int32_t height, double deviceDpiX,
                                       double deviceDpiY, const LayoutOptions& options, double dpi)
{
    const std::vector<Rect> cells = GridCells(width, height, options.pagesPerSheet,
                                              GutterSize(deviceDpiX), GutterSize(deviceDpiY));
    return PlaceholderSize(cells.front(), deviceDpiX, deviceDpiY, false, dpi);
}
