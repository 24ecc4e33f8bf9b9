// Whether Setup may use what it finds where it keeps a folder. A folder
// that a user made before Setup ran (or a link standing in its place)
// would let that user redirect or replace what Setup writes, so Setup
// takes only a real folder that an administrator, SYSTEM or the system's
// installer owns.
#pragma once

#include <string>

struct FoundFolder {
    bool exists = false;
    bool isFolder = false;
    bool isLink = false;   // a reparse point: junction, mount point, symbolic link
    std::string ownerSid;  // text form such as "S-1-5-32-544"; empty when unknown
};

enum class FolderVerdict {
    Missing,       // Setup may create it
    Trusted,       // a real folder of a trusted owner
    NotAFolder,    // a file stands where the folder belongs
    Link,          // a link to somewhere else
    ForeignOwner,  // owned by someone who is not trusted (or unknown)
};

// installingUserSid: the account Setup runs as, an administrator; a folder
// that account made itself is as trusted as one the Administrators own.
FolderVerdict JudgeFolder(const FoundFolder& found, const std::string& installingUserSid);

// Why a folder of that verdict is refused, completing "<folder> ...";
// empty for Missing and Trusted.
std::string RefusalReason(FolderVerdict verdict, const std::string& ownerName);
