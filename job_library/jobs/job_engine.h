// The job interface behind the library's exports: opening a job, feeding it
// pages, ending or aborting it, and moving the current job on. All state is
// process-wide (gJobIdTable, gJobCnt, gJobTable, gbLuncherExist); every effect
// goes through the installed JobEffects. No function here throws.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The initial state: no launcher, no jobs, no ids issued, current id 1.
void ResetJobState();
// A later JP_init: the next job gets id 1 again (or the first id after it
// that no open job or waiting group holds); open jobs and the launcher stay.
void RestartJobIds();
// The library is being unloaded: the settings file of every job still in
// the table that handed no group over is deleted, as no launcher will ever
// be told about it.
void ForgetJobsAtUnload();

// Opens a job for `copies` copies; its id goes to *idOut (0 when the job was
// refused before an id was issued).
bool StartJob(uint32_t* idOut, uint32_t copies);
// Accepts the page file at `path` for job id.
bool SendData(uint32_t id, const char* path);
// Ends job id; what it still holds goes out once it is the current job.
bool EndJob(uint32_t id);
// Ends job id without printing what it still holds.
bool AbortJob(uint32_t id);

// Takes job id out of the table and closes its id.
bool RemoveJob(uint32_t id);
// For the current job id, which has ended: hands out what it holds, removes
// it and makes the next job current; a next job that has ended while it
// waited goes the same way at once.
bool AdvanceCurrentJob(uint32_t id);

// The paths of the page files the open jobs still hold.
std::vector<std::string> HeldPages();
