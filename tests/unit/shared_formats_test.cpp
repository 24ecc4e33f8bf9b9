// Formats shared by the launcher and the settings program: numbers read as
// plain decimals, how much of a stored device mode may reach the printer's
// driver, and which of the user's printers a stored name is.
#include <gtest/gtest.h>

#include "devmode_bytes.h"
#include "shared_formats/plain_decimal.h"
#include "shared_formats/printer_names.h"
#include "shared_formats/stored_devmode.h"

namespace {

using Fault = StoredDevModeFault;

bool SingleByte(unsigned char) { return false; }
bool CodePage932Lead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }

const std::string kLongName = "Accounting laser printer on the second floor";  // 44 bytes

TEST(StoredFiles, NumbersAreReadOnlyAsFarAsTheyGo)
{
    EXPECT_EQ(PlainDecimal(" 12 ") + PlainDecimal("  -3x"), 9);
    EXPECT_EQ(PlainDecimal("slot") + PlainDecimal("99999999999"), 0);
}

TEST(StoredFiles, AStoredDeviceModeReachesTheDriverOnlyWholeWithinBoundsAndForItsPrinter)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        std::string printer;
        LeadByteTest lead;
        bool usable;
        bool complete;
        size_t length;  // what may be handed on
        Fault fault;
    };
    const std::string office = "Office laser";
    const std::vector<Case> cases = {
        {"whole", DevModeBytes(156, 20, 176), office, SingleByte, true, true, 176, Fault::kNone},
        {"bytes after the header's length are not used", DevModeBytes(156, 20, 180), office,
         SingleByte, true, true, 176, Fault::kNone},
        {"the name in other letter case", DevModeBytes(156, 20, 176, "OFFICE LASER"), office,
         SingleByte, true, true, 176, Fault::kNone},
        {"largest within the bounds", DevModeBytes(1024, 64512, 65536), office, SingleByte, true,
         true, 65536, Fault::kNone},
        {"a long name cut to 31 bytes", DevModeBytes(156, 0, 156, kLongName.substr(0, 31)),
         kLongName, SingleByte, true, true, 156, Fault::kNone},
        {"a long name filling the field without a zero",
         DevModeBytes(156, 0, 156, kLongName.substr(0, 32)), kLongName, SingleByte, true, true,
         156, Fault::kNone},
        // Only the public part: the private part is not this driver's or not all there.
        {"private part cut (an adjusted save, an interrupted write)", DevModeBytes(156, 20, 170),
         office, SingleByte, true, false, 156, Fault::kPrivatePartCut},
        {"dmDriverExtra too big", DevModeBytes(156, 65000, 65156), office, SingleByte, true, false,
         156, Fault::kPrivateSizeTooLarge},
        {"another printer's", DevModeBytes(156, 20, 176, "Back office"), office, SingleByte, true,
         false, 156, Fault::kOtherPrinter},
        {"a name that only starts the printer's", DevModeBytes(156, 20, 176, "Office"), office,
         SingleByte, true, false, 156, Fault::kOtherPrinter},
        {"an empty name", DevModeBytes(156, 20, 176, ""), office, SingleByte, true, false, 156,
         Fault::kOtherPrinter},
        {"a name not ended inside its field", DevModeBytes(156, 20, 176, std::string(32, 'O')),
         office, SingleByte, true, false, 156, Fault::kOtherPrinter},
        {"a long name cut too short", DevModeBytes(156, 0, 156, kLongName.substr(0, 29)),
         kLongName, SingleByte, true, false, 156, Fault::kOtherPrinter},
        {"a trail byte is no letter to fold", DevModeBytes(156, 0, 156, "\x83" "A"), "\x83" "a",
         CodePage932Lead, true, false, 156, Fault::kOtherPrinter},
        {"a single-byte code page folds it", DevModeBytes(156, 0, 156, "\x83" "A"), "\x83" "a",
         SingleByte, true, true, 156, Fault::kNone},
        // Nothing of it.
        {"oversized", DevModeBytes(156, 20, 65537), office, SingleByte, false, false, 0,
         Fault::kOversized},
        {"empty", {}, office, SingleByte, false, false, 0, Fault::kNoHeader},
        {"header cut", DevModeBytes(0, 0, 39), office, SingleByte, false, false, 0,
         Fault::kNoHeader},
        {"dmSize below the smallest", DevModeBytes(40, 0, 156), office, SingleByte, false, false, 0,
         Fault::kPublicSizeOutOfRange},
        {"dmSize above the bound", DevModeBytes(1025, 0, 1100), office, SingleByte, false, false, 0,
         Fault::kPublicSizeOutOfRange},
        {"public part cut", DevModeBytes(156, 0, 100), office, SingleByte, false, false, 0,
         Fault::kPublicPartCut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StoredDevModeParts parts =
            InspectStoredDevMode(c.file.data(), c.file.size(), c.printer, c.lead);
        EXPECT_EQ(parts.usable, c.usable);
        EXPECT_EQ(parts.complete, c.complete);
        EXPECT_EQ(parts.Length(), c.length);
        EXPECT_EQ(parts.fault, c.fault) << DescribeStoredDevModeFault(parts.fault);
    }
    EXPECT_EQ(OversizedStoredDevMode().fault, Fault::kOversized);
    EXPECT_FALSE(OversizedStoredDevMode().usable);
}

TEST(StoredFiles, AStoredPrinterIsUsedOnlyWhenItIsOneOfTheUsersPrintersWhole)
{
    const std::vector<std::string> listed = {"Office laser", "\\\\print-server\\Floor 2",
                                             "\x83" "a printer"};
    const struct {
        const char* stored;
        const std::string* found;
    } cases[] = {
        {"Office laser", &listed[0]},
        {"office LASER", &listed[0]},
        {"\\\\PRINT-SERVER\\floor 2", &listed[1]},
        {"\x83" "a PRINTER", &listed[2]},
        {"\x83" "A printer", nullptr},  // a trail byte is compared as it is
        {"\\\\host\\share", nullptr},
        {"Office", nullptr},
        {"Office laser ", nullptr},
        {"Floor 2", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindListedPrinter(c.stored, listed, CodePage932Lead), c.found) << c.stored;
    EXPECT_EQ(FindListedPrinter("Office laser", {}, SingleByte), nullptr);
}

}  // namespace
