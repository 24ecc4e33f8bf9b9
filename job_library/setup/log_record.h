// Byte layout of the debug log "KESTROd.LOG": a ring of 300-byte records.
// Record 0 is the header holding the byte offset of the newest record;
// records 1..N hold one line each.
#pragma once
#include <cstddef>
#include <cstdint>

#include "diagnostics_platform.h"

const size_t kLogRecordSize = 300;
const size_t kLogStampColumns = 22;   // columns 0-21
const size_t kLogNumberColumn = 22;   // columns 22-26
const size_t kLogNumberColumns = 5;
const size_t kLogTextColumn = 28;     // columns 28-296
const size_t kLogTextColumns = 269;
const size_t kLogHeaderReadChars = 19;

// N, the highest record index, for a size limit in units of 1024 bytes.
int32_t LogRecordCount(int32_t sizeLimitKb);

// Index of the record to write after `newest` in a ring of n records.
int32_t NextLogRecordIndex(int32_t newest, int32_t n);

// Newest record index from the first line of the file (0 when it is no
// positive number).
int32_t ParseLogHeader(const char* firstLine);

// The header record for a newest record index.
void FormatLogHeader(char (&record)[kLogRecordSize], int32_t newestIndex);

// One log line: time stamp, number (cut to five characters), text (cut to
// 269 characters), spaces, CR LF.
void FormatLogLine(char (&record)[kLogRecordSize], const LocalTime& time, int32_t number,
                   const char* text);
