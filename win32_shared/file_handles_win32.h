// The installer's helper still names its file and token owners FileHandle
// and includes this header; both are the shared KernelHandle.
#pragma once
#include "win32_shared/kernel_handles_win32.h"

using FileHandle = KernelHandle;
