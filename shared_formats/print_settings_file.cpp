#include "print_settings_file.h"

const PrintSettingField kPrintSettingFields[] = {
    {&kPrintPosSetting, &PrintSettings::PrintPosSetting},
    {&kSortSetting, &PrintSettings::SortSetting},
    {&kPrintSizeSetting, &PrintSettings::PrintSizeSetting},
    {&kNupPrintSetting, &PrintSettings::NupPrintSetting},
    {&kPageFramePrintSetting, &PrintSettings::PageFramePrintSetting},
    {&kAutoRotatePrintSetting, &PrintSettings::AutoRotatePrintSetting},
    {&kAutoPaperChange, &PrintSettings::AutoPaperChange},
};
const size_t kPrintSettingFieldCount = sizeof kPrintSettingFields / sizeof kPrintSettingFields[0];

const PrintSettingKey* const kPrintSettingKeys[] = {
    &kPrintAfterReceivedAllData, &kPrintPosSetting,       &kSortSetting,
    &kPrintSizeSetting,          &kNupPrintSetting,       &kPageFramePrintSetting,
    &kAutoRotatePrintSetting,    &kAutoPaperChange,
};
const size_t kPrintSettingKeyCount = sizeof kPrintSettingKeys / sizeof kPrintSettingKeys[0];

PrintSettings ReadPrintSettings(const SettingNumberReader& read)
{
    PrintSettings settings;
    for (const PrintSettingField& field : kPrintSettingFields)
        settings.*field.value = static_cast<uint8_t>(static_cast<uint32_t>(read(*field.key)) & 0xFFu);
    return settings;
}
