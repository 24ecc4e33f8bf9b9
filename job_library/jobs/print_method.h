// How a job's pages are released to the launcher, decided once when the job
// starts.
#pragma once
#include <cstdint>

#include "shared_formats/print_settings_file.h"

const uint8_t PRINT_EACH_PAGE = 1;      // each page at once
const uint8_t PRINT_PER_2_PAGES = 2;    // in groups of 2
const uint8_t PRINT_PER_4_PAGES = 3;    // in groups of 4
const uint8_t PRINT_AFTER_ENDJOB = 30;  // all together once the job has ended

// Holding the whole job wins when the user asked to print only after all data
// arrived, or for sorted copies; otherwise the N-up value decides. Returns
// false (method untouched) when settings are missing or the N-up value is not
// 0, 1 or 2.
bool DecidePrintMethod(int32_t printAfterReceivedAllData, const PrintSettings* settings,
                       uint32_t copies, uint8_t* method);

// Pages per group for the grouping methods; 0 for every other method.
uint32_t PagesPerGroup(uint8_t method);
