#include "install_folders.h"

char gSubKey[kPathBufferSize] = {};
char gInstallDir[kPathBufferSize] = {};
char gIniDir[kPathBufferSize] = {};
char gDataDir[kPathBufferSize] = {};
char gSettingFile[kPathBufferSize] = {};

const char kCfgFileName[] = "KESTRO.cfg";
const char kSettingFileName[] = "KESTROst.ini";
const char kDebugLogFileName[] = "KESTROd.LOG";
const char kErrorLogFileName[] = "KESTROe.log";
const char kDataFolderName[] = "Data";
