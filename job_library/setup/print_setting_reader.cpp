#include "print_setting_reader.h"

namespace {

const char kConfigSection[] = "Velora Config";
const char kPrintSection[] = "Print Setting";

bool HasPath(const char* path) { return path && path[0] != '\0'; }

}  // namespace

int32_t ReadPrintAfterReceivedAllData(const char* settingFile, ProfileReader& profile)
{
    if (!HasPath(settingFile))
        return 0;
    return profile.ReadInt(settingFile, kConfigSection, "PrintAfterReceivedAllData", 0);
}

void ReadPrintSetting(const char* settingFile, PrintSettings& settings, ProfileReader& profile)
{
    const bool hasFile = HasPath(settingFile);
    auto value = [&](const char* key, int32_t def) {
        const int32_t read = hasFile ? profile.ReadInt(settingFile, kPrintSection, key, def) : def;
        return static_cast<uint8_t>(static_cast<uint32_t>(read) & 0xFFu);
    };
    settings.PrintPosSetting = value("PrintPosSetting", 4);
    settings.SortSetting = value("SortSetting", 0);
    settings.PrintSizeSetting = value("PrintSizeSetting", 1);
    settings.NupPrintSetting = value("NupPrintSetting", 0);
    settings.PageFramePrintSetting = value("PageFramePrintSetting", 0);
    settings.AutoRotatePrintSetting = value("AutoRotatePrintSetting", 1);
    settings.AutoPaperChange = value("AutoPaperChange", 0);
}
