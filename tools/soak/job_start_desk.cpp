#include "job_start_desk.h"

#include "printer_setup.h"

JobStartDesk::JobStartDesk(JobportLibrary& library, HandOverLedger& ledger, SoakReport& report,
                           const SoakInstallation& installation)
    : m_library(library), m_ledger(ledger), m_report(report), m_installation(installation),
      m_settings(installation.settingsFile)
{
    m_settings.WriteWhole(PrintChoice());
}

StartedJob JobStartDesk::Start(const PrintChoice& choice, unsigned copies)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    const PrintSettingsFile::State state = m_settings.Current();
    if (state == PrintSettingsFile::State::Sound && !m_settings.Choose(choice))
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);

    // Without the file, or with one that holds no section, every value is
    // its default: each page alone.
    PrintChoice seen = choice;
    if (state == PrintSettingsFile::State::Missing || state == PrintSettingsFile::State::Garbage)
        seen = PrintChoice();
    const bool mustStart = !m_printerRemoved && state != PrintSettingsFile::State::OutOfRange;

    StartedJob job;
    job.id = -1;
    job.started = m_library.JP_StartJob(&job.id, copies) == 1;
    if (job.started != mustStart) {
        m_report.Violation(std::string("JP_StartJob returned ") + (job.started ? "1" : "0") +
                           (m_printerRemoved ? " with no default printer"
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
        m_report.Count(m_printerRemoved ? "jobs refused: no default printer"
                                        : state == PrintSettingsFile::State::OutOfRange
                                              ? "jobs refused: settings value out of range"
                                              : "jobs refused: unexpected");
    }
    return job;
}

void JobStartDesk::RemoveSettingsFile()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_settings.Remove();
}

void JobStartDesk::FillSettingsWithGarbage(RandomSource& random)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (!m_settings.FillWithGarbage(random))
        m_report.Violation("the soak cannot write garbage into " + m_installation.settingsFile);
}

void JobStartDesk::PutSettingsValueOutOfRange()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (!m_settings.PutValueOutOfRange())
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);
}

void JobStartDesk::RemoveDefaultPrinter()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    std::string error;
    if (!m_installation.RemoveDefaultPrinter(error)) {
        m_report.Violation("the soak cannot remove its printer: " + error);
        return;
    }
    m_printerRemoved = true;
    if (!wine_printers::DefaultPrinterName().empty())
        m_report.Violation("a default printer is left after removing the soak's own");
}

void JobStartDesk::RestoreAll()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (m_settings.Current() != PrintSettingsFile::State::Sound && !m_settings.WriteWhole(PrintChoice()))
        m_report.Violation("the soak cannot write " + m_installation.settingsFile);
    if (m_printerRemoved) {
        std::string error;
        if (m_installation.AddDefaultPrinter(error))
            m_printerRemoved = false;
        else
            m_report.Violation("the soak cannot put its printer back: " + error);
    }
}
