// Pixels with transparency laid on white paper: a transparent part of a page
// prints as the paper it is printed on, not as the black its colour values
// often hold.
#pragma once
#include <cstddef>
#include <cstdint>

// `count` pixels of 32-bit blue-green-red-alpha (alpha not premultiplied)
// composited over white into 24-bit blue-green-red.
void CompositeOverWhite(const uint8_t* bgra, size_t count, uint8_t* bgr);
