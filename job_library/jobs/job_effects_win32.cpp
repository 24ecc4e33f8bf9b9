#include "job_effects_win32.h"

#include <windows.h>

#include <map>
#include <utility>

#include "handoff_file_system_win32.h"
#include "handoff_files.h"
#include "held_page_locks_win32.h"
#include "job_effects.h"
#include "jobport_readers/temp_folder_win32.h"
#include "launcher_control_win32.h"
#include "log_text.h"
#include "page_file_move.h"
#include "page_file_system_win32.h"
#include "setup/clog_file.h"
#include "setup/error_reporter.h"
#include "setup/install_folders.h"
#include "setup/printer_check_win32.h"
#include "setup/setup_platform_win32.h"
#include "shared_formats/handoff_file_name.h"
#include "shared_formats/installation_files.h"
#include "waiting_handoff_files.h"
#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/named_claim_win32.h"

namespace {

class Win32Effects : public JobEffects {
public:
    void WriteLog(int32_t number, const char* text) override { gLog.WriteLog(number, text); }

    void ReportError(int32_t errorNumber, uint32_t jobId) override
    {
        ::ReportError(errorNumber, jobId);
    }

    bool MovePageFile(const std::string& hostPath, std::string& newPath,
                      std::string& refusalLine, int32_t* errorCode) override
    {
        PageRefusal refusal;
        int32_t sourceKeptError = 0;
        if (::MovePageFile(Win32PageFileSystem(), gDataDir, hostPath, newPath, refusal,
                           &sourceKeptError)) {
            if (sourceKeptError != 0)
                WriteLog(sourceKeptError,
                         FormatLogText("  page file copied, the host's file stays: %s",
                                       hostPath.c_str()).c_str());
            LockHeldPage(newPath);
            ReleaseMovedPageGuard();
            return true;
        }
        ReleaseMovedPageGuard();
        refusalLine = PageRefusalLine(refusal, hostPath);
        *errorCode = refusal.errorCode;
        return false;
    }

    bool DeletePageFile(const std::string& path) override
    {
        UnlockPage(path);
        return DeleteFileA(path.c_str()) != FALSE;
    }

    bool WriteJobSettingsFile(uint32_t jobId, uint32_t copies,
                              const PrintSettings& settings) override
    {
        char temp[MAX_PATH + 1];
        if (!TempFolder(temp, sizeof temp, jobId))
            return false;
        return ::WriteJobSettingsFile(Win32HandoffFileSystem(), temp, jobId, copies, settings);
    }

    bool WritePageListFile(uint32_t jobId, uint32_t firstPage,
                           const std::vector<std::string>& paths) override
    {
        char temp[MAX_PATH + 1];
        if (!TempFolder(temp, sizeof temp, jobId))
            return false;
        if (!::WritePageListFile(Win32HandoffFileSystem(), temp, jobId, firstPage, paths))
            return false;
        // The group is handed over next: the launcher opens and deletes its pages.
        for (const std::string& path : paths)
            UnlockPage(path);
        return true;
    }

    void DeleteHandoffFile(uint32_t jobId, uint32_t page) override
    {
        char temp[MAX_PATH + 1];
        if (ReadTempFolder(temp, sizeof temp))
            ::DeleteHandoffFile(Win32HandoffFileSystem(), temp, jobId, page);
    }

    bool ClaimJobId(uint32_t jobId) override
    {
        char temp[MAX_PATH + 1];
        if (!ReadTempFolder(temp, sizeof temp))
            return true;
        bool heldElsewhere = false;
        KernelHandle claim = ClaimJobIdNamed(JobIdClaimName(temp, jobId), &heldElsewhere);
        if (heldElsewhere)
            return false;
        try {
            if (claim)
                m_claims[jobId] = std::move(claim);
        } catch (...) {
            // Out of memory: the job goes on without its claim.
        }
        return true;
    }

    void ReleaseJobId(uint32_t jobId) override
    {
        const auto claim = m_claims.find(jobId);
        if (claim != m_claims.end())
            m_claims.erase(claim);
    }

    bool PageListsWait(uint32_t jobId) override
    {
        char temp[MAX_PATH + 1];
        return ReadTempFolder(temp, sizeof temp) &&
               ::PageListsWait(Win32SetupPlatform().files, temp, jobId);
    }

    bool CreateLauncher() override
    {
        // The launcher gets the configuration file the library itself read.
        char config[kPathBufferSize];
        if (!FindCfgFile(config, sizeof config, kCfgFileName))
            return false;
        return ::CreateLauncher(gInstallDir, config);
    }

    bool PostToLauncher(uint32_t wParam, uint32_t lParam, uint32_t message) override
    {
        return ::PostToLauncher(wParam, lParam, message);
    }

    int32_t CheckPrinter(uint32_t checkFlags) override { return ::CheckPrinter(checkFlags); }

    int32_t ReadPrintAfterReceivedAllData() override { return ::ReadPrintAfterReceivedAllData(); }

    bool ReadPrintSetting(PrintSettings& settings) override
    {
        ::ReadPrintSetting(settings);
        return true;
    }

private:
    // Without a temporary folder no hand-off file name can be formed.
    static bool TempFolder(char* folder, size_t size, uint32_t jobId)
    {
        if (ReadTempFolder(folder, size))
            return true;
        ::ReportError(kErrorHandoffName, jobId);
        return false;
    }

    // The claims of the ids of the jobs in the table.
    std::map<uint32_t, KernelHandle> m_claims;
};

Win32Effects gWin32Effects;

}  // namespace

JobEffects& Win32JobEffects() { return gWin32Effects; }
