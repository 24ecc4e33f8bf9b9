// Where the installation lives, found by JP_init through the registry (the
// names of its files: shared_formats/installation_files.h). No
// folder text carries a trailing "\". Empty until JP_init has read them;
// a folder whose registry value could not be read stays empty.
#pragma once
#include "jobport_readers/config_record.h"

// Key below HKEY_LOCAL_MACHINE that holds the folder values.
extern char gSubKey[kPathBufferSize];
// Folder of "KESTRO.EXE".
extern char gInstallDir[kPathBufferSize];
// Folder of the print settings file.
extern char gIniDir[kPathBufferSize];
// Folder that holds the data folder "Data".
extern char gDataDir[kPathBufferSize];
// gIniDir + "\KESTROst.ini"; empty while gIniDir is.
extern char gSettingFile[kPathBufferSize];

