// The platform services JP_init works through.
#pragma once
#include "file_system.h"
#include "jobport_readers/profile_reader.h"
#include "jobport_readers/registry_reader.h"

struct SetupPlatform {
    ProfileReader& profile;
    RegistryReader& registry;
    FileSystem& files;
};
