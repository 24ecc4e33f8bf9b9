// The printer choice the settings program stores, as both programs read it:
// "SelectPrinterName" and "SelectPrinterNo" of "KESTROst.ini" (which any
// user may edit), the device-mode file "devmode<slot>.bin" (which an
// interrupted save may leave short, and anyone may replace by another
// printer's or by anything), and the user's printer list the stored name
// must be found in. The file is never read past its bound; what is handed to
// the printer driver lies inside the file's bytes, keeps its header's shape,
// and carries a private part only when it names the printer it is used for.
#include <string>
#include <vector>

#include "fuzz_fixtures.h"
#include "stored_choice.h"

namespace {

const char kFolder[] = "C:\\KESTRO\\Setting";

bool SingleByteCodePage(unsigned char) { return false; }

// One device-mode file, at the slot's path only, read as the launcher reads
// it: nothing of it when it is larger than the bound asked for.
class OneDevModeFile : public ByteFileReader {
public:
    OneDevModeFile(std::string path, std::vector<uint8_t> bytes)
        : m_path(std::move(path)), m_bytes(std::move(bytes))
    {
    }
    Result ReadUpTo(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) override
    {
        FUZZ_CHECK(limit == kMaxStoredDevModeSize);
        bytes.clear();
        if (path != m_path)
            return kUnreadable;
        if (m_bytes.size() > limit)
            return kTooLarge;
        bytes = m_bytes;
        return kRead;
    }

private:
    std::string m_path;
    std::vector<uint8_t> m_bytes;
};

// What the launcher hands the driver: the public part, and the private part
// when the file is whole, names the printer and the driver's own private
// part has the same size, with dmDriverExtra set to match.
void CheckHandOn(const std::vector<uint8_t>& file, const std::string& printer,
                 uint16_t driverExtra, LeadByteTest lead)
{
    // A heap copy of exactly the file's size, so reading past it is an overrun.
    const std::vector<uint8_t> stored(file);
    const StoredDevModeParts parts = InspectStoredDevMode(stored.data(), stored.size(), printer, lead);
    DevModeHeader header;
    FUZZ_CHECK(ReadDevModeHeader(stored.data(), stored.size(), header) ==
               (stored.size() >= kDevModeHeaderSize));
    FUZZ_CHECK(parts.complete == (parts.fault == StoredDevModeFault::kNone));
    if (!parts.usable) {
        FUZZ_CHECK(!parts.complete && parts.Length() == 0);
        return;
    }
    FUZZ_CHECK(parts.publicSize == header.publicSize);
    FUZZ_CHECK(parts.publicSize >= kMinDevModePublicSize &&
               parts.publicSize <= kMaxDevModePublicSize);
    FUZZ_CHECK(parts.Length() <= stored.size() && parts.Length() <= kMaxStoredDevModeSize);
    FUZZ_CHECK(parts.complete == (parts.privateSize == header.privateSize &&
                                  parts.Length() <= stored.size() &&
                                  DeviceNameFieldNames(stored.data(), printer, lead)));
    FUZZ_CHECK(parts.complete || parts.privateSize == 0);
    // A private part goes on only under the printer's name: all of it, or,
    // for a name too long for the field, the 30 to 32 bytes that fit; the
    // same bytes up to the letter case of ASCII letters.
    if (parts.complete) {
        size_t length = 0;
        while (length < kDevModeDeviceNameSize && stored[length] != 0)
            ++length;
        FUZZ_CHECK(length == printer.size() ||
                   (printer.size() >= kDevModeDeviceNameSize && length + 2 >= kDevModeDeviceNameSize &&
                    length < printer.size()));
        for (size_t at = 0; at < length; ++at)
            FUZZ_CHECK((stored[at] | 0x20) == (static_cast<uint8_t>(printer[at]) | 0x20));
    }
    const size_t keep = parts.privateSize == driverExtra ? parts.Length() : parts.publicSize;
    std::vector<uint8_t> handed(stored.begin(), stored.begin() + static_cast<long>(keep));
    const size_t extra = keep - parts.publicSize;
    handed[38] = static_cast<uint8_t>(extra & 0xFF);
    handed[39] = static_cast<uint8_t>(extra >> 8);
    DevModeHeader again;
    FUZZ_CHECK(ReadDevModeHeader(handed.data(), handed.size(), again));
    FUZZ_CHECK(again.publicSize + again.privateSize == handed.size());
}

// The stored name is found only as a whole entry of the user's list, the
// same in every letter case of its ASCII letters.
void CheckListed(const std::string& stored, const std::vector<std::string>& listed, LeadByteTest lead)
{
    const std::string* found = FindListedPrinter(stored, listed, lead);
    if (!found) {
        for (const std::string& name : listed)
            FUZZ_CHECK(stored.empty() || name != stored);
        return;
    }
    FUZZ_CHECK(found >= listed.data() && found < listed.data() + listed.size());
    FUZZ_CHECK(found->size() == stored.size() && !stored.empty());
    FUZZ_CHECK(SamePrinterName(*found, stored, lead) && SamePrinterName(stored, *found, lead));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint16_t driverExtra = static_cast<uint16_t>(input.Byte() << 8 | input.Byte());
    const uint8_t mode = input.Byte();
    const LeadByteTest lead = (mode & 1) ? IsCodePage932Lead : SingleByteCodePage;
    std::vector<std::string> listed;
    for (int i = mode >> 5; i > 0; --i)
        listed.push_back(input.Text(80));
    const std::string settingsText = input.Text(4096);
    std::string devModeBytes = input.Rest();
    // Now and then a file past the bound, which is never read.
    if (mode & 2)
        devModeBytes.resize(kMaxStoredDevModeSize + 1 + devModeBytes.size(), 'x');

    IniTextProfile profile(settingsText);
    const StoredPrinter printer = ReadStoredPrinter("C:\\KESTRO\\Setting\\KESTROst.ini", profile);
    FUZZ_CHECK(printer.name.size() < 260);
    const std::string devModePath = DevModeFilePath(kFolder, printer.slot);
    FUZZ_CHECK(devModePath.compare(0, sizeof kFolder + 7, std::string(kFolder) + "\\devmode") ==
               0);
    CheckListed(printer.name, listed, lead);
    if (!listed.empty()) {
        FUZZ_CHECK(listed.back().empty() || FindListedPrinter(listed.back(), listed, lead));
        CheckListed(listed.back(), listed, lead);
    }

    OneDevModeFile files(devModePath,
                         std::vector<uint8_t>(devModeBytes.begin(), devModeBytes.end()));
    std::vector<std::string> logged;
    StoredChoiceReader reader(kFolder, nullptr, 0, profile, files,
                              [&](const std::string& line) { logged.push_back(line); });
    const StoredChoice choice = reader.Current();
    FUZZ_CHECK(choice.printer.name == printer.name && choice.printer.slot == printer.slot);
    if (printer.name.empty()) {
        FUZZ_CHECK(choice.devModeFile.empty() && choice.devMode.empty());
        return 0;
    }
    FUZZ_CHECK(choice.devModeFile == devModePath);
    FUZZ_CHECK(choice.devModeTooLarge == (devModeBytes.size() > kMaxStoredDevModeSize));
    FUZZ_CHECK(choice.devMode.size() == (choice.devModeTooLarge ? 0 : devModeBytes.size()));
    CheckHandOn(choice.devMode, printer.name, driverExtra, lead);
    return 0;
}
