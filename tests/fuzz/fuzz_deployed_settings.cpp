// A print settings file given to Setup (/SETTINGS=, SETTINGSFILE=) with the
// device-mode file beside it: whatever the bytes, the check either names a
// problem and takes nothing, or takes the settings file byte for byte and
// only device-mode files that are whole.
#include <string>
#include <vector>

#include "fuzz_fixtures.h"
#include "settings_bundle.h"
#include "shared_formats/stored_devmode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const size_t devModeSize = input.Byte() * 4;
    std::vector<uint8_t> devMode;
    for (size_t i = 0; i < devModeSize; ++i)
        devMode.push_back(input.Byte());
    const std::string text = input.Rest();
    const std::vector<uint8_t> settings(text.begin(), text.end());

    const SettingsBundle bundle = CheckSettingsBundle(
        settings, [&devMode](const std::string& name, size_t limit, std::vector<uint8_t>& bytes,
                             bool* missing, std::string*) {
            *missing = name.compare(0, 7, "devmode") != 0;
            if (*missing)
                return false;
            FUZZ_CHECK(limit >= devMode.size());
            bytes = devMode;
            return true;
        },
        [](unsigned char) { return false; });
    if (!bundle.Sound()) {
        FUZZ_CHECK(bundle.problem.find('\0') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(!bundle.files.empty() && bundle.files.size() <= 2);
    FUZZ_CHECK(bundle.files[0].name == "KESTROst.ini" && bundle.files[0].bytes == settings);
    if (bundle.files.size() == 2)
        FUZZ_CHECK(bundle.files[1].bytes == devMode);
    return 0;
}
