// What the soak's threads share: the library, the installation, the ledger
// and report, the desk where jobs start, the gate of the fault thread and
// the board the host processes of one installation share.
#pragma once
#include <atomic>
#include <cstdint>

#include "hand_over_ledger.h"
#include "host_board.h"
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
    HostBoard& board;
    uint64_t pageTarget;   // this host process's pages
    unsigned host;         // this host process's number, 1 for the only one
    unsigned hosts;        // host processes sharing the installation
    std::atomic<bool> stopped{false};  // the run ends early (host 1 has gone, JP_init failed)

    bool PagesDone() const { return stopped || ledger.AcceptedPages() >= pageTarget; }
};
