#include "stored_printer.h"

namespace {

const char kPrinterSection[] = "Printer Infomation";

}  // namespace

StoredPrinter ReadStoredPrinter(const char* settingsFile, ProfileReader& profile)
{
    StoredPrinter printer;
    char text[260];
    profile.ReadString(settingsFile, kPrinterSection, "SelectPrinterName", "", text, sizeof text);
    printer.name = text;
    profile.ReadString(settingsFile, kPrinterSection, "SelectPrinterNo", "", text, sizeof text);
    printer.slot = PlainDecimal(text);
    return printer;
}

std::string DevModeFilePath(const std::string& folder, int32_t slot)
{
    return folder + "\\devmode" + std::to_string(slot) + ".bin";
}
