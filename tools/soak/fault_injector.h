// The fault thread: at page counts drawn from the seed it injects one fault
// at a time, and at every tenth of the run it measures the host's handles
// and private memory at a quiet moment (no job open, every group recorded).
// Faults that change the installation last a few hundred milliseconds.
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "file_holder.h"
#include "process_figures.h"
#include "random_source.h"
#include "soak_context.h"

struct FiguresSample {
    uint64_t pages = 0;
    uint64_t launchersStarted = 0;
    ProcessFigures figures;
};

class FaultInjector {
public:
    FaultInjector(SoakContext& context, uint64_t seed, bool verbose)
        : m_context(context), m_random(seed), m_verbose(verbose)
    {
    }

    // Until the soak has its pages; then undoes what still lasts.
    void Run();
    // The last sample, once the host threads have ended their jobs but still run.
    void TakeLastSample() { TakeSample(false); }
    const std::vector<FiguresSample>& Samples() const { return m_samples; }

private:
    enum class Fault {
        KillMidJob, KillBetweenJobs, KillWithGroupsQueued, HoldDebugLog, RemoveSettings,
        GarbageSettings, SettingsOutOfRange, RemovePrinter, InitAgain,
    };

    Fault PickFault();
    void Inject(Fault fault);
    void KillLatestLauncher(const char* kind);
    void KillWithGroupsQueued();
    void HoldDebugLog();
    // The settings or printer fault just made lasts a few hundred ms.
    void Lasts();
    void EndLastingFaults();
    void TakeSample(bool hostsRunning);

    SoakContext& m_context;
    RandomSource m_random;
    const bool m_verbose;
    FileHolder m_logHolder;
    DWORD m_lastingUntil = 0;  // tick count; 0: nothing lasting
    std::vector<size_t> m_killed;  // launchers by start order
    std::vector<FiguresSample> m_samples;
};
