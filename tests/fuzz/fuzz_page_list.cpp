// The page-list hand-off file as the launcher reads it: written by the
// library, but possibly cut short, damaged or replaced by another program. A
// list is taken only whole: the count line matches the paths that follow.
#include <string>
#include <vector>

#include "fuzz_fixtures.h"
#include "page_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> pages{"left from before"};
    std::string reason;
    if (ParsePageList(text, pages, reason)) {
        FUZZ_CHECK(!pages.empty());
        for (const std::string& page : pages) {
            FUZZ_CHECK(page.find_first_not_of(" \t") != std::string::npos);
            FUZZ_CHECK(page.find('\n') == std::string::npos);
            FUZZ_CHECK(page.empty() || page.back() != '\r');
        }
        // The count line is the first line and names exactly that many pages.
        FUZZ_CHECK(std::stol(text) == static_cast<long>(pages.size()));
    } else {
        FUZZ_CHECK(pages.empty());
        FUZZ_CHECK(!reason.empty());
    }
    return 0;
}
