// Where the soak's jobs are started: one at a time, so that the order in
// which the library issued them is known, and with the print settings file
// and the default printer that the soak set for that moment. The faults
// that change what JP_StartJob sees (settings file missing, garbage or out
// of range; no default printer) are made here too, between two starts, so
// every start knows what it must return and which print method it gets.
#pragma once
#include <mutex>
#include <string>

#include "expected_print_method.h"
#include "hand_over_ledger.h"
#include "jobport_library.h"
#include "print_settings_file.h"
#include "random_source.h"
#include "soak_installation.h"
#include "soak_report.h"

struct StartedJob {
    bool started = false;
    int id = 0;              // what JP_StartJob left in the host's variable
    uint64_t sequence = 0;   // the ledger's number of a started job
};

class JobStartDesk {
public:
    JobStartDesk(JobportLibrary& library, HandOverLedger& ledger, SoakReport& report,
                 const SoakInstallation& installation);

    // Starts a job with these settings; a start that returns other than it
    // must is a violation.
    StartedJob Start(const PrintChoice& choice, unsigned copies);

    // The faults, each lasting until RestoreAll.
    void RemoveSettingsFile();
    void FillSettingsWithGarbage(RandomSource& random);
    void PutSettingsValueOutOfRange();
    void RemoveDefaultPrinter();
    // Sound settings file and default printer again.
    void RestoreAll();

private:
    JobportLibrary& m_library;
    HandOverLedger& m_ledger;
    SoakReport& m_report;
    const SoakInstallation& m_installation;
    std::mutex m_lock;
    PrintSettingsFile m_settings;
    bool m_printerRemoved = false;
};
