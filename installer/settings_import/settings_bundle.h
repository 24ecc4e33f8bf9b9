// A station's print settings as an administrator deploys them with Setup:
// the settings file "KESTROst.ini" that Print Settings wrote, with the
// device-mode file of the printer it chose (and that printer's device
// names, when there). Setup installs them only when every one is sound, so
// that a wrong file given at install changes nothing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ansi_paths/ansi_path_split.h"

// Larger files are no settings of this system (the settings file holds a
// few hundred bytes, a device mode at most two 64 KB parts).
constexpr size_t kMaxSettingsFileSize = 64 * 1024;
constexpr size_t kMaxDevModeFileSize = 2 * 65535;

struct BundleFile {
    std::string name;            // as it is installed in the settings folder
    std::vector<uint8_t> bytes;  // exactly what was checked
};

struct SettingsBundle {
    std::vector<BundleFile> files;  // the settings file first
    std::string problem;            // empty when the bundle is sound
    bool Sound() const { return problem.empty(); }
};

// Reads the file name beside the settings file into bytes, at most limit
// bytes. Missing: false with *missing set; unreadable or larger than limit:
// false with a reason in *reason.
using ReadBesideSettings = std::function<bool(const std::string& name, size_t limit,
                                              std::vector<uint8_t>& bytes, bool* missing,
                                              std::string* reason)>;

// Checks settingsText, the settings file's bytes: a profile file that holds
// at least one of the print settings, each a whole number in its range;
// when it names a printer, its slot is a number and its device-mode file is
// beside it, complete and made for that printer (names compared with the
// code page's lead bytes, isLeadByte). The result lists the files to
// install, or says in one sentence what is wrong.
SettingsBundle CheckSettingsBundle(const std::vector<uint8_t>& settingsText,
                                   const ReadBesideSettings& readBeside, LeadByteTest isLeadByte);
