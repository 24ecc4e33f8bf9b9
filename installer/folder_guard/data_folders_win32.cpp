#include "data_folders_win32.h"

#include <windows.h>
#include <sddl.h>

#include "folder_access_win32.h"
#include "win32_shared/local_memory_win32.h"

namespace {

std::string ErrorText(DWORD error) { return "(error " + std::to_string(error) + ")"; }

bool IsPlainName(const std::wstring& part)
{
    return !part.empty() && part != L"." && part != L".." &&
           part.find_first_of(L"/:*?\"<>|") == std::wstring::npos;
}

// Says what is wrong with a place: kGuardDone when nothing is,
// kGuardUnsafeFolder when it is not Setup's own, kGuardFailed when it could
// not be examined.
int ReportUnsafe(const Place& place, const FolderLook& look, const std::string& user, const Say& say)
{
    if (look.error) {
        say(place.label + " cannot be examined " + ErrorText(look.error) + ".");
        return kGuardFailed;
    }
    const FolderVerdict verdict = JudgeFolder(look.found, user);
    if (verdict == FolderVerdict::Missing || verdict == FolderVerdict::Trusted)
        return kGuardDone;
    say(place.label + " " + RefusalReason(verdict, look.ownerName) + ".");
    return kGuardUnsafeFolder;
}

void AdviseOnRefusal(bool changedNothing, const Say& say)
{
    say(std::string(changedNothing ? "Setup has changed nothing." : "Setup has stopped.") +
        " Remove what is named above, or make it a folder of the Administrators, then run "
        "Setup again.");
}

bool IsBelow(const Place& inner, const Place& outer)
{
    return inner.path.size() > outer.path.size() &&
           inner.path.compare(0, outer.path.size() + 1, outer.path + L"\\") == 0;
}

}  // namespace

bool PlanPlaces(const std::wstring& base, const std::wstring& product, std::vector<Place>* places)
{
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = product.find(L'\\', start);
        parts.push_back(product.substr(start, end == std::wstring::npos ? end : end - start));
        if (!IsPlainName(parts.back()))
            return false;
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    if (base.empty())
        return false;
    std::wstring path = base;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        path += L"\\" + parts[i];
        places->push_back({path, ToAnsi(path), nullptr});
    }
    const std::wstring root = path + L"\\" + parts.back();
    for (std::size_t i = 0; i < kSecuredFolderCount; ++i) {
        const SecuredFolder& folder = kSecuredFolders[i];
        const std::wstring folderPath =
            *folder.name ? root + L"\\" + FromAscii(folder.name) : root;
        places->push_back({folderPath, ToAnsi(folderPath), &folder});
    }
    return true;
}

const Place* PlaceOf(const std::vector<Place>& places, ProgramFiles kind)
{
    for (const Place& place : places)
        if (place.secured && place.secured->programFiles == kind)
            return &place;
    return nullptr;
}

int CheckPlaces(const std::vector<Place>& places, const std::string& user, const Say& say)
{
    int worst = kGuardDone;
    for (const Place& place : places) {
        // Every place is named; a folder that is not Setup's own decides the result.
        const int found = ReportUnsafe(place, LookAtFolder(place.path), user, say);
        if (found == kGuardUnsafeFolder || (found == kGuardFailed && worst == kGuardDone))
            worst = found;
    }
    if (worst == kGuardUnsafeFolder)
        AdviseOnRefusal(true, say);
    return worst;
}

int SecurePlaces(const std::vector<Place>& places, const std::string& user, const Say& say)
{
    const int checked = CheckPlaces(places, user, say);
    if (checked != kGuardDone)
        return checked;
    // Parents first: once a product folder has its permissions no user can
    // replace what lies below it while Setup works there.
    for (const Place& place : places) {
        LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
        if (place.secured && !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                                 place.secured->sddl, SDDL_REVISION_1, descriptor.Receive(), nullptr)) {
            say("The permissions of " + place.label + " cannot be read " + ErrorText(GetLastError()) + ".");
            return kGuardFailed;
        }
        DWORD error = CreateFolder(place.path, descriptor.Get());
        if (error == 0) {
            say((place.secured ? "Created with its permissions: " : "Created: ") + place.label);
            continue;
        }
        if (error != ERROR_ALREADY_EXISTS) {
            say(place.label + " cannot be created " + ErrorText(error) + ".");
            return kGuardFailed;
        }
        // It exists: look again through the handle the permissions are set
        // through, so that what was examined is what changes. (Only a user
        // racing Setup can make this look differ from the first.)
        KernelHandle folder;
        const FolderLook look = LookAtFolder(place.path, place.secured ? WRITE_DAC : 0, &folder);
        const int found = ReportUnsafe(place, look, user, say);
        if (found != kGuardDone) {
            if (found == kGuardUnsafeFolder)
                AdviseOnRefusal(false, say);
            return found;
        }
        if (!place.secured) {
            say("Kept: " + place.label);
            continue;
        }
        error = SetFolderDacl(folder.Get(), descriptor.Get());
        if (error) {
            say(place.label + " cannot be given its permissions " + ErrorText(error) + ".");
            return kGuardFailed;
        }
        say("Permissions set: " + place.label);
    }
    return kGuardDone;
}

void RemovePlaces(const std::vector<Place>& places, bool removeSettings, const std::string& user,
                  const Say& say)
{
    // A folder is entered only when it and every folder above it is Setup's own.
    std::vector<bool> usable(places.size(), false);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const FolderLook look = LookAtFolder(places[i].path);
        const FolderVerdict verdict = JudgeFolder(look.found, user);
        if (!look.error && verdict == FolderVerdict::Missing)
            continue;
        if (look.error || verdict != FolderVerdict::Trusted) {
            say("Left alone: " + places[i].label + " " +
                (look.error ? "cannot be examined " + ErrorText(look.error)
                            : RefusalReason(verdict, look.ownerName)) + ".");
            continue;
        }
        usable[i] = true;
        for (std::size_t outer = 0; outer < i; ++outer)
            if (IsBelow(places[i], places[outer]) && !usable[outer])
                usable[i] = false;
    }
    for (std::size_t i = places.size(); i-- > 0;) {
        const Place& place = places[i];
        const ProgramFiles kind = place.secured ? place.secured->programFiles : ProgramFiles::None;
        if (!usable[i] || (kind == ProgramFiles::StoredSettings && !removeSettings))
            continue;
        if (kind != ProgramFiles::None) {
            const Deletions deletions = DeleteProgramFiles(place.path, kind);
            for (const std::wstring& name : deletions.deleted)
                say("Deleted: " + place.label + "\\" + ToAnsi(name));
            for (const std::wstring& name : deletions.skipped)
                say("Left alone: " + place.label + "\\" + ToAnsi(name) + " is a link or cannot be deleted.");
        }
        if (RemoveDirectoryW(place.path.c_str()))
            say("Removed: " + place.label);
    }
}
