#include "test_pages.h"

#include <windows.h>

#include <fstream>
#include <vector>

bool AllInk(int, int) { return true; }
bool NoInk(int, int) { return false; }

bool WriteBmpPage(const std::string& path, int width, int height, int dpi, const InkPattern& ink)
{
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // rows from the bottom
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    info.biXPelsPerMeter = info.biYPelsPerMeter = dpi > 0 ? static_cast<LONG>(dpi / 0.0254 + 0.5) : 0;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;

    std::vector<char> pixels(info.biSizeImage, 0);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            for (int byte = 0; byte < 3; ++byte)
                pixels[(height - 1 - row) * stride + x * 3 + byte] = ink(x, row) ? 0 : '\xFF';
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

bool WriteMonochromeBmpPage(const std::string& path, int width, int height, const InkPattern& ink)
{
    const DWORD stride = ((static_cast<DWORD>(width) + 31) / 32) * 4;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 1;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    info.biClrUsed = 2;
    const RGBQUAD palette[2] = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};  // 0 black, 1 white
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info + sizeof palette;
    header.bfSize = header.bfOffBits + info.biSizeImage;

    std::vector<unsigned char> pixels(info.biSizeImage, 0xFF);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            if (ink(x, row))
                pixels[(height - 1 - row) * stride + x / 8] &=
                    static_cast<unsigned char>(~(0x80 >> (x % 8)));
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(palette), sizeof palette);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}
