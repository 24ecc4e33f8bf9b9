#include "log_record.h"

#include <cstdio>
#include <cstring>

namespace {

void FillBlankRecord(char (&record)[kLogRecordSize])
{
    std::memset(record, ' ', kLogRecordSize);
    record[kLogRecordSize - 2] = '\r';
    record[kLogRecordSize - 1] = '\n';
}

// Copies at most `columns` characters of text to `at` without a terminator.
void PutColumns(char* at, size_t columns, const char* text)
{
    const size_t n = strnlen(text, columns);
    std::memcpy(at, text, n);
}

}  // namespace

int32_t LogRecordCount(int32_t sizeLimitKb)
{
    if (sizeLimitKb < 1)
        return 0;
    return static_cast<int32_t>((static_cast<int64_t>(sizeLimitKb) - 1) * 1024 /
                                static_cast<int64_t>(kLogRecordSize));
}

int32_t NextLogRecordIndex(int32_t newest, int32_t n)
{
    if (newest > 0 && newest < n)
        return newest + 1;
    return 1;
}

int32_t ParseLogHeader(const char* firstLine)
{
    // Same reading as atol: optional blanks, optional sign, digits.
    const char* p = firstLine;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = (*p++ == '-');
    int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p++ - '0');
        if (value > INT32_MAX)
            return 0;  // no record offset is this large: a damaged header
    }
    if (negative || value <= 0)
        return 0;
    return static_cast<int32_t>(value / static_cast<int64_t>(kLogRecordSize));
}

void FormatLogHeader(char (&record)[kLogRecordSize], int32_t newestIndex)
{
    FillBlankRecord(record);
    char number[24];
    std::snprintf(number, sizeof number, "%ld",
                  static_cast<long>(newestIndex) * static_cast<long>(kLogRecordSize));
    PutColumns(record, sizeof number, number);
}

void FormatLogLine(char (&record)[kLogRecordSize], const LocalTime& time, int32_t number,
                   const char* text)
{
    FillBlankRecord(record);

    // Two-digit year: 2004 -> 04, 1999 -> 99. Every field is reduced to its
    // width so that a bad clock can never push the columns out of place.
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d.%03d ",
                  ((time.year % 100) + 100) % 100, time.month % 100, time.day % 100,
                  time.hour % 100, time.minute % 100, time.second % 100,
                  time.millisecond % 1000);
    PutColumns(record, kLogStampColumns, stamp);

    char digits[24];
    std::snprintf(digits, sizeof digits, "%5d ", static_cast<int>(number));
    PutColumns(record + kLogNumberColumn, kLogNumberColumns, digits);

    PutColumns(record + kLogTextColumn, kLogTextColumns, text ? text : "");
}
