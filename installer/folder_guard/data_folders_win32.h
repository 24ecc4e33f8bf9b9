// What Setup does to the product's folders below the common application
// data folder, for both kinds of Setup: folder_guard.exe (run by the NSIS
// installer) and the MSI package's actions (setup_actions.dll). What each
// finds and does is told line by line through a Say callback.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "secured_folders.h"

using Say = std::function<void(const std::string& line)>;

// Exit codes of folder_guard.exe, also the results below.
const int kGuardDone = 0;
const int kGuardWrongUse = 2;
const int kGuardUnsafeFolder = 3;  // a folder is not Setup's own: nothing changed
const int kGuardFailed = 4;        // a folder could not be examined, created or given its permissions
const int kGuardBadSettings = 5;   // a settings file given to Setup is not sound: nothing changed

// A folder Setup keeps: a level between the base and the product folder
// (secured == nullptr: only checked, created with inherited permissions),
// or one of the product's folders.
struct Place {
    std::wstring path;
    std::string label;
    const SecuredFolder* secured;
};

// The levels of product ("TRVX\Quillmate") below base, then the product's
// folders in order. False when product is not a path of plain names.
bool PlanPlaces(const std::wstring& base, const std::wstring& product, std::vector<Place>* places);

// The folder whose files kind names (for example the stored settings); null when none.
const Place* PlaceOf(const std::vector<Place>& places, ProgramFiles kind);

// Besides the Administrators, SYSTEM and TrustedInstaller, a folder that
// installingUser (SID text) owns is Setup's own: both kinds of Setup pass
// AdministratorSid(), the administrator Setup runs as, never a user who is
// none (Windows Installer may run a package for such a user), whose folders
// must not count as Setup's.

// Looks at every place, changing nothing: kGuardDone, or kGuardUnsafeFolder
// or kGuardFailed with each reason said.
int CheckPlaces(const std::vector<Place>& places, const std::string& installingUser, const Say& say);

// CheckPlaces, then creates what is missing and gives each product folder
// its permissions.
int SecurePlaces(const std::vector<Place>& places, const std::string& installingUser, const Say& say);

// For the uninstaller: deletes the programs' logs (with removeSettings the
// stored print settings too), then every folder left empty. Never enters a
// link or a folder that is not Setup's own.
void RemovePlaces(const std::vector<Place>& places, bool removeSettings,
                  const std::string& installingUser, const Say& say);
