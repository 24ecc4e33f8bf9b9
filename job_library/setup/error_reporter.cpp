#include "error_reporter.h"

#include "clog_file.h"
#include "diagnostics_platform.h"
#include "error_table.h"
#include "jobs/job_id_table.h"
#include "library_config.h"

namespace {

void ShowCannotPrintBox(const char* text)
{
    Diagnostics().ShowBox(text, gConfig.CannotPrintTitle, kCannotPrintBoxStyle);
}

}  // namespace

void ReportError(int32_t errorNumber, uint32_t jobId)
{
    gLog.SaveLastError(errorNumber);
    const int32_t systemError = static_cast<int32_t>(gLog.LastSystemError());
    const ErrorRow row = LookupErrorRow(errorNumber);

    if (row.fixedText)
        gLog.WriteLog(systemError, row.fixedText);
    else if (row.stringId != 0)
        gLog.WriteLogMessage(systemError, row.stringId, kLibraryModuleName);

    // The port and not-available boxes are shown whatever the job's state.
    if (row.box == ErrorBox::Port)
        ShowCannotPrintBox(gConfig.CannotPrintMsg_1);
    else if (row.box == ErrorBox::NotAvailable)
        ShowCannotPrintBox(gConfig.CannotPrintMsg_2);

    if (row.stopsJob) {
        // One general box per job: a job already closed shows none.
        if (row.box == ErrorBox::General && (jobId == 0 || gJobIdTable.IsOpen(jobId)))
            ShowCannotPrintBox(gConfig.CannotPrintMsg);
        gJobIdTable.SetOpen(jobId, false);
    }
}
