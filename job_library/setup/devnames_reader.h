// Reads the printer and port names out of a DEVNAMES block as the print
// dialog returns it: four 16-bit little-endian values (driver, device and
// output offsets, default flag), the offsets counted in characters from the
// block's start, each naming a zero-terminated string inside the block.
#pragma once
#include <cstddef>

#include "printer_check.h"

// False, with the names emptied, when the block is too small, an offset
// points outside it, a name has no terminator inside it, or a name does not
// fit its 260-byte buffer.
bool ReadDevNames(const void* block, size_t blockSize, DefaultPrinterNames& names);
