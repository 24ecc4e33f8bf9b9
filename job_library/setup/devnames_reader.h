// The default printer's device and port names out of the DEVNAMES block the
// print dialog returns (layout and reader: shared_formats/devnames_block.h),
// into the library's fixed 260-byte fields.
#pragma once
#include <cstddef>

#include "printer_check.h"

// False, with the names emptied, when the block cannot be read
// (ReadDevNamesBlock), names no device, or a name does not fit its 260-byte
// field.
bool ReadDevNames(const void* block, size_t blockSize, DefaultPrinterNames& names);
