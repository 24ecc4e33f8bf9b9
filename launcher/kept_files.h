// Where the launcher keeps a page file it could not print: a folder of the
// user's own inside the data folder, which JP_init never empties (it deletes
// only the files directly in the data folder), under a name that tells when,
// which job and which page it was. The system never deletes a kept file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// "Not printed (<user name>)"; "Not printed" when the name is unknown or
// holds a character no folder name may hold.
std::string KeptFolderName(const std::string& userName);

// Security of the kept folder, as SDDL: protected from the data folder's
// inherited entries, full control for the user (by SID), SYSTEM and the
// administrators only, passed on to what it holds.
std::string KeptFolderSecurity(const std::string& userSid);

struct KeptStamp {
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
};

// The name of a kept page file, at most `room` bytes:
//   "2025-03-04 09-05-07 job 7 page 3 - scan.tif"
// and from attempt 2 on (the name was taken) "... page 3 (2) - scan.tif".
// When that does not fit, the page's own name is left out and only its
// extension kept ("... job 7 page 3.tif"); "" when even that does not fit.
// originalName is the page file's name, without its folder.
std::string KeptFileName(const KeptStamp& when, uint32_t jobId, uint32_t jobPage,
                         const std::string& originalName, uint32_t attempt, size_t room);
