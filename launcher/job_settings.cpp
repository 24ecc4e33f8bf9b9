#include "job_settings.h"

#include <cstdio>

namespace {

const int32_t kMaxCopies = 999;

Align AlignOf(int32_t choice)
{
    return choice == 0 ? Align::Start : choice == 1 ? Align::Centre : Align::End;
}

}  // namespace

JobSettings ReadJobSettings(const char* path, ProfileReader& profile)
{
    JobSettings settings;
    settings.copies = profile.ReadInt(path, kCopiesSection, kCopiesKey, kDefaultCopies);
    settings.print = ReadPrintSettings([&](const PrintSettingKey& key) {
        return profile.ReadInt(path, key.section, key.key, key.libraryDefault);
    });
    return settings;
}

LayoutOptions LayoutFromSettings(const JobSettings& settings)
{
    const PrintSettings& p = settings.print;
    LayoutOptions options;
    options.copies = settings.copies < 1 ? 1 : settings.copies > kMaxCopies ? kMaxCopies
                                                                             : settings.copies;
    options.sorted = p.SortSetting == 1 && options.copies >= 2;
    options.pagesPerSheet = p.NupPrintSetting == 1 ? 2 : p.NupPrintSetting == 2 ? 4 : 1;
    const int32_t position = p.PrintPosSetting <= 8 ? p.PrintPosSetting : 4;
    options.horizontal = AlignOf(position / 3);
    options.vertical = AlignOf(position % 3);
    options.fitToArea = p.PrintSizeSetting == 0;
    options.frame = p.PageFramePrintSetting != 0;
    options.autoRotate = p.AutoRotatePrintSetting != 0;
    return options;
}

std::string DescribeSettings(const JobSettings& settings)
{
    const PrintSettings& p = settings.print;
    char text[200];
    std::snprintf(text, sizeof text,
                  "copies %d, position %u, sort %u, size %u, n-up %u, frame %u, rotate %u, "
                  "paper change %u",
                  static_cast<int>(settings.copies), p.PrintPosSetting, p.SortSetting,
                  p.PrintSizeSetting, p.NupPrintSetting, p.PageFramePrintSetting,
                  p.AutoRotatePrintSetting, p.AutoPaperChange);
    return text;
}
