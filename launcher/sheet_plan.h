// Which pages go on which sheet, and in which order the sheets come out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The pages of one sheet, as indices into the group's pages, in cell order.
using Sheet = std::vector<size_t>;

// The sheets of a group of pageCount pages. The pages fill sheets of
// pagesPerSheet cells in page order (the last sheet may have empty cells);
// every sheet holds at least one page.
// Sorted: the whole set of sheets once per copy (1 2 3, 1 2 3). Unsorted: the
// copies of each sheet together (1 1, 2 2, 3 3).
std::vector<Sheet> PlanSheets(size_t pageCount, int32_t pagesPerSheet, int32_t copies,
                              bool sorted);
