// The user's temporary folder, where the hand-off files are written.
#pragma once
#include <cstddef>

// Stores the temporary folder (ending with a backslash) in folder, a buffer
// of size bytes. False, with an empty buffer, when the system gives none or
// it does not fit.
bool ReadTempFolder(char* folder, size_t size);
