// The seven layout values a job takes from the print settings file when it
// starts, in the order they are read and handed on to the launcher.
#pragma once
#include <cstdint>

struct PrintSettings {
    uint8_t PrintPosSetting = 0;
    uint8_t SortSetting = 0;
    uint8_t PrintSizeSetting = 0;
    uint8_t NupPrintSetting = 0;
    uint8_t PageFramePrintSetting = 0;
    uint8_t AutoRotatePrintSetting = 0;
    uint8_t AutoPaperChange = 0;
};
