// The printer availability check on Windows: the default printer from the
// print dialog, its port and its spooler status.
#pragma once
#include <cstdint>

// Checks the current Windows default printer for the given
// PrintOutCheckFlags. Returns 0 when printing may go ahead, else the error
// number for the error reporter (61, 66, 67, 68, 70 or 71). Flags 0 check
// nothing. Shows and logs nothing itself; every handle and memory block it
// takes is given back before it returns.
int32_t CheckPrinter(uint32_t checkFlags);
