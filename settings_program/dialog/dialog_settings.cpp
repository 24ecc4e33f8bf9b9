#include "dialog/dialog_settings.h"

#include "app/format_text.h"
#include "shared_formats/plain_decimal.h"

namespace {

constexpr int kPlaces = 3;  // positions in the Horizontal and Vertical lists
constexpr int kSizes = 2;   // fit, full size

// A list position as CB_SETCURSEL would leave it: one the list does not have
// selects nothing.
int ListPosition(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

int Flag(bool checked)
{
    return checked ? 1 : 0;
}

}  // namespace

DialogOptions DialogOptionsFromSettings(const SettingLookup& getSetting)
{
    const auto read = [&getSetting](const PrintSettingKey& key) {
        return PlainDecimal(getSetting(key.section, key.key));
    };
    DialogOptions options;

    const int firstCopy = read(kPrintAfterReceivedAllData);
    options.oneJobOnePage = firstCopy == 0;
    options.oneJobNPage = firstCopy == 1;

    options.sorted = read(kSortSetting) != 0;

    // Truncating division and a remainder with the sign of the value: -1
    // gives left and no vertical place, as the lists would show it.
    const int position = read(kPrintPosSetting);
    options.horizontal = ListPosition(position / kPlaces, kPlaces);
    options.vertical = ListPosition(position % kPlaces, kPlaces);

    options.printSize = ListPosition(read(kPrintSizeSetting), kSizes);
    options.framePrinting = read(kPageFramePrintSetting) != 0;
    options.autoRotate = read(kAutoRotatePrintSetting) != 0;
    return options;
}

std::vector<SettingWrite> DialogSettingWrites(const DialogOptions& options)
{
    const bool placeChosen = ListPosition(options.horizontal, kPlaces) >= 0 &&
                             ListPosition(options.vertical, kPlaces) >= 0;
    const int position = placeChosen ? kPlaces * options.horizontal + options.vertical
                                     : kPrintPosSetting.libraryDefault;
    const int size = ListPosition(options.printSize, kSizes) >= 0 ? options.printSize
                                                                  : kPrintSizeSetting.libraryDefault;
    // Neither first-copy button chosen writes 0, as OneJobOnePage would.
    const int firstCopy = !options.oneJobOnePage && options.oneJobNPage ? 1 : 0;

    const auto text = [](int value) { return FormatText("%d", value); };
    return {
        {kPrintAfterReceivedAllData.section, kPrintAfterReceivedAllData.key, text(firstCopy)},
        {kSortSetting.section, kSortSetting.key, text(Flag(options.sorted))},
        {kPrintPosSetting.section, kPrintPosSetting.key, text(position)},
        {kPrintSizeSetting.section, kPrintSizeSetting.key, text(size)},
        {kPageFramePrintSetting.section, kPageFramePrintSetting.key, text(Flag(options.framePrinting))},
        {kAutoRotatePrintSetting.section, kAutoRotatePrintSetting.key, text(Flag(options.autoRotate))},
    };
}
