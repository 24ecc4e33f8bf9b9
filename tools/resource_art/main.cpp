// resource_art <output-folder>: draws the icons and layout previews of the
// settings program and writes them, with the resource-script fragment
// "resource_art.rc" that lists them, into the folder (created if missing).
// Files whose content is unchanged are left alone.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "art_catalogue.h"
#include "file_output.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource_art <output-folder>\n");
        return 2;
    }
    try {
        const std::filesystem::path folder = std::filesystem::path(argv[1]);
        std::filesystem::create_directories(folder);
        int written = 0;
        for (const resource_art::GeneratedFile& file : resource_art::BuildResourceArtFiles())
            if (resource_art::WriteIfChanged((folder / file.name).string(), file.bytes))
                ++written;
        if (written > 0)
            std::printf("resource_art: %d file(s) updated in %s\n", written, argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "resource_art: %s\n", e.what());
        return 1;
    }
}
