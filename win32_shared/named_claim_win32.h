// A claim on a job id shared by every process of the user: a named mutex
// that exists while any process keeps a handle to it, and goes when the
// last of them closes it or ends.
#pragma once
#include <windows.h>

#include <string>

#include "win32_shared/kernel_handles_win32.h"

// A new claim, or an empty owner when the claim exists already (it cannot
// be taken) or cannot be made (the id is then used without one).
inline KernelHandle ClaimJobIdNamed(const std::string& name, bool* heldElsewhere)
{
    KernelHandle claim(CreateMutexA(nullptr, FALSE, name.c_str()));
    *heldElsewhere = claim && GetLastError() == ERROR_ALREADY_EXISTS;
    if (*heldElsewhere)
        claim.Close();  // the handle to the other's claim
    return claim;
}

// The claim, whether this process made it or joined one that exists: the
// launcher keeps the claim its library made for a job.
inline KernelHandle KeepJobIdClaimNamed(const std::string& name)
{
    return KernelHandle(CreateMutexA(nullptr, FALSE, name.c_str()));
}
