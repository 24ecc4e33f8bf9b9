// When a two-sided document waits for more of its job. Each group the
// library hands over is printed as it comes; two-sided, a group whose last
// sheet would leave its back blank waits instead while its job may still
// send pages, and goes out with the job's next group in one document, so
// that the next page lands on that back. The launcher learns that a job has
// ended when the next job's group arrives, or on LM_SUSPEND or LM_DELETE,
// and, from what the library hands over, sometimes with its last group.
#pragma once
#include <cstddef>

#include "job_settings.h"

// At most this many groups wait for one document: only groups the library
// never hands over (sides that stay odd together) would come near it.
const size_t kMostWaitingGroups = 8;

// Whether a group of fileCount page files is the last of its job. While a
// job may still send pages the library hands over exactly as many page files
// as its n-up setting puts on a sheet (one, two or four); a group of another
// size is what was left at the job's end or the whole job. A sorted job of
// two or more copies, and one whose n-up setting is none of those, is held
// by the library until its end and handed over as one group.
bool GroupEndsJob(size_t fileCount, const JobSettings& settings);

// Whether the groups waiting for a two-sided document go on waiting: their
// sides (all of them together) leave the last back blank, their job may
// still send pages, and fewer than kMostWaitingGroups groups wait.
bool KeepWaitingForBack(size_t sides, bool jobMayStillSend, size_t waitingGroups);
