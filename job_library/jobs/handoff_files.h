// Writing and deleting the hand-off files of a job in the temporary folder
// tempDir (which ends with a backslash): the settings file of page 0 and the
// page-list file of each group handed to the launcher. Every failure is
// reported through the file system's error reporter with the job id, as
// noted per function. None of these functions throws.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "handoff_file_system.h"
#include "setup/error_table.h"
#include "shared_formats/print_settings_file.h"

// Writes text and a line end to the hand-off file of (jobId, page): the file
// is opened (emptied first unless append), written and closed again. Line
// ends are CR LF, also for a line break inside text. Reports error 32 when
// the name cannot be formed, 33 when the file cannot be opened, 34 when the
// line cannot be written (the file is closed all the same).
bool WriteHandoffLine(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                      uint32_t page, const char* text, bool append);

// Writes the page-list file of the group of jobId whose first page is
// firstPage: a line with the number of pages, then one line per path, in
// one open (the bytes WriteHandoffLine would leave line by line, at a
// fraction of the cost). Errors as WriteHandoffLine. A path longer than a 260-byte path buffer
// holds is refused before anything is written (error 34), since the
// launcher could read only part of it. On failure the caller reports that
// the group could not be written and deletes the file.
bool WritePageListFile(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                       uint32_t firstPage, const std::vector<std::string>& paths);

// Writes the settings file of jobId (its page 0) in profile format: "Copies"
// in "Number of Copies", then the seven layout values in "Print Setting".
// Fails with error 32 when the name cannot be formed, and with error 3 when
// "PrintPosSetting" cannot be written and the system gives a reason; the
// results of the other keys are not checked. On failure the caller deletes
// the file.
bool WriteJobSettingsFile(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                          uint32_t copies, const PrintSettings& settings);

// Deletes the hand-off file of (jobId, page); a missing file, or one that
// cannot be deleted, is no error.
void DeleteHandoffFile(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                       uint32_t page);
