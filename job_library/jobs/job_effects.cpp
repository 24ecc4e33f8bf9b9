#include "job_effects.h"

#include "setup/clog_file.h"
#include "setup/error_reporter.h"

namespace {

class UnconnectedJobEffects : public JobEffects {
public:
    void WriteLog(int32_t number, const char* text) override { gLog.WriteLog(number, text); }
    void ReportError(int32_t errorNumber, uint32_t jobId) override
    {
        ::ReportError(errorNumber, jobId);
    }
    bool MovePageFile(const std::string&, std::string&, std::string& refusalLine,
                      int32_t* errorCode) override
    {
        refusalLine = "<<Error>> page file not moved (no file system)";
        *errorCode = 0;
        return false;
    }
    bool DeletePageFile(const std::string&) override { return false; }
    bool WriteJobSettingsFile(uint32_t, uint32_t, const PrintSettings&) override { return false; }
    bool WritePageListFile(uint32_t, uint32_t, const std::vector<std::string>&) override
    {
        return false;
    }
    void DeleteHandoffFile(uint32_t, uint32_t) override {}
    bool PageListsWait(uint32_t) override { return false; }
    bool ClaimJobId(uint32_t) override { return true; }
    void ReleaseJobId(uint32_t) override {}
    bool CreateLauncher() override { return false; }
    bool PostToLauncher(uint32_t, uint32_t, uint32_t) override { return false; }
    int32_t CheckPrinter(uint32_t) override { return 0; }
    int32_t ReadPrintAfterReceivedAllData() override { return 0; }
    bool ReadPrintSetting(PrintSettings&) override { return false; }
};

UnconnectedJobEffects gUnconnected;
JobEffects* gInstalled = nullptr;

}  // namespace

void SetJobEffects(JobEffects* effects)
{
    gInstalled = effects;
}

JobEffects& Effects()
{
    return gInstalled ? *gInstalled : gUnconnected;
}
