#include "job_start_desk.h"

#include "printer_setup.h"

namespace {
const DWORD kLogHoldTurnMs = 60000;
}

// The desk to itself, in every host process; also taken when the owner of
// the mutex ended without giving it back.
class JobStartDesk::Turn {
public:
    explicit Turn(HANDLE mutex) : m_mutex(mutex)
    {
        const DWORD waited = WaitForSingleObject(m_mutex, INFINITE);
        m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~Turn()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

private:
    HANDLE m_mutex;  // the desk's, which outlives the turn
    bool m_held = false;
};

JobStartDesk::JobStartDesk(JobportLibrary& library, HandOverLedger& ledger, SoakReport& report,
                           const SoakInstallation& installation)
    : m_library(library), m_ledger(ledger), m_report(report), m_installation(installation),
      m_mutex(CreateMutexA(nullptr, FALSE, installation.SharedObjectName("desk").c_str())),
      m_initOrLogHold(CreateSemaphoreA(nullptr, 1, 1, installation.SharedObjectName("init").c_str())),
      m_settings(installation.settingsFile)
{
    if (!m_mutex || !m_initOrLogHold)
        m_report.Violation("the soak cannot create its desk's mutex and semaphore");
}

void JobStartDesk::WriteSoundSettings()
{
    const Turn turn(m_mutex.Get());
    if (!m_settings.WriteWhole(PrintChoice()))
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);
}

int JobStartDesk::CallInit(const char* caller)
{
    BeginLogHold();
    int ready = 0;
    {
        const Turn turn(m_mutex.Get());
        ready = m_library.JP_init(caller);
        ++m_inits;
    }
    EndLogHold();
    return ready;
}

bool JobStartDesk::SendForOldId(int id, const std::string& path, uint64_t initsThen,
                                uint64_t idIssuesThen, int& returned)
{
    const Turn turn(m_mutex.Get());
    if (m_inits != initsThen || (id > 0 && id < 256 && m_idIssues[id] != idIssuesThen))
        return false;
    returned = m_library.JP_SendData(id, path.c_str());
    return true;
}

void JobStartDesk::BeginLogHold()
{
    // Bounded: a host process that ended holding the turn must not stop the others.
    if (m_initOrLogHold && WaitForSingleObject(m_initOrLogHold.Get(), kLogHoldTurnMs) != WAIT_OBJECT_0)
        m_report.Violation("no turn for JP_init or a log hold within " + std::to_string(kLogHoldTurnMs / 1000) +
                           " s");
}

void JobStartDesk::EndLogHold()
{
    if (m_initOrLogHold)
        ReleaseSemaphore(m_initOrLogHold.Get(), 1, nullptr);
}

bool JobStartDesk::PrinterRemoved() const { return wine_printers::DefaultPrinterName().empty(); }

StartedJob JobStartDesk::Start(const PrintChoice& choice, unsigned copies)
{
    const Turn turn(m_mutex.Get());
    const PrintSettingsFile::State state = m_settings.Current();
    if (state == PrintSettingsFile::State::Sound && !m_settings.Choose(choice))
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);

    // Without the file, or with one that holds no section, every value is
    // its default: each page alone.
    PrintChoice seen = choice;
    if (state == PrintSettingsFile::State::Missing || state == PrintSettingsFile::State::Garbage)
        seen = PrintChoice();
    const bool printerRemoved = PrinterRemoved();
    const bool mustStart = !printerRemoved && state != PrintSettingsFile::State::OutOfRange;

    StartedJob job;
    job.id = -1;
    job.inits = m_inits;
    job.started = m_library.JP_StartJob(&job.id, copies) == 1;
    if (job.id > 0 && job.id < 256)
        job.idIssues = ++m_idIssues[job.id];
    if (job.started != mustStart) {
        m_report.Violation(std::string("JP_StartJob returned ") + (job.started ? "1" : "0") +
                           (printerRemoved ? " with no default printer"
                            : state == PrintSettingsFile::State::OutOfRange
                                ? " with NupPrintSetting=9"
                                : " with a sound installation") +
                           " (id " + std::to_string(job.id) + ")");
    }
    if (job.started) {
        if (job.id < 1 || job.id > 255)
            m_report.Violation("JP_StartJob returned 1 with id " + std::to_string(job.id));
        job.sequence = m_ledger.JobStarted(job.id, copies, ExpectedMethod(seen, copies), seen, true);
        m_report.Count("jobs started");
    } else {
        m_report.Count(printerRemoved ? "jobs refused: no default printer"
                       : state == PrintSettingsFile::State::OutOfRange
                           ? "jobs refused: settings value out of range"
                           : "jobs refused: unexpected");
    }
    return job;
}

void JobStartDesk::RemoveSettingsFile()
{
    const Turn turn(m_mutex.Get());
    m_settings.Remove();
    m_settingsBroken = true;
}

void JobStartDesk::FillSettingsWithGarbage(RandomSource& random)
{
    const Turn turn(m_mutex.Get());
    if (!m_settings.FillWithGarbage(random))
        m_report.Violation("the soak cannot write garbage into " + m_installation.settingsFile);
    m_settingsBroken = true;
}

void JobStartDesk::PutSettingsValueOutOfRange()
{
    const Turn turn(m_mutex.Get());
    if (!m_settings.PutValueOutOfRange())
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);
    m_settingsBroken = true;
}

void JobStartDesk::RemoveDefaultPrinter()
{
    const Turn turn(m_mutex.Get());
    if (PrinterRemoved())
        return;  // another host process's fault lasts
    std::string error;
    if (!m_installation.RemoveDefaultPrinter(error)) {
        m_report.Violation("the soak cannot remove its printer: " + error);
        return;
    }
    m_printerRemoved = true;
    if (!PrinterRemoved())
        m_report.Violation("a default printer is left after removing the soak's own");
}

void JobStartDesk::RestoreAll()
{
    const Turn turn(m_mutex.Get());
    if (m_settingsBroken && m_settings.Current() != PrintSettingsFile::State::Sound &&
        !m_settings.WriteWhole(PrintChoice()))
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);
    m_settingsBroken = false;
    if (m_printerRemoved) {
        std::string error;
        if (PrinterRemoved() && !m_installation.AddDefaultPrinter(error))
            m_report.Violation("the soak cannot put its printer back: " + error);
        else
            m_printerRemoved = false;
    }
}
