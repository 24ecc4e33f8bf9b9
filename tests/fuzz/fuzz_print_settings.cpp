// The print settings file "KESTROst.ini", written by the settings program or
// by hand: the seven settings and the hold-back switch, and the profile text
// reading under them, which gives a value whole or its default, never cut.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_fixtures.h"
#include "setup/print_setting_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    const size_t outSize = input.Byte() + input.Byte();  // 0 to 510: past the 260 the reader takes
    const std::string def = input.Text(300);
    const std::string text = input.Rest();
    IniTextProfile profile(text);
    // No path: the settings folder is unknown and every value is a default.
    const char* path = (choice & 1) ? "C:\\Setting\\KESTROst.ini" : "";

    PrintSettings settings;
    ReadPrintSetting(path, settings, profile);
    const int32_t holdBack = ReadPrintAfterReceivedAllData(path, profile);
    if (path[0] == '\0') {
        FUZZ_CHECK(holdBack == 0);
        FUZZ_CHECK(settings.PrintPosSetting == 4 && settings.SortSetting == 0 &&
                   settings.PrintSizeSetting == 1 && settings.NupPrintSetting == 0 &&
                   settings.PageFramePrintSetting == 0 && settings.AutoRotatePrintSetting == 1 &&
                   settings.AutoPaperChange == 0);
    }

    // One text read into exactly outSize bytes.
    std::vector<char> out(outSize == 0 ? 1 : outSize, 'x');
    ReadProfileText(profile, path, "Print Setting", "PrintPosSetting", def.c_str(), out.data(),
                    outSize);
    if (outSize == 0)
        return 0;
    const size_t room = outSize < 260 ? outSize : 260;
    const size_t length = strnlen(out.data(), room);
    FUZZ_CHECK(length < room);
    char whole[600];
    profile.ReadString(path, "Print Setting", "PrintPosSetting", def.c_str(), whole,
                       sizeof whole);
    const std::string value = whole;
    // The value when it fits, else the default when that fits, else nothing.
    const std::string expected = value.size() < room ? value : def.size() < room ? def : "";
    FUZZ_CHECK(std::string(out.data()) == expected);
    return 0;
}
