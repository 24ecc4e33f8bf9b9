// A scanned page as a Windows bitmap file (.bmp): 827 x 1169 pixels (a white
// A4 sheet at 100 dots per inch), 24 bits per pixel (the format every image decoder
// reads without conversion), with a frame, "PAGE", the page number in large
// figures and "JOB j" beneath it. The letters are drawn from a built-in
// 5 x 7 dot font, so the page looks the same whatever fonts are installed.
#pragma once
#include <string>

// Writes the page to `path`, stating `dpi` as its resolution (so 200 makes
// it an A6 page at its own size); false with a reason when the file cannot
// be written.
bool WritePageImage(const std::string& path, int jobId, int page, int dpi, std::string& error);
