#include "print_setting_reader.h"

#include <climits>

namespace {

const char kConfigSection[] = "Velora Config";
const char kPrintSection[] = "Print Setting";

bool HasPath(const char* path) { return path && path[0] != '\0'; }

}  // namespace

const PrintSettingKey kPrintSettingKeys[] = {
    {kConfigSection, "PrintAfterReceivedAllData", 0, 0, 1},
    {kPrintSection, "PrintPosSetting", 4, 0, 8},  // horizontal * 3 + vertical
    {kPrintSection, "SortSetting", 0, 0, 1},
    {kPrintSection, "PrintSizeSetting", 1, 0, 1},
    {kPrintSection, "NupPrintSetting", 0, 0, 2},  // 1, 2 or 4 pages a sheet
    {kPrintSection, "PageFramePrintSetting", 0, 0, 1},
    {kPrintSection, "AutoRotatePrintSetting", 1, 0, 1},
    {kPrintSection, "AutoPaperChange", 0, INT_MIN, INT_MAX},  // passed on, no meaning
};
const size_t kPrintSettingKeyCount = sizeof kPrintSettingKeys / sizeof kPrintSettingKeys[0];

int32_t ReadPrintAfterReceivedAllData(const char* settingFile, ProfileReader& profile)
{
    const PrintSettingKey& key = kPrintSettingKeys[0];
    if (!HasPath(settingFile))
        return key.libraryDefault;
    return profile.ReadInt(settingFile, key.section, key.key, key.libraryDefault);
}

void ReadPrintSetting(const char* settingFile, PrintSettings& settings, ProfileReader& profile)
{
    uint8_t* const fields[] = {
        &settings.PrintPosSetting,       &settings.SortSetting,
        &settings.PrintSizeSetting,      &settings.NupPrintSetting,
        &settings.PageFramePrintSetting, &settings.AutoRotatePrintSetting,
        &settings.AutoPaperChange,
    };
    const bool hasFile = HasPath(settingFile);
    for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
        const PrintSettingKey& key = kPrintSettingKeys[i + 1];
        const int32_t read = hasFile ? profile.ReadInt(settingFile, key.section, key.key,
                                                       key.libraryDefault)
                                     : key.libraryDefault;
        *fields[i] = static_cast<uint8_t>(static_cast<uint32_t>(read) & 0xFFu);
    }
}
