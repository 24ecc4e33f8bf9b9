#include "document_times.h"

#include <cstdio>

std::string DocumentTimes::Describe() const
{
    char text[160];
    std::snprintf(text, sizeof text,
                  "printer %.0f ms, decode %.0f ms, resample %.0f ms, drawing %.0f ms, EndDoc %.0f ms",
                  printerMs, decodeMs, resampleMs, drawingMs, endDocMs);
    return text;
}
