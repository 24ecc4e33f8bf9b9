#include "indexed_image.h"

#include <algorithm>
#include <stdexcept>

namespace resource_art {

IndexedImage ToIndexed(const RgbaImage& image, const std::vector<Rgb>& startPalette, size_t maxColours)
{
    IndexedImage out;
    out.width = image.Width();
    out.height = image.Height();
    out.palette = startPalette;
    const size_t count = static_cast<size_t>(out.width) * out.height;
    out.pixels.reserve(count);
    out.transparent.reserve(count);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const bool transparent = image.OpacityAt(x, y) < 0.5;
            const Rgb colour = transparent ? Rgb{0, 0, 0} : image.ColourAt(x, y);
            auto found = std::find(out.palette.begin(), out.palette.end(), colour);
            if (found == out.palette.end()) {
                if (out.palette.size() >= maxColours)
                    throw std::runtime_error("picture needs more colours than its palette holds");
                out.palette.push_back(colour);
                found = out.palette.end() - 1;
            }
            out.pixels.push_back(static_cast<uint8_t>(found - out.palette.begin()));
            out.transparent.push_back(transparent);
        }
    return out;
}

IndexedImage ToShape(const RgbaImage& image)
{
    IndexedImage out;
    out.width = image.Width();
    out.height = image.Height();
    const size_t count = static_cast<size_t>(out.width) * out.height;
    out.pixels.assign(count, 0);
    out.transparent.reserve(count);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.transparent.push_back(image.OpacityAt(x, y) < 0.5);
    return out;
}

}  // namespace resource_art
