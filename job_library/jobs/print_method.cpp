#include "print_method.h"

bool DecidePrintMethod(int32_t printAfterReceivedAllData, const PrintSettings* settings,
                       uint32_t copies, uint8_t* method)
{
    if (printAfterReceivedAllData != 0) {
        *method = PRINT_AFTER_ENDJOB;
        return true;
    }
    if (!settings)
        return false;
    // Sorted copies need the whole job before the first copy can start.
    if (settings->SortSetting == 1 && copies >= 2) {
        *method = PRINT_AFTER_ENDJOB;
        return true;
    }
    switch (settings->NupPrintSetting) {
    case 0: *method = PRINT_EACH_PAGE; return true;
    case 1: *method = PRINT_PER_2_PAGES; return true;
    case 2: *method = PRINT_PER_4_PAGES; return true;
    default: return false;
    }
}

uint32_t PagesPerGroup(uint8_t method)
{
    if (method == PRINT_PER_2_PAGES)
        return 2;
    if (method == PRINT_PER_4_PAGES)
        return 4;
    return 0;
}
