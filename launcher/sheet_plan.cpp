#include "sheet_plan.h"

std::vector<Sheet> PlanSheets(size_t pageCount, int32_t pagesPerSheet, int32_t copies,
                              bool sorted)
{
    const size_t perSheet = pagesPerSheet < 1 ? 1 : static_cast<size_t>(pagesPerSheet);
    const size_t copyCount = copies < 1 ? 1 : static_cast<size_t>(copies);

    std::vector<Sheet> set;
    for (size_t first = 0; first < pageCount; first += perSheet) {
        Sheet sheet;
        for (size_t page = first; page < pageCount && page < first + perSheet; ++page)
            sheet.push_back(page);
        set.push_back(sheet);
    }

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
