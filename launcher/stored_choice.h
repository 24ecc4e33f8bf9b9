// The printer choice the settings program stored, as the launcher takes it
// for each group: read under the print guard, so the settings program never
// rewrites the files halfway through the read. A guard that stays busy
// beyond the bound leaves the choice read last (kept for the life of the
// launcher) or, before the first read, none, which means the default printer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "jobport_readers/profile_reader.h"
#include "stored_printer.h"

struct StoredChoice {
    StoredPrinter printer;         // name empty: none chosen, the default printer
    std::string devModeFile;       // the file its device mode was read from
    std::vector<uint8_t> devMode;  // that file's bytes; empty when it cannot be read
    bool devModeTooLarge = false;  // the file is larger than kMaxStoredDevModeSize: not read
};

// The print guard event: free (signalled) while nobody reads or writes the
// stored printer, the settings file's section "Printer Infomation" and the
// device-mode files.
class PrintGuardEvent {
public:
    enum Wait { kHeld, kBusy, kFailed };
    virtual ~PrintGuardEvent() = default;
    // Waits up to waitMs for the guard to be free; kHeld: it was, and is now
    // reset (in use) until Release.
    virtual Wait Hold(uint32_t waitMs) = 0;
    // Sets a held guard free again; does nothing when it is not held.
    virtual void Release() = 0;
};

class ByteFileReader {
public:
    enum Result { kRead, kUnreadable, kTooLarge };
    virtual ~ByteFileReader() = default;
    // The whole file when it holds at most limit bytes. Its size is taken
    // first: of a larger file nothing is read (kTooLarge), and never more
    // than limit bytes are read. bytes is empty unless kRead.
    virtual Result ReadUpTo(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) = 0;
};

// ByteFileReader over the standard library's file streams.
class StreamByteFileReader : public ByteFileReader {
public:
    Result ReadUpTo(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) override;
};

class StoredChoiceReader {
public:
    using Log = std::function<void(const std::string&)>;

    // settingsFolder: where "KESTROst.ini" and the device-mode files lie
    // (empty: unknown, nothing is read); guard: null when there is none.
    StoredChoiceReader(std::string settingsFolder, PrintGuardEvent* guard, uint32_t waitMs,
                       ProfileReader& profile, ByteFileReader& files, Log log);

    // The choice for the next group. Logs why when it is not read now.
    StoredChoice Current();

private:
    StoredChoice ReadStore();

    std::string m_settingsFolder;
    PrintGuardEvent* m_guard;
    uint32_t m_waitMs;
    ProfileReader& m_profile;
    ByteFileReader& m_files;
    Log m_log;
    bool m_readOnce = false;
    StoredChoice m_last;
};
