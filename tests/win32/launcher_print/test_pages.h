// Page files for the launcher's print tests: 24-bit BMP files whose ink
// pattern tells, once printed and rendered, which page landed where, and
// files written through the Windows Imaging Component as other programs
// write them (PNG with transparency, multi-page TIFF).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Paints pixel (x, y) (from the top left) black when it returns true.
using InkPattern = std::function<bool(int x, int y)>;

// Writes a width × height BMP; dpi 0 leaves its resolution unstated.
bool WriteBmpPage(const std::string& path, int width, int height, int dpi,
                  const InkPattern& ink);
// The same as a black-and-white BMP of one bit per pixel, as scanners write.
bool WriteMonochromeBmpPage(const std::string& path, int width, int height,
                            const InkPattern& ink);

// All black, all white.
bool AllInk(int, int);
bool NoInk(int, int);

// The colour of pixel (x, y) as 0xAARRGGBB (alpha 0: fully transparent).
using ColourPattern = std::function<uint32_t(int x, int y)>;

// A PNG of 32-bit colour with an alpha channel.
bool WritePngPage(const std::string& path, int width, int height, int dpi,
                  const ColourPattern& colour);

// A black-and-white TIFF of one bit per pixel with one page per entry, as
// scanners and fax software write a document.
struct TiffPage {
    int width;
    int height;
    InkPattern ink;
};
bool WriteTiffPages(const std::string& path, const std::vector<TiffPage>& pages, int dpi);

// An uncompressed TIFF of 16 bits a sample, as scanners write high-depth
// pages: greyscale (black where `ink`, else white) or CMYK (black ink where
// `ink`, else no ink). The imaging component converts the first itself; the
// second only some versions of it.
enum class Tiff16Kind { Gray, Cmyk };
bool WriteTiff16Page(const std::string& path, Tiff16Kind kind, int width, int height, int dpi,
                     const InkPattern& ink);
