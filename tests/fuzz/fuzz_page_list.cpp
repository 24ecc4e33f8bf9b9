// The page-list hand-off file as the launcher reads it: written by the
// library, but possibly cut short, damaged or replaced by another program.
// Every page it names is printed only when it lies directly in the data
// folder, in the form Windows resolves the path to; each path is checked
// with and without code page 932's double-byte characters.
#include <string>
#include <vector>

#include "ansi_paths/ansi_path_normal.h"
#include "data_folder_pages.h"
#include "fuzz_fixtures.h"
#include "page_list.h"

namespace {

bool SingleByte(unsigned char) { return false; }

const char kDataFolder[] = "C:\\Kestro\\sys\\Data";

// What must hold of a path the launcher would print from, and of any path
// it can normalise.
void CheckPath(const std::string& path, LeadByteTest isLead)
{
    std::string normal;
    if (NormalisePath(path, isLead, normal)) {
        std::string again;
        FUZZ_CHECK(NormalisePath(normal, isLead, again));
        FUZZ_CHECK(again == normal);
        FUZZ_CHECK(SamePath(path, normal, isLead));
        FUZZ_CHECK(normal.find('/') == std::string::npos);
    }
    std::string name;
    const bool inside = PathIsInsideFolder(path, kDataFolder, isLead, &name);
    FUZZ_CHECK(inside == !name.empty());
    FUZZ_CHECK(!inside || SamePath(std::string(kDataFolder) + "\\" + name, path, isLead));
    if (IsInDataFolder(path, kDataFolder, isLead)) {
        FUZZ_CHECK(inside);
        FUZZ_CHECK(path.size() <= 259);
        FUZZ_CHECK(EndOfLastSeparator(name, kBackslash, isLead) == 0);
        FUZZ_CHECK(name != "." && name != "..");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> pages{"left from before"};
    std::string problem;
    if (ParsePageList(text, pages, problem)) {
        FUZZ_CHECK(!pages.empty());
        for (const std::string& page : pages) {
            FUZZ_CHECK(page.find_first_not_of(" \t") != std::string::npos);
            FUZZ_CHECK(page.find('\n') == std::string::npos);
            FUZZ_CHECK(page.empty() || page.back() != '\r');
            CheckPath(page, SingleByte);
            CheckPath(page, IsCodePage932Lead);
        }
    } else {
        FUZZ_CHECK(pages.empty());
        FUZZ_CHECK(!problem.empty());
    }
    return 0;
}
