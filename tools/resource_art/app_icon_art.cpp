#include "app_icon_art.h"

#include <stdexcept>

namespace resource_art {

namespace {

const Rgb kOutline{0x2B, 0x33, 0x40};
const Rgb kBodyLight{0xB4, 0xC0, 0xCE};
const Rgb kBody{0x7A, 0x8A, 0x9E};
const Rgb kBodyDark{0x58, 0x66, 0x78};
const Rgb kSlot{0x1A, 0x1F, 0x27};
const Rgb kPaper{0xFF, 0xFF, 0xFF};
const Rgb kPaperEdge{0x6A, 0x72, 0x80};
const Rgb kText{0x9A, 0xAC, 0xC4};
const Rgb kPicture{0x2F, 0x6F, 0xC0};
const Rgb kLamp{0x2E, 0xC0, 0x48};

// A box with a one-pixel edge; rounded leaves the four corner pixels out.
void Framed(RgbaImage& image, int left, int top, int width, int height, Rgb edge, Rgb fill,
            bool rounded = false)
{
    const int cut = rounded ? 1 : 0;
    image.FillRect(left + cut, top, width - 2 * cut, 1, edge);
    image.FillRect(left + cut, top + height - 1, width - 2 * cut, 1, edge);
    image.FillRect(left, top + cut, 1, height - 2 * cut, edge);
    image.FillRect(left + width - 1, top + cut, 1, height - 2 * cut, edge);
    image.FillRect(left + 1, top + 1, width - 2, height - 2, fill);
}

void Lines(RgbaImage& image, int left, int width, int firstRow, int lastRow, int step, Rgb colour)
{
    for (int y = firstRow; y <= lastRow; y += step)
        image.FillRect(left, y, width, 1, colour);
}

void DrawLarge(RgbaImage& image)
{
    // The sheet waiting in the feeder, behind the body.
    Framed(image, 8, 0, 16, 13, kPaperEdge, kPaper);
    Lines(image, 10, 12, 2, 10, 2, kText);
    // Body: light top face, mid front, darker base, the ready lamp.
    Framed(image, 1, 10, 30, 15, kOutline, kBody, true);
    image.FillRect(2, 11, 28, 4, kBodyLight);
    image.FillRect(2, 22, 28, 2, kBodyDark);
    image.FillRect(25, 16, 2, 2, kLamp);
    // The output slot and the printed page coming out of it: a picture
    // (the scanned image) above two lines of text.
    image.FillRect(5, 19, 22, 2, kSlot);
    Framed(image, 7, 20, 18, 12, kPaperEdge, kPaper);
    image.FillRect(9, 22, 14, 4, kPicture);
    Lines(image, 9, 14, 27, 29, 2, kText);
}

void DrawSmall(RgbaImage& image)
{
    Framed(image, 4, 0, 8, 7, kPaperEdge, kPaper);
    Lines(image, 6, 4, 2, 4, 2, kText);
    Framed(image, 0, 5, 16, 8, kOutline, kBody, true);
    image.FillRect(1, 6, 14, 2, kBodyLight);
    image.FillRect(1, 11, 14, 1, kBodyDark);
    image.Set(13, 8, kLamp);
    image.FillRect(3, 9, 10, 1, kSlot);
    Framed(image, 4, 10, 8, 6, kPaperEdge, kPaper);
    image.FillRect(5, 11, 6, 2, kPicture);
    image.FillRect(5, 14, 6, 1, kText);
}

}  // namespace

RgbaImage DrawAppIcon(int size)
{
    if (size != 32 && size != 16)
        throw std::invalid_argument("application icon comes in 32 and 16 pixels only");
    RgbaImage image(size, size, Rgb{}, false);
    if (size == 32)
        DrawLarge(image);
    else
        DrawSmall(image);
    return image;
}

}  // namespace resource_art
