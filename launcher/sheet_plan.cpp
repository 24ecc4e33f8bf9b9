#include "sheet_plan.h"

namespace {

size_t PerSheet(int32_t pagesPerSheet)
{
    return pagesPerSheet < 1 ? 1 : static_cast<size_t>(pagesPerSheet);
}

size_t CopyCount(int32_t copies) { return copies < 1 ? 1 : static_cast<size_t>(copies); }

// One copy of a group's sheets, its pages numbered from firstIndex.
void AppendSet(size_t firstIndex, size_t pageCount, size_t perSheet, std::vector<Sheet>& set)
{
    for (size_t first = 0; first < pageCount; first += perSheet) {
        Sheet sheet;
        for (size_t page = first; page < pageCount && page < first + perSheet; ++page)
            sheet.push_back(firstIndex + page);
        set.push_back(sheet);
    }
}

}  // namespace

std::vector<Sheet> PlanSheets(size_t pageCount, int32_t pagesPerSheet, int32_t copies,
                              bool sorted)
{
    const size_t copyCount = CopyCount(copies);
    std::vector<Sheet> set;
    AppendSet(0, pageCount, PerSheet(pagesPerSheet), set);

    std::vector<Sheet> sheets;
    sheets.reserve(set.size() * copyCount);
    if (sorted) {
        for (size_t copy = 0; copy < copyCount; ++copy)
            sheets.insert(sheets.end(), set.begin(), set.end());
    } else {
        for (const Sheet& sheet : set)
            sheets.insert(sheets.end(), copyCount, sheet);
    }
    return sheets;
}

size_t SidesOf(size_t pageCount, int32_t pagesPerSheet)
{
    const size_t perSheet = PerSheet(pagesPerSheet);
    return (pageCount + perSheet - 1) / perSheet;
}

std::vector<Sheet> PlanTwoSidedSheets(const std::vector<size_t>& groupPageCounts,
                                      int32_t pagesPerSheet, int32_t copies, bool sorted)
{
    const size_t copyCount = CopyCount(copies);
    std::vector<Sheet> set;
    size_t firstIndex = 0;
    for (const size_t pages : groupPageCounts) {
        AppendSet(firstIndex, pages, PerSheet(pagesPerSheet), set);
        firstIndex += pages;
    }
    if (set.size() % 2 != 0)
        set.push_back(Sheet());  // the blank back of the set's last sheet

    std::vector<Sheet> sides;
    sides.reserve(set.size() * copyCount);
    if (sorted) {
        for (size_t copy = 0; copy < copyCount; ++copy)
            sides.insert(sides.end(), set.begin(), set.end());
    } else {
        for (size_t front = 0; front < set.size(); front += 2)
            for (size_t copy = 0; copy < copyCount; ++copy) {
                sides.push_back(set[front]);
                sides.push_back(set[front + 1]);
            }
    }
    return sides;
}
