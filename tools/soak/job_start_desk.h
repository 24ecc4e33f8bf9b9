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

#include <atomic>
#include <string>

#include "expected_print_method.h"
#include "hand_over_ledger.h"
#include "jobport_library.h"
#include "print_settings_file.h"
#include "random_source.h"
#include "soak_installation.h"
#include "soak_report.h"
#include "win32_shared/kernel_handles_win32.h"

struct StartedJob {
    bool started = false;
    int id = 0;              // what JP_StartJob left in the host's variable
    uint64_t sequence = 0;   // the ledger's number of a started job
    uint64_t inits = 0;      // JP_init calls of this process before the start
    uint64_t idIssues = 0;   // times JP_StartJob gave this id so far, this start included
};

class JobStartDesk {
public:
    JobStartDesk(JobportLibrary& library, HandOverLedger& ledger, SoakReport& report,
                 const SoakInstallation& installation);
    JobStartDesk(const JobStartDesk&) = delete;
    JobStartDesk& operator=(const JobStartDesk&) = delete;

    // Writes a sound settings file (host 1, before any job).
    void WriteSoundSettings();
    // JP_init, while no host process changes the settings file it reads or
    // holds the debug log open (JP_init fails when it cannot write its
    // first line there).
    int CallInit(const char* caller);
    // JP_init calls of this process so far.
    uint64_t Inits() const { return m_inits; }
    // JP_SendData for an id issued before, while no job starts and no
    // JP_init runs; false, and nothing sent, when a JP_init has run since
    // `initsThen` (the id may have been issued again).
    // Sends a page for the id of a job that has gone, unless JP_init ran or
    // a later JP_StartJob gave the id again since (it may belong to a new
    // job then); false when it was not sent.
    bool SendForOldId(int id, const std::string& path, uint64_t initsThen, uint64_t idIssuesThen,
                      int& returned);

    // Around a fault that holds the debug log open: waits until no host
    // process runs JP_init and keeps JP_init waiting until EndLogHold.
    void BeginLogHold();
    void EndLogHold();

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
    const KernelHandle m_mutex;        // named: shared by the host processes
    const KernelHandle m_initOrLogHold;  // named semaphore of one: JP_init or a log hold
    PrintSettingsFile m_settings;
    bool m_settingsBroken = false;  // by this process's fault
    bool m_printerRemoved = false;  // by this process's fault
    std::atomic<uint64_t> m_inits{0};
    uint64_t m_idIssues[256] = {};  // per id: times JP_StartJob gave it
};
