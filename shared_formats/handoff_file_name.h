// Names of the hand-off files the launcher reads: "KST_", the job id in two
// columns, the page number in three columns and ".$$$", in the temporary
// folder. Page 0 names the job's settings file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Forms the name of the hand-off file of (jobId, page) in tempDir (which ends
// with a backslash) into name, a buffer of size bytes. The numbers are padded
// with spaces and widen only when they need to: job 3, page 12 gives
// "KST_ 3 12.$$$". False, with an empty buffer, when tempDir is empty or the
// name does not fit: a shortened name would name another file.
bool HandoffFileName(const char* tempDir, uint32_t jobId, uint32_t page, char* name,
                     size_t size);

// Reads job id and page number back from a bare hand-off file name such as
// "KST_ 3 12.$$$" or "KST_255  1.$$$". Job ids have at most three digits and
// page numbers at most three (no job has more than 999 pages), which makes
// every name the library writes unambiguous. False for any other name.
bool ParseHandoffFileName(const char* name, uint32_t* jobId, uint32_t* page);

// The name of the kernel object that claims jobId for the hand-off files in
// tempDir. Every host process of a user shares its temporary folder, and so
// the names of these files: the library holds the claim while the job is in
// its table, the launcher from the job's first group until it deletes the
// job's settings file, and an id claimed by another process is not issued.
// The folder is in the name (as a hash of its letters, case folded) so
// that two folders never share a claim.
std::string JobIdClaimName(const char* tempDir, uint32_t jobId);
