// A picture being drawn: rows of colours with an opacity per pixel, kept in
// floating point so that antialiased edges and soft shadows blend exactly
// before the picture is reduced to a palette.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace resource_art {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

class RgbaImage {
public:
    // A width x height picture filled with colour; transparent unless opaque.
    RgbaImage(int width, int height, Rgb colour, bool opaque);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // The colour rounded to 8 bits per channel, and the opacity (0 to 1).
    Rgb ColourAt(int x, int y) const;
    double OpacityAt(int x, int y) const;

    // Paints colour over one pixel with the given opacity (0 to 1);
    // pixels outside the picture are left alone.
    void Blend(int x, int y, Rgb colour, double opacity);
    void Set(int x, int y, Rgb colour) { Blend(x, y, colour, 1.0); }
    void FillRect(int left, int top, int width, int height, Rgb colour, double opacity = 1.0);

private:
    struct Pixel {
        double r, g, b, a;
    };
    const Pixel& At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

    int m_width;
    int m_height;
    std::vector<Pixel> m_pixels;
};

}  // namespace resource_art
