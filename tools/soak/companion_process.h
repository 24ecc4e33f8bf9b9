// Another host process of the same run (soak --companion K): host 1 starts
// it on the same installation with the run's options, lets it write to the
// same output, and waits for it at the end. It saves its report to the file
// ReportPath names, which host 1 merges into its own.
#pragma once
#include <windows.h>

#include <string>

#include "soak_options.h"
#include "win32_shared/kernel_handles_win32.h"

class CompanionProcess {
public:
    CompanionProcess() = default;
    ~CompanionProcess();
    CompanionProcess(const CompanionProcess&) = delete;
    CompanionProcess& operator=(const CompanionProcess&) = delete;

    // Starts host process `host` of the run; false with a reason when it cannot.
    bool Start(const SoakOptions& options, unsigned host, std::string& error);
    // Waits until it ends and returns its exit code; after timeoutMs it is
    // ended and false is returned.
    bool Wait(unsigned long timeoutMs, unsigned long& exitCode);
    bool Started() const { return static_cast<bool>(m_process); }

    static std::string ReportPath(const std::string& root, unsigned host);

private:
    KernelHandle m_process;
};
