#include "dialog/dialog_settings.h"

#include "app/format_text.h"
#include "stored_files/plain_decimal.h"

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
    const auto read = [&getSetting](const char* section, const char* key) {
        return PlainDecimal(getSetting(section, key));
    };
    DialogOptions options;

    const int firstCopy = read(kVeloraConfigSection, kPrintAfterReceivedAllDataKey);
    options.oneJobOnePage = firstCopy == 0;
    options.oneJobNPage = firstCopy == 1;

    options.sorted = read(kPrintSettingSection, kSortSettingKey) != 0;

    // Truncating division and a remainder with the sign of the value: -1
    // gives left and no vertical place, as the lists would show it.
    const int position = read(kPrintSettingSection, kPrintPosSettingKey);
    options.horizontal = ListPosition(position / kPlaces, kPlaces);
    options.vertical = ListPosition(position % kPlaces, kPlaces);

    options.printSize = ListPosition(read(kPrintSettingSection, kPrintSizeSettingKey), kSizes);
    options.framePrinting = read(kPrintSettingSection, kPageFramePrintSettingKey) != 0;
    options.autoRotate = read(kPrintSettingSection, kAutoRotatePrintSettingKey) != 0;
    return options;
}

std::vector<SettingWrite> DialogSettingWrites(const DialogOptions& options)
{
    const bool placeChosen = ListPosition(options.horizontal, kPlaces) >= 0 &&
                             ListPosition(options.vertical, kPlaces) >= 0;
    const int position = placeChosen ? kPlaces * options.horizontal + options.vertical
                                     : kLibraryDefaultPrintPos;
    const int size = ListPosition(options.printSize, kSizes) >= 0 ? options.printSize
                                                                  : kLibraryDefaultPrintSize;
    // Neither first-copy button chosen writes 0, as OneJobOnePage would.
    const int firstCopy = !options.oneJobOnePage && options.oneJobNPage ? 1 : 0;

    const auto text = [](int value) { return FormatText("%d", value); };
    return {
        {kVeloraConfigSection, kPrintAfterReceivedAllDataKey, text(firstCopy)},
        {kPrintSettingSection, kSortSettingKey, text(Flag(options.sorted))},
        {kPrintSettingSection, kPrintPosSettingKey, text(position)},
        {kPrintSettingSection, kPrintSizeSettingKey, text(size)},
        {kPrintSettingSection, kPageFramePrintSettingKey, text(Flag(options.framePrinting))},
        {kPrintSettingSection, kAutoRotatePrintSettingKey, text(Flag(options.autoRotate))},
    };
}
