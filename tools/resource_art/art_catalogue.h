// Every file the generator writes: the icons, the previews and the
// resource-script fragment that lists them by their ids.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace resource_art {

struct GeneratedFile {
    std::string name;  // file name inside the output folder
    std::vector<uint8_t> bytes;
};

// The files in a fixed order, the fragment "resource_art.rc" last.
std::vector<GeneratedFile> BuildResourceArtFiles();

}  // namespace resource_art
