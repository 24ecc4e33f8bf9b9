#include "white_backdrop.h"

void CompositeOverWhite(const uint8_t* bgra, size_t count, uint8_t* bgr)
{
    for (size_t i = 0; i < count; ++i, bgra += 4, bgr += 3) {
        const unsigned alpha = bgra[3];
        for (int channel = 0; channel < 3; ++channel)
            bgr[channel] = static_cast<uint8_t>(
                (bgra[channel] * alpha + 255u * (255u - alpha) + 127u) / 255u);
    }
}
