// Feeds every file of the folders (or files) on the command line to the
// fuzz target once, as libFuzzer would, so a build without libFuzzer (any
// compiler, with the sanitizers) checks the committed corpus in seconds.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
        return false;
    }
    // A copy of exactly the file's size: a read past its end is an overrun.
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    static const uint8_t kNoByte = 0;
    LLVMFuzzerTestOneInput(data.empty() ? &kNoByte : data.data(), data.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::error_code error;
        if (std::filesystem::is_directory(arg, error)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (!entry.is_regular_file())
                    continue;
                if (!Replay(entry.path()))
                    return 1;
                ++count;
            }
        } else {
            if (!Replay(arg))
                return 1;
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    // A corpus that is gone would otherwise pass without testing anything.
    return count > 0 ? 0 : 1;
}
