// The printer choice the settings program stores, as the launcher reads it:
// "SelectPrinterName" and "SelectPrinterNo" of "KESTROst.ini" (which a user
// may edit) and the device-mode file "devmode<slot>.bin" (which an
// interrupted save may leave short or damaged). What is handed to the
// printer driver lies inside the file's bytes and keeps its header's shape.
#include <string>
#include <vector>

#include "fuzz_fixtures.h"
#include "stored_choice.h"

namespace {

const char kFolder[] = "C:\\KESTRO\\Setting";

// One device-mode file, at the slot's path only.
class OneDevModeFile : public ByteFileReader {
public:
    OneDevModeFile(std::string path, std::vector<uint8_t> bytes)
        : m_path(std::move(path)), m_bytes(std::move(bytes))
    {
    }
    bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes) override
    {
        if (path != m_path)
            return false;
        bytes = m_bytes;
        return true;
    }

private:
    std::string m_path;
    std::vector<uint8_t> m_bytes;
};

// What the launcher hands the driver: the public part, and the private part
// when the driver's own has the same size, with dmDriverExtra set to match.
void CheckHandOn(const std::vector<uint8_t>& file, uint16_t driverExtra)
{
    // A heap copy of exactly the file's size, so reading past it is an overrun.
    const std::vector<uint8_t> stored(file);
    const StoredDevModeParts parts = InspectStoredDevMode(stored.data(), stored.size());
    DevModeHeader header;
    FUZZ_CHECK(ReadDevModeHeader(stored.data(), stored.size(), header) ==
               (stored.size() >= kDevModeHeaderSize));
    if (!parts.usable) {
        FUZZ_CHECK(!parts.complete && parts.Length() == 0);
        return;
    }
    FUZZ_CHECK(parts.publicSize == header.publicSize);
    FUZZ_CHECK(parts.publicSize >= kDevModeHeaderSize);
    FUZZ_CHECK(parts.Length() <= stored.size());
    FUZZ_CHECK(parts.complete == (parts.privateSize == header.privateSize &&
                                  parts.Length() <= stored.size()));
    const size_t keep = parts.privateSize == driverExtra ? parts.Length() : parts.publicSize;
    std::vector<uint8_t> handed(stored.begin(), stored.begin() + static_cast<long>(keep));
    const size_t extra = keep - parts.publicSize;
    handed[38] = static_cast<uint8_t>(extra & 0xFF);
    handed[39] = static_cast<uint8_t>(extra >> 8);
    DevModeHeader again;
    FUZZ_CHECK(ReadDevModeHeader(handed.data(), handed.size(), again));
    FUZZ_CHECK(again.publicSize + again.privateSize == handed.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint16_t driverExtra = static_cast<uint16_t>(input.Byte() << 8 | input.Byte());
    const std::string settingsText = input.Text(4096);
    const std::string devModeBytes = input.Rest();

    IniTextProfile profile(settingsText);
    const StoredPrinter printer = ReadStoredPrinter("C:\\KESTRO\\Setting\\KESTROst.ini", profile);
    FUZZ_CHECK(printer.name.size() < 260);
    const std::string devModePath = DevModeFilePath(kFolder, printer.slot);
    FUZZ_CHECK(devModePath.compare(0, sizeof kFolder + 7, std::string(kFolder) + "\\devmode") ==
               0);

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
    FUZZ_CHECK(choice.devMode.size() == devModeBytes.size());
    CheckHandOn(choice.devMode, driverExtra);
    return 0;
}
