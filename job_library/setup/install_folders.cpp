#include "install_folders.h"

char gSubKey[kPathBufferSize] = {};
char gInstallDir[kPathBufferSize] = {};
char gIniDir[kPathBufferSize] = {};
char gDataDir[kPathBufferSize] = {};
char gSettingFile[kPathBufferSize] = {};
