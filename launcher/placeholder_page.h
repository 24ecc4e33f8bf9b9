// The placeholder printed in the place of a page that cannot be printed: a
// framed page of the place's size saying which page of which job it stands
// for, the file's name and why, so that the print-out stays complete and in
// order and the reader sees at once what is missing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "group_pages.h"
#include "page_layout.h"

// The lines of text, first the title: "Page 3 of job 7 could not be printed".
std::vector<std::string> PlaceholderLines(uint32_t jobId, const GroupFile& file,
                                          const GroupPage& page);

// The size the placeholder of `cell` is drawn at, at `dpi` pixels an inch,
// so that it fills the cell: shaped like the cell, or like the cell turned
// a quarter when the sheet is read turned (the placeholder is then turned
// with the sheet's other pages and reads the same way).
PageImageSize PlaceholderSize(const Rect& cell, double deviceDpiX, double deviceDpiY, bool turned,
                              double dpi);

// The size of the first cell of a sheet, for a placeholder that is the
// sheet's first page: it decides that the sheet is read upright.
PageImageSize FirstCellPlaceholderSize(int32_t width, int32_t height, double deviceDpiX,
                                       double deviceDpiY, const LayoutOptions& options, double dpi);
