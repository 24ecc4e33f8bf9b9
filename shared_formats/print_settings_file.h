// The print settings as the programs store and hand them on. The settings
// program writes them into the print settings file "KESTROst.ini" (Setup may
// install one); jobport.dll reads them when a job starts and copies them,
// with the job's number of copies, into the job's settings hand-off file
// (handoff_file_name.h, page 0), which the launcher reads.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

constexpr char kVeloraConfigSection[] = "Velora Config";
constexpr char kPrintSettingSection[] = "Print Setting";
// Only in the job's settings hand-off file.
constexpr char kCopiesSection[] = "Number of Copies";
constexpr char kCopiesKey[] = "Copies";
constexpr int32_t kDefaultCopies = 1;

// One number of the settings file: where it is, what the readers take when it
// is absent, and the values the settings program and the library give a
// meaning (the readers take any number; Setup refuses a settings file that
// holds another one).
struct PrintSettingKey {
    const char* section;
    const char* key;
    int32_t libraryDefault;
    int32_t lowest;
    int32_t highest;
};

constexpr PrintSettingKey kPrintAfterReceivedAllData{kVeloraConfigSection,
                                                     "PrintAfterReceivedAllData", 0, 0, 1};
constexpr PrintSettingKey kPrintPosSetting{kPrintSettingSection, "PrintPosSetting", 4, 0,
                                           8};  // horizontal * 3 + vertical
constexpr PrintSettingKey kSortSetting{kPrintSettingSection, "SortSetting", 0, 0, 1};
constexpr PrintSettingKey kPrintSizeSetting{kPrintSettingSection, "PrintSizeSetting", 1, 0, 1};
constexpr PrintSettingKey kNupPrintSetting{kPrintSettingSection, "NupPrintSetting", 0, 0,
                                           2};  // 1, 2 or 4 pages a sheet
constexpr PrintSettingKey kPageFramePrintSetting{kPrintSettingSection, "PageFramePrintSetting",
                                                 0, 0, 1};
constexpr PrintSettingKey kAutoRotatePrintSetting{kPrintSettingSection,
                                                  "AutoRotatePrintSetting", 1, 0, 1};
constexpr PrintSettingKey kAutoPaperChange{kPrintSettingSection, "AutoPaperChange", 0, INT32_MIN,
                                           INT32_MAX};  // passed on, no meaning

// The seven layout values of section "Print Setting" a job takes when it
// starts, each the low 8 bits of the stored number.
struct PrintSettings {
    uint8_t PrintPosSetting = 0;
    uint8_t SortSetting = 0;
    uint8_t PrintSizeSetting = 0;
    uint8_t NupPrintSetting = 0;
    uint8_t PageFramePrintSetting = 0;
    uint8_t AutoRotatePrintSetting = 0;
    uint8_t AutoPaperChange = 0;
};

// Each field of PrintSettings with its key, in the order the library reads
// them and writes them into the hand-off file.
struct PrintSettingField {
    const PrintSettingKey* key;
    uint8_t PrintSettings::*value;
};
extern const PrintSettingField kPrintSettingFields[];
extern const size_t kPrintSettingFieldCount;

// Every key of the settings file: kPrintAfterReceivedAllData, then the
// fields' keys in their order.
extern const PrintSettingKey* const kPrintSettingKeys[];
extern const size_t kPrintSettingKeyCount;

// The seven values, each read through `read` (which gives the stored number,
// or the key's libraryDefault when the key is absent) and reduced to its low
// 8 bits.
using SettingNumberReader = std::function<int32_t(const PrintSettingKey& key)>;
PrintSettings ReadPrintSettings(const SettingNumberReader& read);
