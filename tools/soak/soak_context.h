// What the soak's threads share: the library, the installation, the ledger
// and report, the desk where jobs start and the gate of the fault thread.
#pragma once
#include <atomic>
#include <cstdint>

#include "hand_over_ledger.h"
#include "job_gate.h"
#include "job_start_desk.h"
#include "jobport_library.h"
#include "soak_installation.h"
#include "soak_report.h"

struct SoakContext {
    JobportLibrary& library;
    const SoakInstallation& installation;
    HandOverLedger& ledger;
    SoakReport& report;
    JobStartDesk& desk;
    JobGate& gate;
    uint64_t pageTarget;

    bool PagesDone() const { return ledger.AcceptedPages() >= pageTarget; }
};
