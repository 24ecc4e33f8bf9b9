// The library's one error reporter: a line in the debug log, and for errors
// that stop a job a cannot-print box and the job id closed.
#pragma once
#include <cstdint>

void ReportError(int32_t errorNumber, uint32_t jobId);
