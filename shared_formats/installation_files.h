// The names of the installation's files and folders: Setup makes the
// folders and guards them, the library and the launcher find the files
// below the folders the installation's registry key names.
#pragma once

constexpr char kCfgFileName[] = "KESTRO.cfg";          // the library's and launcher's configuration
constexpr char kSettingFileName[] = "KESTROst.ini";    // the print settings file, in the settings folder
constexpr char kDebugLogFileName[] = "KESTROd.LOG";    // the library's ring debug log
constexpr char kErrorLogFileName[] = "KESTROe.log";    // the library's error log, in the log folder
constexpr char kDataFolderName[] = "Data";             // the data folder, below the data directory
// The launcher's log in the log folder, and its previous part once it grew too large.
constexpr char kLauncherLogFileName[] = "KESTROlauncher.log";
constexpr char kLauncherOldLogFileName[] = "KESTROlauncher.old";
