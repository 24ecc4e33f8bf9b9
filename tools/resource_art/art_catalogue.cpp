#include "art_catalogue.h"

#include <memory>
#include <string>

#include "app_icon_art.h"
#include "area_resample.h"
#include "copy_icon_art.h"
#include "dialog/preview_ids.h"
#include "dib_encoder.h"
#include "indexed_image.h"
#include "preview_art.h"

namespace resource_art {

namespace {

std::vector<uint8_t> SixteenColourIcon(const RgbaImage& image)
{
    return EncodeIco({IconImage{ToIndexed(image, StandardSixteenColours(), 16), 4}});
}

// 32 and 16 pixels drawn pixel by pixel in 256 colours; every other size
// the system may ask for at 100 % to 200 % display scale (and the 256-pixel
// picture of Explorer's large views) resampled from the 32-pixel design,
// with smooth edges in 32 bits.
std::vector<uint8_t> AppIcon()
{
    std::vector<IconImage> images;
    for (int size : {32, 16})  // black first: the colour of transparent pixels
        images.push_back(IconImage{ToIndexed(DrawAppIcon(size), {Rgb{0, 0, 0}}, 256), 8});
    const RgbaImage design = DrawAppIcon(32);
    for (int size : kAppIconResampledSizes) {
        auto colours = std::make_shared<const RgbaImage>(ResampleArea(design, size, size));
        images.push_back(IconImage{ToShape(*colours), 32, colours});
    }
    return EncodeIco(images);
}

}  // namespace

std::vector<GeneratedFile> BuildResourceArtFiles()
{
    std::vector<GeneratedFile> files;
    std::string script =
        "// Pictures of the settings program, drawn by tools/resource_art at build time.\n"
        "// Generated: do not edit.\n\n";
    auto add = [&](int id, const char* type, const std::string& name, std::vector<uint8_t> bytes) {
        script += std::to_string(id) + " " + type + " \"" + name + "\"\n";
        files.push_back(GeneratedFile{name, std::move(bytes)});
    };

    add(kAppIconId, "ICON", "tessary.ico", AppIcon());
    const struct {
        int id;
        RgbaImage image;
    } copyIcons[] = {
        {kIconUnsortedFirst, DrawUnsortedCopiesIcon(1)}, {kIconUnsortedSecond, DrawUnsortedCopiesIcon(2)},
        {kIconUnsortedThird, DrawUnsortedCopiesIcon(3)}, {kIconSortedFirst, DrawSortedCopiesIcon()},
        {kIconSortedSecond, DrawSortedCopiesIcon()},
    };
    for (const auto& icon : copyIcons)
        add(icon.id, "ICON", "copy_" + std::to_string(icon.id) + ".ico", SixteenColourIcon(icon.image));

    for (int index = 0; index < kPreviewBitmapCount; ++index) {
        const int id = kPreviewBitmapIds[index];
        const IndexedImage picture = ToIndexed(DrawPreview(LayoutOfPreviewIndex(index)), {}, 256);
        add(id, "BITMAP", "preview_" + std::to_string(id) + ".bmp", EncodeBmp8(picture));
    }

    files.push_back(GeneratedFile{"resource_art.rc", std::vector<uint8_t>(script.begin(), script.end())});
    return files;
}

}  // namespace resource_art
