// The job's settings hand-off file (page 0 of the job): the number of copies
// and the seven print settings in force when the job started, and the layout
// the launcher makes of them.
#pragma once
#include <cstdint>
#include <string>

#include "jobport_readers/profile_reader.h"
#include "shared_formats/print_settings_file.h"

struct JobSettings {
    int32_t copies = 1;
    PrintSettings print;
};

// Reads "Copies" of section "Number of Copies" and the seven keys of section
// "Print Setting", each reduced to its low 8 bits as the library hands them
// on. Absent keys take the library's defaults: 1 copy, position 4, no sorting,
// full size, one page per sheet, no frame, automatic rotation.
JobSettings ReadJobSettings(const char* path, ProfileReader& profile);

enum class Align { Start, Centre, End };  // left/top, centre, right/bottom

struct LayoutOptions {
    int32_t copies = 1;           // 1 to 999
    bool sorted = false;          // set after set; only with two or more copies
    int32_t pagesPerSheet = 1;    // 1, 2 or 4
    Align horizontal = Align::Centre;
    Align vertical = Align::Centre;
    bool fitToArea = false;       // false: the page's own size from its resolution
    bool frame = false;
    bool autoRotate = true;
};

// The layout a job's settings ask for. Values the settings program never
// writes are read as their nearest sound meaning: copies outside 1 to 999 are
// clamped; "SortSetting" sorts only when it is exactly 1 (the library holds
// the whole job back only then); "NupPrintSetting" other than 1 or 2 prints one
// page per sheet; "PrintPosSetting" above 8 centres; "PrintSizeSetting" other
// than 0 prints full size. "AutoPaperChange" has no effect.
LayoutOptions LayoutFromSettings(const JobSettings& settings);

// One line for the launcher log that shows what a job asked for.
std::string DescribeSettings(const JobSettings& settings);
