#include "rgba_image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace resource_art {

namespace {

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

RgbaImage::RgbaImage(int width, int height, Rgb colour, bool opaque)
    : m_width(width), m_height(height)
{
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        throw std::invalid_argument("picture size out of range");
    const Pixel fill{double(colour.r), double(colour.g), double(colour.b), opaque ? 1.0 : 0.0};
    m_pixels.assign(static_cast<size_t>(width) * height, fill);
}

Rgb RgbaImage::ColourAt(int x, int y) const
{
    const Pixel& p = At(x, y);
    return Rgb{Channel(p.r), Channel(p.g), Channel(p.b)};
}

double RgbaImage::OpacityAt(int x, int y) const { return At(x, y).a; }

void RgbaImage::Blend(int x, int y, Rgb colour, double opacity)
{
    if (!Contains(x, y) || opacity <= 0.0)
        return;
    opacity = std::min(opacity, 1.0);
    Pixel& p = m_pixels[static_cast<size_t>(y) * m_width + x];
    // "Over" compositing; colours are kept unpremultiplied.
    const double below = p.a * (1.0 - opacity);
    const double a = opacity + below;
    p.r = (colour.r * opacity + p.r * below) / a;
    p.g = (colour.g * opacity + p.g * below) / a;
    p.b = (colour.b * opacity + p.b * below) / a;
    p.a = a;
}

void RgbaImage::FillRect(int left, int top, int width, int height, Rgb colour, double opacity)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            Blend(x, y, colour, opacity);
}

}  // namespace resource_art
