#include "print_setting_reader.h"

namespace {

bool HasPath(const char* path) { return path && path[0] != '\0'; }

// The stored number of key, its default when there is no settings file.
int32_t ReadSetting(const char* settingFile, const PrintSettingKey& key, ProfileReader& profile)
{
    if (!HasPath(settingFile))
        return key.libraryDefault;
    return profile.ReadInt(settingFile, key.section, key.key, key.libraryDefault);
}

}  // namespace

int32_t ReadPrintAfterReceivedAllData(const char* settingFile, ProfileReader& profile)
{
    return ReadSetting(settingFile, kPrintAfterReceivedAllData, profile);
}

void ReadPrintSetting(const char* settingFile, PrintSettings& settings, ProfileReader& profile)
{
    settings = ReadPrintSettings(
        [&](const PrintSettingKey& key) { return ReadSetting(settingFile, key, profile); });
}
