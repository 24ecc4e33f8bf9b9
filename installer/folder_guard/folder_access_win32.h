// What folder_guard.exe does to folders and files on Windows. Nothing here
// follows a link: a folder is opened as itself (a junction as a junction),
// its descriptor is set through the very handle that was examined, and a
// file is deleted through a handle that cannot lead anywhere else.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "folder_verdict.h"
#include "secured_folders.h"
#include "win32_shared/kernel_handles_win32.h"

// The account this code runs as (the thread's when it impersonates one), as
// SID text; empty when unreadable.
std::string ProcessUserSid();

// ProcessUserSid when that account is an administrator (the Administrators
// group is enabled in its token); empty for any other account.
std::string AdministratorSid();

struct FolderLook {
    FoundFolder found;
    std::string ownerName;  // "DOMAIN\name (SID)" for messages
    DWORD error = 0;        // non-zero: the folder could not be examined
};

// Examines what stands at path. With keep, the folder stays open in it with
// access (for example WRITE_DAC) when it exists.
FolderLook LookAtFolder(const std::wstring& path, DWORD access = 0, KernelHandle* keep = nullptr);

// Creates path with the descriptor sd (nullptr: inherited from its
// parent). 0, ERROR_ALREADY_EXISTS, or the error.
DWORD CreateFolder(const std::wstring& path, PSECURITY_DESCRIPTOR sd);

// Replaces the DACL of the open folder with the one in sd (protected when
// sd says so). Only this folder changes: nothing is pushed into what it
// holds, where a link might lead out of it.
DWORD SetFolderDacl(HANDLE folder, PSECURITY_DESCRIPTOR sd);

struct Deletions {
    std::vector<std::wstring> deleted;   // names of the files deleted
    std::vector<std::wstring> skipped;   // names that were links or could not be deleted
};

// Deletes in folder every file that kind names; links are left alone.
Deletions DeleteProgramFiles(const std::wstring& folder, ProgramFiles kind);

// Text for messages in the process's ANSI code page.
std::string ToAnsi(const std::wstring& text);
std::wstring FromAscii(const std::string& text);
