// Everything the job engine does to the world outside its own tables goes
// through JobEffects: the DLL installs an adapter that makes the real calls,
// native tests install a recorder. Implementations must not throw.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shared_formats/print_settings_file.h"

class JobEffects {
public:
    virtual ~JobEffects() = default;

    // One line of the debug log.
    virtual void WriteLog(int32_t number, const char* text) = 0;
    // The library's error reporter (it may close the job's id).
    virtual void ReportError(int32_t errorNumber, uint32_t jobId) = 0;

    // Moves a page file from the host's path into the data folder and stores
    // the destination in newPath. False when it was not moved: the file stays
    // with the host, newPath is left as it was, and refusalLine is the debug
    // log line that names the file, with the Windows error code as its
    // number in *errorCode.
    virtual bool MovePageFile(const std::string& hostPath, std::string& newPath,
                              std::string& refusalLine, int32_t* errorCode) = 0;
    // Deletes a held page file.
    virtual bool DeletePageFile(const std::string& path) = 0;

    // Writes the job's settings hand-off file (page 0); on failure the writer
    // has already reported its error.
    virtual bool WriteJobSettingsFile(uint32_t jobId, uint32_t copies,
                                      const PrintSettings& settings) = 0;
    // Writes the page-list hand-off file of a group: the count, then one path
    // a line. On failure the writer has reported its own error.
    virtual bool WritePageListFile(uint32_t jobId, uint32_t firstPage,
                                   const std::vector<std::string>& paths) = 0;
    // Deletes the hand-off file of (job, page); a missing file is no error.
    virtual void DeleteHandoffFile(uint32_t jobId, uint32_t page) = 0;
    // True when a page list of jobId is in the temporary folder: a group of
    // a job of an earlier library (or of an id issued 255 jobs ago) still
    // waits for the launcher under that id.
    virtual bool PageListsWait(uint32_t jobId) = 0;
    // Claims jobId for this process's job against every other process of
    // the user (host or launcher); false when one of them holds it.
    virtual bool ClaimJobId(uint32_t jobId) = 0;
    // Gives a claim of jobId back; nothing when it is not held.
    virtual void ReleaseJobId(uint32_t jobId) = 0;

    // Starts the launcher and waits until it is ready.
    virtual bool CreateLauncher() = 0;
    // Posts a message to the launcher; the poster reports its own failures.
    virtual bool PostToLauncher(uint32_t wParam, uint32_t lParam, uint32_t message) = 0;

    // 0 when the printer can print, else the error number to report.
    virtual int32_t CheckPrinter(uint32_t checkFlags) = 0;
    // The "PrintAfterReceivedAllData" value of the print settings file.
    virtual int32_t ReadPrintAfterReceivedAllData() = 0;
    // The seven layout values of the print settings file; false when they
    // cannot be had.
    virtual bool ReadPrintSetting(PrintSettings& settings) = 0;
};

// Installs the effects the engine uses (not owned); null uninstalls them.
void SetJobEffects(JobEffects* effects);
// The installed effects. Until some are installed the engine still logs and
// reports through the library's log and error reporter, and every other
// effect fails.
JobEffects& Effects();
