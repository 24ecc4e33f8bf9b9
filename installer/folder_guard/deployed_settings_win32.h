// Print settings an administrator gives Setup (a "KESTROst.ini" that Print
// Settings wrote on one station, with the device-mode file beside it): read
// and checked before Setup changes anything, then written into the settings
// folder exactly as checked.
#pragma once

#include <string>

#include "data_folders_win32.h"
#include "settings_bundle.h"

// Reads the settings file at path and the files it names beside it (each
// bounded) and checks them; a file that cannot be read is the problem.
SettingsBundle ReadDeployedSettings(const std::wstring& path);

enum class SettingsWrite { Written, KeptStations, Failed };

// Writes bundle into folder unless the station has print settings of its
// own there ("KESTROst.ini"); with replace, the station's stored settings
// are deleted first. Each file goes to a new temporary name, then replaces
// the name it belongs under, so no link a user left there is written
// through.
SettingsWrite WriteDeployedSettings(const std::wstring& folder, const SettingsBundle& bundle,
                                    bool replace, const Say& say);
