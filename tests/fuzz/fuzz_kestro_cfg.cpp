// "KESTRO.cfg" as a user may edit it: any text in any section. The record
// must come out with every limit in its range and every text terminated in
// its field, whole or replaced by its default, never cut.
#include <cstring>
#include <vector>

#include "fuzz_fixtures.h"
#include "jobport_readers/config_reader.h"

namespace {

bool Terminated(const char* field, size_t size) { return strnlen(field, size) < size; }

void CheckRecord(const ConfigRecord& r)
{
    FUZZ_CHECK(r.JobLimit >= 1 && r.JobLimit <= 99);
    FUZZ_CHECK(r.CopiesLimit >= 1 && r.CopiesLimit <= 999);
    FUZZ_CHECK(r.PagesLimit >= 1 && r.PagesLimit <= 999);
    FUZZ_CHECK(r.LogSizeLimit >= 1 && r.LogSizeLimit <= 1024);
    FUZZ_CHECK(r.ChildTimeOut != 0);
    FUZZ_CHECK((r.PrintOutCheckFlags & ~(kCheckPortIsFile | kCheckPrinterNotAvailable)) == 0);
    FUZZ_CHECK(Terminated(r.AppName, sizeof r.AppName));
    FUZZ_CHECK(Terminated(r.FileName, sizeof r.FileName));
    FUZZ_CHECK(Terminated(r.CannotPrintTitle, sizeof r.CannotPrintTitle));
    FUZZ_CHECK(Terminated(r.CannotPrintMsg, sizeof r.CannotPrintMsg));
    FUZZ_CHECK(Terminated(r.CannotPrintMsg_1, sizeof r.CannotPrintMsg_1));
    FUZZ_CHECK(Terminated(r.CannotPrintMsg_2, sizeof r.CannotPrintMsg_2));
    FUZZ_CHECK(Terminated(r.CannotPrintMsg_3, sizeof r.CannotPrintMsg_3));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    // The size of the caller's sub-key buffer, 0 to 299 (the library's is 260).
    const size_t subKeySize = (input.Byte() << 8 | input.Byte()) % 300;
    IniTextProfile profile(input.Rest());
    const char path[] = "C:\\Host\\KESTRO.cfg";

    ConfigRecord record;
    std::memset(&record, 0x5A, sizeof record);  // no field may keep old bytes
    ReadConfig(path, record, profile);
    CheckRecord(record);

    // Exactly subKeySize bytes, so a write past them is an overrun.
    std::vector<char> subKey(subKeySize == 0 ? 1 : subKeySize, 'x');
    if (MakeSubKey(path, profile, subKey.data(), subKeySize)) {
        FUZZ_CHECK(strnlen(subKey.data(), subKeySize) < subKeySize);
    } else if (subKeySize > 0) {
        FUZZ_CHECK(subKey[0] == '\0');
    }

    RegistryValueNames names;
    std::memset(&names, 0x5A, sizeof names);
    ReadRegistryValueNames(path, profile, names);
    FUZZ_CHECK(Terminated(names.installDir, sizeof names.installDir));
    FUZZ_CHECK(Terminated(names.logDir, sizeof names.logDir));
    FUZZ_CHECK(Terminated(names.iniDir, sizeof names.iniDir));
    FUZZ_CHECK(Terminated(names.dataDir, sizeof names.dataDir));
    return 0;
}
