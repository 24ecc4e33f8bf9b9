#include "document_times.h"

#include <cstdio>

std::string DocumentTimes::Describe() const
{
    char text[200];
    std::snprintf(text, sizeof text,
                  "read %.0f ms, printer %.0f ms, decode %.0f ms, resample %.0f ms, drawing %.0f ms, "
                  "EndDoc %.0f ms",
                  readMs, printerMs, decodeMs, resampleMs, drawingMs, endDocMs);
    return text;
}
