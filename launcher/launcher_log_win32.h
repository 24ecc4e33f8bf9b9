// The launcher log "KESTROlauncher.log": one time-stamped line per event
// (messages received, groups printed, files deleted, every failure with the
// system's error code). It lies beside the library's debug log, in the
// folder of the registry value "Debug Log Path", or in the temporary folder
// when that is unknown. Each line also goes to OutputDebugString. At start a
// log larger than 1 MB is moved to "KESTROlauncher.old" (replacing it), so
// the two never take more than 2 MB. Safe to call from any thread.
#pragma once
#include <string>

// Sets the folder (no trailing "\") and starts the log there.
void OpenLauncherLog(const std::string& folder);

void LogLine(const std::string& text);

// "<call> failed, error <GetLastError()>" (with ": <subject>" when given): for
// the calls of GDI, the spooler and the file system, which report their
// reason through the last error. Takes the error before anything else runs.
void LogFailure(const char* call);
void LogFailure(const char* call, const std::string& subject);

// The path of the log file; empty before OpenLauncherLog.
std::string LauncherLogPath();
