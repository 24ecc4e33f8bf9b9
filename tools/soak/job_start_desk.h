// Where the soak's jobs are started: one at a time, so that the order in
// which the library issued them is known, and with the print settings file
// and the default printer that the soak set for that moment. The faults
// that change what JP_StartJob sees (settings file missing, garbage or out
// of range; no default printer) are made here too, between two starts, so
// every start knows what it must return and which print method it gets.
// Host processes sharing the installation share one desk: a named mutex
// lets one start at a time in all of them, and what JP_StartJob will see is
// read from the installation itself, whoever changed it.
#pragma once
#include <windows.h>

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
    ~JobStartDesk();
    JobStartDesk(const JobStartDesk&) = delete;
    JobStartDesk& operator=(const JobStartDesk&) = delete;

    // Writes a sound settings file (host 1, before any job).
    void WriteSoundSettings();
    // JP_init, while no host process changes the settings file it reads.
    int CallInit(const char* caller);

    // Starts a job with these settings; a start that returns other than it
    // must is a violation.
    StartedJob Start(const PrintChoice& choice, unsigned copies);

    // The faults, each lasting until RestoreAll.
    void RemoveSettingsFile();
    void FillSettingsWithGarbage(RandomSource& random);
    void PutSettingsValueOutOfRange();
    void RemoveDefaultPrinter();
    // Sound settings file and default printer again, where this process's
    // faults left them otherwise.
    void RestoreAll();

private:
    class Turn;
    bool PrinterRemoved() const;

    JobportLibrary& m_library;
    HandOverLedger& m_ledger;
    SoakReport& m_report;
    const SoakInstallation& m_installation;
    HANDLE m_mutex;  // named: shared by the host processes
    PrintSettingsFile m_settings;
    bool m_settingsBroken = false;  // by this process's fault
    bool m_printerRemoved = false;  // by this process's fault
};
