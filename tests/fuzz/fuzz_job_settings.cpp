// The job's settings hand-off file (page 0), read by the launcher through
// the profile functions: any text. The layout made of it stays within what
// the printing code can do, and its log line is never cut.
#include <string>

#include "fuzz_fixtures.h"
#include "job_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniTextProfile profile(std::string(reinterpret_cast<const char*>(data), size));
    const JobSettings settings = ReadJobSettings("C:\\Temp\\KST_ 1  0.$$$", profile);
    const LayoutOptions layout = LayoutFromSettings(settings);
    FUZZ_CHECK(layout.copies >= 1 && layout.copies <= 999);
    FUZZ_CHECK(layout.pagesPerSheet == 1 || layout.pagesPerSheet == 2 ||
               layout.pagesPerSheet == 4);
    FUZZ_CHECK(!layout.sorted || layout.copies >= 2);
    for (const Align align : {layout.horizontal, layout.vertical})
        FUZZ_CHECK(align == Align::Start || align == Align::Centre || align == Align::End);

    const std::string line = DescribeSettings(settings);
    FUZZ_CHECK(line.compare(0, 7, "copies ") == 0);
    FUZZ_CHECK(line.find("paper change " + std::to_string(settings.print.AutoPaperChange)) !=
               std::string::npos);
    return 0;
}
