#include "launcher_log_win32.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

#include "shared_formats/installation_files.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const DWORD kMaxLogBytes = 1024 * 1024;

std::mutex gLogLock;
std::string gLogPath;

}  // namespace

void OpenLauncherLog(const std::string& folder)
{
    std::lock_guard<std::mutex> hold(gLogLock);
    gLogPath = folder + "\\" + kLauncherLogFileName;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(gLogPath.c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh != 0 || data.nFileSizeLow > kMaxLogBytes)) {
        const std::string old = folder + "\\" + kLauncherOldLogFileName;
        MoveFileExA(gLogPath.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

void LogLine(const std::string& text)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04u/%02u/%02u %02u:%02u:%02u.%03u [%lu] ", now.wYear,
                  now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                  static_cast<unsigned long>(GetCurrentThreadId()));
    const std::string line = stamp + text + "\r\n";
    OutputDebugStringA(("KESTRO: " + text + "\n").c_str());

    std::lock_guard<std::mutex> hold(gLogLock);
    if (gLogPath.empty())
        return;
    const KernelHandle file(CreateFileA(gLogPath.c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void LogFailure(const char* call)
{
    const DWORD error = GetLastError();
    LogLine(std::string(call) + " failed, error " + std::to_string(error));
}

void LogFailure(const char* call, const std::string& subject)
{
    const DWORD error = GetLastError();
    LogLine(std::string(call) + " failed, error " + std::to_string(error) + ": " + subject);
}

std::string LauncherLogPath()
{
    std::lock_guard<std::mutex> hold(gLogLock);
    return gLogPath;
}
