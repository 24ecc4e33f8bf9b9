#include "file_output.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace resource_art {

bool WriteIfChanged(const std::string& path, const std::vector<uint8_t>& bytes)
{
    {
        std::ifstream existing(path, std::ios::binary);
        if (existing) {
            const std::vector<uint8_t> old((std::istreambuf_iterator<char>(existing)),
                                           std::istreambuf_iterator<char>());
            if (old == bytes)
                return false;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return true;
}

}  // namespace resource_art
