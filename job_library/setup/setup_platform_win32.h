// The Win32 services of the library's set-up: what JP_init runs on, and the
// same reads for the job engine (the launcher's command line, the print
// settings at each job start).
#pragma once
#include <cstddef>
#include <cstdint>

#include "setup_platform.h"
#include "shared_formats/print_settings_file.h"

const SetupPlatform& Win32SetupPlatform();

// Path of fileName in the host's current directory, when it can be read.
bool FindCfgFile(char* out, size_t size, const char* fileName);

// The print settings file gSettingFile through the Windows profile functions.
int32_t ReadPrintAfterReceivedAllData();
void ReadPrintSetting(PrintSettings& settings);
