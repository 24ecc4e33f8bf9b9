// Which pages go on which sheet, and in which order the sheets come out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The pages of one sheet, as indices into the group's pages, in cell order.
// In a two-sided plan an empty one is a blank side.
using Sheet = std::vector<size_t>;

// The sheets of a group of pageCount pages. The pages fill sheets of
// pagesPerSheet cells in page order (the last sheet may have empty cells);
// every sheet holds at least one page.
// Sorted: the whole set of sheets once per copy (1 2 3, 1 2 3). Unsorted: the
// copies of each sheet together (1 1, 2 2, 3 3).
std::vector<Sheet> PlanSheets(size_t pageCount, int32_t pagesPerSheet, int32_t copies,
                              bool sorted);

// The sides a group of pageCount pages fills, pagesPerSheet to a side.
size_t SidesOf(size_t pageCount, int32_t pagesPerSheet);

// The sides of a two-sided document of one or more groups of a job, in the
// order they are printed: front, back, front, back. groupPageCounts holds the
// pages of each group in order; page indices run on from one group to the
// next, and each group's pages fill sides of their own as PlanSheets fills
// sheets. A side's back carries the side that follows it; a set of copies
// with an odd number of sides ends with a blank back, so that every set
// starts on a front. Sorted: the whole set once per copy. Unsorted: each
// sheet's front and back together, once per copy (1 2, 1 2, 3 4, 3 4).
std::vector<Sheet> PlanTwoSidedSheets(const std::vector<size_t>& groupPageCounts,
                                      int32_t pagesPerSheet, int32_t copies, bool sorted);
