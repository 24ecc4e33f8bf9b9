#include "setup_platform_win32.h"

#include "cfg_file.h"
#include "file_system_win32.h"
#include "install_folders.h"
#include "jobport_readers/profile_reader_win32.h"
#include "jobport_readers/registry_reader_win32.h"
#include "print_setting_reader.h"

namespace {

Win32ProfileReader gProfile;
Win32RegistryReader gRegistry;
Win32FileSystem gFiles;
const SetupPlatform gPlatform{gProfile, gRegistry, gFiles};

}  // namespace

const SetupPlatform& Win32SetupPlatform() { return gPlatform; }

bool FindCfgFile(char* out, size_t size, const char* fileName)
{
    return FindCfgFile(out, size, fileName, gFiles);
}

int32_t ReadPrintAfterReceivedAllData()
{
    return ReadPrintAfterReceivedAllData(gSettingFile, gProfile);
}

void ReadPrintSetting(PrintSettings& settings)
{
    ReadPrintSetting(gSettingFile, settings, gProfile);
}
