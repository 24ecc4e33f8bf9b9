#include "folder_verdict.h"

namespace {

// SYSTEM, Administrators, and TrustedInstaller (the service that owns the
// system's own folders).
const char* const kTrustedOwners[] = {
    "S-1-5-18",
    "S-1-5-32-544",
    "S-1-5-80-956008885-3425870976-2408532539-1979893520-3020367474",
};

}  // namespace

FolderVerdict JudgeFolder(const FoundFolder& found, const std::string& installingUserSid)
{
    if (!found.exists)
        return FolderVerdict::Missing;
    if (found.isLink)
        return FolderVerdict::Link;
    if (!found.isFolder)
        return FolderVerdict::NotAFolder;
    if (found.ownerSid.empty())
        return FolderVerdict::ForeignOwner;
    for (const char* trusted : kTrustedOwners)
        if (found.ownerSid == trusted)
            return FolderVerdict::Trusted;
    return found.ownerSid == installingUserSid ? FolderVerdict::Trusted
                                               : FolderVerdict::ForeignOwner;
}

std::string RefusalReason(FolderVerdict verdict, const std::string& ownerName)
{
    switch (verdict) {
    case FolderVerdict::NotAFolder:
        return "is a file, not a folder";
    case FolderVerdict::Link:
        return "is a link to another place (a junction or a symbolic link), not a folder of "
               "its own";
    case FolderVerdict::ForeignOwner:
        return "belongs to " + (ownerName.empty() ? std::string("an unknown account") : ownerName) +
               ", not to the Administrators or SYSTEM: another user may have made it";
    case FolderVerdict::Missing:
    case FolderVerdict::Trusted:
        break;
    }
    return std::string();
}
