// The platform services JP_init works through.
#pragma once
#include "file_system.h"
#include "profile_reader.h"
#include "registry_reader.h"

struct SetupPlatform {
    ProfileReader& profile;
    RegistryReader& registry;
    FileSystem& files;
};
