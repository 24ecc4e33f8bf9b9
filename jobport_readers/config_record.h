// The configuration record of "KESTRO.cfg" (config_reader.h), and the sizes
// of the fixed fields the library keeps paths and texts in. The library's
// own record is gConfig (job_library/setup/library_config.h).
#pragma once
#include <cstddef>
#include <cstdint>

// Bits of PrintOutCheckFlags.
const uint32_t kCheckPortIsFile = 2;
const uint32_t kCheckPrinterNotAvailable = 4;

// ChildTimeOut value meaning "wait without limit".
const uint32_t kNoTimeLimit = 0xFFFFFFFFu;

const size_t kPathBufferSize = 260;     // paths and names, with terminator
const size_t kMessageBufferSize = 255;  // cannot-print texts, with terminator

struct ConfigRecord {
    int32_t PrintAfterReceivedAllData;
    int32_t DisplayTaskBarIcon;
    int32_t RemainScanedDataOnPC;
    uint32_t JobLimit;
    uint32_t CopiesLimit;
    uint32_t PagesLimit;
    uint32_t ChildTimeOut;
    uint32_t LogSizeLimit;
    int32_t b2ndJobPrintbyMethod;
    uint32_t PrintOutCheckFlags;
    char AppName[kPathBufferSize];
    char FileName[kPathBufferSize];
    char CannotPrintTitle[kMessageBufferSize];
    char CannotPrintMsg[kMessageBufferSize];
    char CannotPrintMsg_1[kMessageBufferSize];
    char CannotPrintMsg_2[kMessageBufferSize];
    char CannotPrintMsg_3[kMessageBufferSize];
};
