// The folders Setup keeps below the common application data folder and who
// may do what in each, written once as SDDL text: the installer's helper
// folder_guard.exe applies it, and any other package of the product must
// take it from here. Every descriptor is protected ("D:P"): nothing is
// inherited from the folders above, so no grant made there reaches in.
//
//   SY, BA  SYSTEM and Administrators: full control everywhere.
//   BU      Users (every signed-in user).
//   CO      CREATOR OWNER: stands for the user who creates a file.
#pragma once

#include <cstddef>
#include <string>

// What the uninstaller may delete in a folder: only what the programs
// themselves create there.
enum class ProgramFiles {
    None,            // nothing: pages waiting to print stay with their users
    Logs,            // the library's and the launcher's logs
    StoredSettings,  // "KESTROst.ini", "devmode<N>.bin", "devname<N>.bin"
};

struct SecuredFolder {
    const char* name;  // below the product folder, "\"-separated; "" is the product folder
    const char* sddl;  // its whole DACL
    ProgramFiles programFiles;
};

// Parents before their sub-folders: the order Setup creates them in (and
// the uninstaller, backwards, removes them in).
extern const SecuredFolder kSecuredFolders[];
extern const std::size_t kSecuredFolderCount;

// True when fileName (no folder) is one of the files that kind names;
// compared without regard to case, as Windows names files.
bool IsProgramFile(ProgramFiles kind, const std::string& fileName);
