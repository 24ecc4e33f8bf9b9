// folder_guard.exe: Setup's helper for the product's folders below the
// common application data folder (who may do what in each: secured_folders.h).
//
//   folder_guard secure BASE PRODUCT
//       PRODUCT is a path below BASE, such as "TRVX\Quillmate". Looks at
//       every folder first: when one is a link, a file or a folder of an
//       untrusted owner, it names each and changes nothing. Otherwise it
//       creates what is missing and gives each product folder its
//       permissions, one line per folder.
//   folder_guard remove BASE PRODUCT [settings]
//       For the uninstaller: deletes the programs' logs (with "settings" the
//       stored print settings too), then every folder left empty. It never
//       enters a link or a folder that is not Setup's own.
//
// Exit codes: 0 done; 2 wrong use; 3 a folder is not Setup's own (nothing
// changed); 4 a folder could not be examined, created or given its
// permissions.
#include <windows.h>
#include <sddl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "folder_access_win32.h"
#include "win32_shared/local_memory_win32.h"

namespace {

const int kDone = 0;
const int kWrongUse = 2;
const int kUnsafeFolder = 3;
const int kFailed = 4;

void Say(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string ErrorText(DWORD error) { return "(error " + std::to_string(error) + ")"; }

// A folder Setup keeps: a level between BASE and the product folder
// (secured == nullptr: only checked, created with inherited permissions),
// or one of the product's folders.
struct Place {
    std::wstring path;
    std::string label;
    const SecuredFolder* secured;
};

bool IsPlainName(const std::wstring& part)
{
    return !part.empty() && part != L"." && part != L".." &&
           part.find_first_of(L"/:*?\"<>|") == std::wstring::npos;
}

// The levels of product below base, then the product's folders in order.
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

// Says what is wrong with a place: kDone when nothing is, kUnsafeFolder
// when it is not Setup's own, kFailed when it could not be examined.
int ReportUnsafe(const Place& place, const FolderLook& look, const std::string& user)
{
    if (look.error) {
        Say(place.label + " cannot be examined " + ErrorText(look.error) + ".");
        return kFailed;
    }
    const FolderVerdict verdict = JudgeFolder(look.found, user);
    if (verdict == FolderVerdict::Missing || verdict == FolderVerdict::Trusted)
        return kDone;
    Say(place.label + " " + RefusalReason(verdict, look.ownerName) + ".");
    return kUnsafeFolder;
}

void AdviseOnRefusal(bool changedNothing)
{
    Say(std::string(changedNothing ? "Setup has changed nothing." : "Setup has stopped.") +
        " Remove what is named above, or make it a folder of the Administrators, then run "
        "Setup again.");
}

int Secure(const std::vector<Place>& places)
{
    const std::string user = ProcessUserSid();
    int worst = kDone;
    for (const Place& place : places) {
        // Every place is named; a folder that is not Setup's own decides the exit code.
        const int found = ReportUnsafe(place, LookAtFolder(place.path), user);
        if (found == kUnsafeFolder || (found == kFailed && worst == kDone))
            worst = found;
    }
    if (worst != kDone) {
        if (worst == kUnsafeFolder)
            AdviseOnRefusal(true);
        return worst;
    }
    // Parents first: once a product folder has its permissions no user can
    // replace what lies below it while Setup works there.
    for (const Place& place : places) {
        LocalMemory<PSECURITY_DESCRIPTOR> descriptor;
        if (place.secured && !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                                 place.secured->sddl, SDDL_REVISION_1, descriptor.Receive(), nullptr)) {
            Say("The permissions of " + place.label + " cannot be read " + ErrorText(GetLastError()) + ".");
            return kFailed;
        }
        DWORD error = CreateFolder(place.path, descriptor.Get());
        if (error == 0) {
            Say((place.secured ? "Created with its permissions: " : "Created: ") + place.label);
            continue;
        }
        if (error != ERROR_ALREADY_EXISTS) {
            Say(place.label + " cannot be created " + ErrorText(error) + ".");
            return kFailed;
        }
        // It exists: look again through the handle the permissions are set
        // through, so that what was examined is what changes. (Only a user
        // racing Setup can make this look differ from the first.)
        FileHandle folder;
        const FolderLook look = LookAtFolder(place.path, place.secured ? WRITE_DAC : 0, &folder);
        const int found = ReportUnsafe(place, look, user);
        if (found != kDone) {
            if (found == kUnsafeFolder)
                AdviseOnRefusal(false);
            return found;
        }
        if (!place.secured) {
            Say("Kept: " + place.label);
            continue;
        }
        error = SetFolderDacl(folder.Get(), descriptor.Get());
        if (error) {
            Say(place.label + " cannot be given its permissions " + ErrorText(error) + ".");
            return kFailed;
        }
        Say("Permissions set: " + place.label);
    }
    return kDone;
}

bool IsBelow(const Place& inner, const Place& outer)
{
    return inner.path.size() > outer.path.size() &&
           inner.path.compare(0, outer.path.size() + 1, outer.path + L"\\") == 0;
}

int Remove(const std::vector<Place>& places, bool removeSettings)
{
    // A folder is entered only when it and every folder above it is Setup's own.
    const std::string user = ProcessUserSid();
    std::vector<bool> usable(places.size(), false);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const FolderLook look = LookAtFolder(places[i].path);
        const FolderVerdict verdict = JudgeFolder(look.found, user);
        if (!look.error && verdict == FolderVerdict::Missing)
            continue;
        if (look.error || verdict != FolderVerdict::Trusted) {
            Say("Left alone: " + places[i].label + " " +
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
                Say("Deleted: " + place.label + "\\" + ToAnsi(name));
            for (const std::wstring& name : deletions.skipped)
                Say("Left alone: " + place.label + "\\" + ToAnsi(name) + " is a link or cannot be deleted.");
        }
        if (RemoveDirectoryW(place.path.c_str()))
            Say("Removed: " + place.label);
    }
    return kDone;
}

int Run(int count, wchar_t** arguments)
{
    if (count < 4) {
        Say("usage: folder_guard secure BASE PRODUCT | remove BASE PRODUCT [settings]");
        return kWrongUse;
    }
    const std::wstring command = arguments[1];
    std::vector<Place> places;
    if (!PlanPlaces(arguments[2], arguments[3], &places)) {
        Say("folder_guard: PRODUCT must be a path of plain folder names below BASE.");
        return kWrongUse;
    }
    if (command == L"secure" && count == 4)
        return Secure(places);
    if (command == L"remove" && count == 4)
        return Remove(places, false);
    if (command == L"remove" && count == 5 && std::wstring(arguments[4]) == L"settings")
        return Remove(places, true);
    Say("usage: folder_guard secure BASE PRODUCT | remove BASE PRODUCT [settings]");
    return kWrongUse;
}

// Only the system's folder may supply a DLL loaded from now on (the
// program runs from a temporary folder). Looked up, as Windows 7 has it only
// with an update.
void LoadDllsOnlyFromTheSystem()
{
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesCall)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto call = kernel ? reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void*>(
                                   GetProcAddress(kernel, "SetDefaultDllDirectories")))
                             : nullptr;
    if (call)
        call(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int wmain(int count, wchar_t** arguments)
{
    LoadDllsOnlyFromTheSystem();
    try {
        return Run(count, arguments);
    } catch (...) {
        Say("folder_guard: out of memory.");
        return kFailed;
    }
}
