// The DEVNAMES block the print dialog returns for the default printer, with
// offsets the driver and the system fill in: names are taken only from
// inside the block, terminated, and whole.
#include <cstring>
#include <vector>

#include "fuzz_fixtures.h"
#include "setup/devnames_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A heap copy of exactly the block's size, so a read past it is an overrun.
    const std::vector<uint8_t> block(data, data + size);
    DefaultPrinterNames names;
    std::memset(&names, 'x', sizeof names);
    if (ReadDevNames(block.data(), block.size(), names)) {
        for (const char* name : {names.device, names.port}) {
            const size_t length = strnlen(name, sizeof names.device);
            FUZZ_CHECK(length < sizeof names.device);
            // The name is a run of the block's bytes ending with its terminator.
            bool found = false;
            for (size_t at = 8; at + length < block.size() && !found; ++at)
                found = block[at + length] == 0 && std::memcmp(&block[at], name, length) == 0;
            FUZZ_CHECK(found);
        }
    } else {
        FUZZ_CHECK(names.device[0] == '\0' && names.port[0] == '\0');
    }
    return 0;
}
