#include "settings_bundle.h"

#include "app/printer_slots.h"
#include "ini_text.h"
#include "shared_formats/installation_files.h"
#include "shared_formats/print_settings_file.h"
#include "shared_formats/stored_devmode.h"
#include "stored_printer.h"

namespace {

std::string Range(const PrintSettingKey& key)
{
    return std::to_string(key.lowest) + " to " + std::to_string(key.highest);
}

// Empty when every print setting the file holds is a number in its range;
// counts those it holds.
std::string CheckNumbers(const IniText& ini, int* found)
{
    for (size_t i = 0; i < kPrintSettingKeyCount; ++i) {
        const PrintSettingKey& key = *kPrintSettingKeys[i];
        const std::string* value = ini.Find(key.section, key.key);
        if (!value)
            continue;
        ++*found;
        int32_t number = 0;
        const std::string where =
            std::string("\"") + key.key + "\" in section \"" + key.section + "\"";
        if (!ParseWholeDecimal(*value, &number))
            return where + " is \"" + *value + "\", not a number";
        if (number < key.lowest || number > key.highest)
            return where + " is " + *value + ", outside " + Range(key);
    }
    return std::string();
}

}  // namespace

SettingsBundle CheckSettingsBundle(const std::vector<uint8_t>& settingsText,
                                   const ReadBesideSettings& readBeside, LeadByteTest isLeadByte)
{
    SettingsBundle bundle;
    IniText ini;
    std::string problem;
    if (settingsText.size() > kMaxSettingsFileSize) {
        bundle.problem = "it is larger than " + std::to_string(kMaxSettingsFileSize) +
                         " bytes, so it is no print settings file";
        return bundle;
    }
    if (!ini.Parse(std::string(settingsText.begin(), settingsText.end()), &problem)) {
        bundle.problem = "it is not an INI file: " + problem;
        return bundle;
    }
    int found = 0;
    bundle.problem = CheckNumbers(ini, &found);
    if (!bundle.Sound())
        return bundle;
    if (found == 0) {
        bundle.problem = std::string("it holds none of the print settings (such as \"") +
                         kPrintPosSetting.key + "\"), so it is not a file Print Settings wrote";
        return bundle;
    }
    bundle.files.push_back({kSettingFileName, settingsText});

    const StoredPrinter printer = ReadStoredPrinter("", ini);
    if (printer.name.empty())
        return bundle;  // the default printer: no device mode
    if (printer.slot < 0) {
        bundle.problem = "the chosen printer \"" + printer.name + "\" has no stored slot number";
        return bundle;
    }
    std::vector<uint8_t> bytes;
    bool missing = false;
    const std::string devModeName = DevModeFileName(printer.slot);
    if (!readBeside(devModeName, kMaxDevModeFileSize, bytes, &missing, &problem)) {
        bundle.problem = "the device-mode file " + devModeName + " of the printer \"" +
                         printer.name + "\" " + (missing ? "is not beside it" : problem);
        return bundle;
    }
    if (!InspectStoredDevMode(bytes.data(), bytes.size(), printer.name, isLeadByte).complete) {
        bundle.problem = "the device-mode file " + devModeName +
                         " is cut short, not a device mode, or made for another printer";
        return bundle;
    }
    bundle.files.push_back({devModeName, bytes});

    // The device names are written with the device mode, but nothing needs them.
    const std::string devNamesName = DevNamesFileName(printer.slot);
    bytes.clear();
    if (readBeside(devNamesName, kMaxSettingsFileSize, bytes, &missing, &problem))
        bundle.files.push_back({devNamesName, bytes});
    else if (!missing)
        bundle.problem = "the device-names file " + devNamesName + " " + problem;
    return bundle;
}
