// Page files for the launcher's print tests: 24-bit BMP files whose ink
// pattern tells, once printed and rendered, which page landed where.
#pragma once
#include <functional>
#include <string>

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
