// Hand-off file names as the launcher finds them in the temporary folder,
// where any program may leave any name: a name is read back only when it is
// one the library writes, and every name the library writes for a job id and
// page up to 999 reads back as that job and page.
#include <string>
#include <vector>

#include "fuzz_fixtures.h"
#include "shared_formats/handoff_file_name.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint32_t jobId = input.Word();
    const uint32_t page = input.Word();
    const size_t nameSize = input.Byte() % 64;
    const std::string tempDir = input.Text(300);
    const std::string bare = AsCText(input.Rest());

    uint32_t readId = 0xDEAD;
    uint32_t readPage = 0xBEEF;
    if (ParseHandoffFileName(bare.c_str(), &readId, &readPage)) {
        FUZZ_CHECK(readId <= 999 && readPage <= 999);
        FUZZ_CHECK(bare.size() == 13 || bare.size() == 14);
    }

    // Exactly nameSize bytes, so a write past them is an overrun.
    std::vector<char> name(nameSize == 0 ? 1 : nameSize, 'x');
    if (HandoffFileName(tempDir.c_str(), jobId, page, name.data(), nameSize)) {
        const std::string full = name.data();
        FUZZ_CHECK(full.size() < nameSize);
        FUZZ_CHECK(!tempDir.empty() && full.compare(0, tempDir.size(), tempDir) == 0);
        uint32_t id = 0;
        uint32_t number = 0;
        const bool read = ParseHandoffFileName(full.c_str() + tempDir.size(), &id, &number);
        if (jobId <= 999 && page <= 999)
            FUZZ_CHECK(read && id == jobId && number == page);
    } else if (nameSize > 0) {
        FUZZ_CHECK(name[0] == '\0');
    }
    return 0;
}
