#include "soak_summary.h"

#include <cstdio>
#include <string>

namespace {

// Generous bounds: what a run of any length may gain after warm-up. A leak
// per page or per job passes them within a long run.
const long kHandleGrowthBound = 40;
const long long kMemoryGrowthBound = 8ll * 1024 * 1024;

double Megabytes(long long bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Handles gained from the first sample to the last; under Wine without the
// one event each launcher start leaks in Wine's WaitForInputIdle.
long HandleGrowth(const std::vector<FiguresSample>& samples, long* wineLeak)
{
    const FiguresSample& first = samples.front();
    const FiguresSample& last = samples.back();
    *wineLeak = RunningUnderWine() ? static_cast<long>(last.launchersStarted - first.launchersStarted) : 0;
    return static_cast<long>(last.figures.handles) - static_cast<long>(first.figures.handles) - *wineLeak;
}

}  // namespace

void CheckGrowth(const std::vector<FiguresSample>& samples, SoakReport& report)
{
    if (samples.size() < 2) {
        report.Violation("too few handle and memory samples to compare");
        return;
    }
    const ProcessFigures& first = samples.front().figures;
    const ProcessFigures& last = samples.back().figures;
    long wineLeak = 0;
    const long handles = HandleGrowth(samples, &wineLeak);
    const long long memory = static_cast<long long>(last.privateBytes) -
                             static_cast<long long>(first.privateBytes);
    if (first.handles == 0 || first.privateBytes == 0)
        report.Violation("the process figures cannot be read");
    if (handles > kHandleGrowthBound)
        report.Violation("handles grew by " + std::to_string(handles) + " after warm-up");
    if (memory > kMemoryGrowthBound)
        report.Violation("private memory grew by " + std::to_string(memory) + " bytes after warm-up");
}

void PrintSummary(const SoakOptions& options, const SoakReport& report,
                  const std::vector<FiguresSample>& samples, const SoakTimes& times)
{
    const uint64_t accepted = report.Counter("pages accepted");
    const uint64_t handed = report.Counter("pages handed over");
    const uint64_t deleted = report.Counter("pages deleted by their job's abort");
    if (options.Companion())
        std::printf("\n== Soak summary of %s (its figures; host 1's summary adds up the run)\n",
                    options.Label().c_str());
    else if (options.hosts > 1)
        std::printf("\n== Soak summary (pages and counts of all %u host processes; handles and memory of host 1)\n",
                    options.hosts);
    else
        std::printf("\n== Soak summary\n");
    std::printf("  replay: soak --seed %llu --pages %llu --threads %u%s\n",
                static_cast<unsigned long long>(options.seed),
                static_cast<unsigned long long>(options.pages), options.threads,
                options.hosts > 1 ? (" --hosts " + std::to_string(options.hosts)).c_str() : "");
    std::printf("  pages: %llu accepted, %llu reached the launcher, %llu deleted by their job's abort, %llu lost\n",
                static_cast<unsigned long long>(accepted), static_cast<unsigned long long>(handed),
                static_cast<unsigned long long>(deleted),
                static_cast<unsigned long long>(report.Counter("pages lost")));
    std::printf("  duplicated: %llu groups, %llu pages (each: the launcher was killed while holding it)\n",
                static_cast<unsigned long long>(report.Counter("duplicated groups (launcher killed while holding them)")),
                static_cast<unsigned long long>(report.Counter("duplicated pages (launcher killed while holding them)")));
    std::printf("  counts:\n");
    for (const auto& counter : report.Counters())
        std::printf("    %-70s %llu\n", counter.first.c_str(), static_cast<unsigned long long>(counter.second));
    std::printf("  handles and private memory, at quiet moments (no job open, all recorded):\n");
    for (const FiguresSample& sample : samples)
        std::printf("    after %7llu pages: %5lu handles, %8.2f MB private, %4llu launchers started\n",
                    static_cast<unsigned long long>(sample.pages), sample.figures.handles,
                    Megabytes(static_cast<long long>(sample.figures.privateBytes)),
                    static_cast<unsigned long long>(sample.launchersStarted));
    if (samples.size() >= 2) {
        const ProcessFigures& first = samples.front().figures;
        const ProcessFigures& last = samples.back().figures;
        long wineLeak = 0;
        const long handles = HandleGrowth(samples, &wineLeak);
        std::printf("  growth after warm-up: %+ld handles (not counting %ld events Wine's WaitForInputIdle\n"
                    "    leaked, one per launcher start), %+.2f MB private (bounds %ld handles, %.0f MB)\n",
                    handles, wineLeak,
                    Megabytes(static_cast<long long>(last.privateBytes) -
                              static_cast<long long>(first.privateBytes)),
                    kHandleGrowthBound, Megabytes(kMemoryGrowthBound));
    }
    std::printf("  time: %.1f s, %.1f pages per second\n", times.seconds,
                times.seconds > 0 ? static_cast<double>(accepted) / times.seconds : 0.0);
    std::printf("  violations: %llu\n", static_cast<unsigned long long>(report.Violations()));
    for (const std::string& violation : report.FirstViolations())
        std::printf("    %s\n", violation.c_str());
    if (options.Companion())
        std::printf("%s %s\n", options.Label().c_str(), report.Violations() == 0 ? "passed" : "failed");
    else
        std::printf("%s\n", report.Violations() == 0 ? "SOAK PASSED" : "SOAK FAILED");
}
