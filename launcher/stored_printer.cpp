#include "stored_printer.h"

StoredPrinter ReadStoredPrinter(const char* settingsFile, ProfileReader& profile)
{
    StoredPrinter printer;
    // A name too long for a printer name reads as none: cut, it would name
    // another printer.
    char text[260];
    ReadProfileText(profile, settingsFile, kPrinterSection, kSelectPrinterNameKey, "", text,
                    sizeof text);
    printer.name = text;
    ReadProfileText(profile, settingsFile, kPrinterSection, kSelectPrinterNoKey, "", text,
                    sizeof text);
    printer.slot = PlainDecimal(text);
    return printer;
}

std::string DevModeFilePath(const std::string& folder, int32_t slot)
{
    return folder + "\\" + DevModeFileName(slot);
}
