// What each error number of the library writes and whether it stops the job.
#pragma once
#include <cstdint>

enum class ErrorBox { None, General, Port, NotAvailable };

struct ErrorRow {
    const char* fixedText;  // line text, or null when the line comes from the string table
    unsigned stringId;      // string id when fixedText is null; 0 with no text: no line
    bool stopsJob;
    ErrorBox box;
};

// The row for an error number; unknown numbers (0 included) give the
// "Undefined ErrorNo." row.
ErrorRow LookupErrorRow(int32_t errorNumber);
