#include "stored_choice.h"

#include <fstream>
#include <utility>

#include "shared_formats/installation_files.h"

namespace {

// Sets the guard free again when the read ends, however it ends.
class HeldGuard {
public:
    explicit HeldGuard(PrintGuardEvent& guard) : m_guard(guard) {}
    ~HeldGuard() { m_guard.Release(); }
    HeldGuard(const HeldGuard&) = delete;
    HeldGuard& operator=(const HeldGuard&) = delete;

private:
    PrintGuardEvent& m_guard;
};

}  // namespace

ByteFileReader::Result StreamByteFileReader::ReadUpTo(const std::string& path, size_t limit,
                                                      std::vector<uint8_t>& bytes)
{
    bytes.clear();
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file || !file.seekg(0, std::ios::end))
        return kUnreadable;
    const std::streamoff size = file.tellg();
    if (size < 0)
        return kUnreadable;
    if (static_cast<unsigned long long>(size) > limit)
        return kTooLarge;
    if (!file.seekg(0, std::ios::beg))
        return kUnreadable;
    // A file that grew since its size was taken is read only that far.
    bytes.resize(static_cast<size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    if (file.bad()) {
        bytes.clear();
        return kUnreadable;
    }
    return kRead;
}

StoredChoiceReader::StoredChoiceReader(std::string settingsFolder, PrintGuardEvent* guard,
                                       uint32_t waitMs, ProfileReader& profile,
                                       ByteFileReader& files, Log log)
    : m_settingsFolder(std::move(settingsFolder)),
      m_guard(guard),
      m_waitMs(waitMs),
      m_profile(profile),
      m_files(files),
      m_log(std::move(log))
{
}

StoredChoice StoredChoiceReader::ReadStore()
{
    StoredChoice choice;
    const std::string settingsFile = m_settingsFolder + "\\" + kSettingFileName;
    choice.printer = ReadStoredPrinter(settingsFile.c_str(), m_profile);
    if (!choice.printer.name.empty()) {
        choice.devModeFile = DevModeFilePath(m_settingsFolder, choice.printer.slot);
        choice.devModeTooLarge = m_files.ReadUpTo(choice.devModeFile, kMaxStoredDevModeSize,
                                                  choice.devMode) == ByteFileReader::kTooLarge;
    }
    return choice;
}

StoredChoice StoredChoiceReader::Current()
{
    if (m_settingsFolder.empty())
        return StoredChoice();

    PrintGuardEvent::Wait wait = PrintGuardEvent::kFailed;  // without a guard: read unguarded
    if (m_guard) {
        wait = m_guard->Hold(0);
        if (wait == PrintGuardEvent::kBusy && m_waitMs > 0) {
            m_log("the print guard is busy (the settings program uses the stored printer): "
                  "waiting up to " + std::to_string(m_waitMs) + " ms");
            wait = m_guard->Hold(m_waitMs);
        }
    }
    if (wait == PrintGuardEvent::kBusy) {
        const std::string why =
            "the print guard stayed busy for " + std::to_string(m_waitMs) + " ms: ";
        if (!m_readOnce) {
            m_log(why + "no printer choice was read yet, the default printer is used");
            return StoredChoice();
        }
        m_log(why + "the printer choice read last is used (\"" + m_last.printer.name + "\")");
        return m_last;
    }

    StoredChoice choice;
    if (wait == PrintGuardEvent::kHeld) {
        const HeldGuard held(*m_guard);
        choice = ReadStore();
    } else {
        // No guard named, or one that failed (logged where it failed): a name
        // the system refuses is refused to the settings program too, which
        // then does not start, so nobody writes the files now.
        choice = ReadStore();
    }
    m_last = choice;
    m_readOnce = true;
    return choice;
}
