// A claim on a job id shared by every process of the user: a named mutex
// that exists while any process keeps a handle to it, and goes when the
// last of them closes it or ends.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// A new claim's handle, for the caller to own (KernelHandle), or null when
// the claim exists already (it cannot be taken) or cannot be made (the id
// is then used without one).
inline HANDLE ClaimJobIdNamed(const std::string& name, bool* heldElsewhere)
{
    KernelHandle claim(CreateMutexA(nullptr, FALSE, name.c_str()));
    *heldElsewhere = claim && GetLastError() == ERROR_ALREADY_EXISTS;
    if (*heldElsewhere)
        return nullptr;  // the handle to the other's claim closes here
    return claim.Release();
}

// A handle that keeps the claim, whether this process made it or joined one
// that exists, for the caller to own: the launcher keeps the claim its
// library made for a job.
inline HANDLE KeepJobIdClaimNamed(const std::string& name)
{
    return CreateMutexA(nullptr, FALSE, name.c_str());
}
