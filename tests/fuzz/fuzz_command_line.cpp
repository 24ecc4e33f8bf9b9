// The launcher's command line: the library writes it, but any program can
// start KESTRO.EXE with any text. The configuration path taken from it is a
// piece of that text, without the quotes around it.
#include <string>

#include "command_line.h"
#include "fuzz_fixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line = AsCText(std::string(reinterpret_cast<const char*>(data), size));
    const std::string path = ConfigPathFromCommandLine(line);
    FUZZ_CHECK(path.size() < line.size() || path.empty());
    FUZZ_CHECK(line.find(path) != std::string::npos);
    return 0;
}
