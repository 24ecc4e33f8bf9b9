// The names of the installation's files and folders: Setup makes them, the
// library and the launcher find them below the folders the installation's
// registry key names.
#pragma once

constexpr char kCfgFileName[] = "KESTRO.cfg";          // the library's and launcher's configuration
constexpr char kSettingFileName[] = "KESTROst.ini";    // the print settings file, in the settings folder
constexpr char kDebugLogFileName[] = "KESTROd.LOG";    // the library's ring debug log
constexpr char kErrorLogFileName[] = "KESTROe.log";    // the library's error log, in the log folder
constexpr char kDataFolderName[] = "Data";             // the data folder, below the data directory
