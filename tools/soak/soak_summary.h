// The closing summary of a soak run and the growth check of the host's
// handles and private memory.
#pragma once
#include <cstdint>
#include <vector>

#include "fault_injector.h"
#include "soak_options.h"
#include "soak_report.h"

struct SoakTimes {
    double seconds = 0;  // from the first job to the last page recorded
};

// Checks that handles and private memory did not grow from the first
// sample (after warm-up) to the last; a growth past the bounds is a violation.
void CheckGrowth(const std::vector<FiguresSample>& samples, SoakReport& report);

void PrintSummary(const SoakOptions& options, const SoakReport& report,
                  const std::vector<FiguresSample>& samples, const SoakTimes& times);
