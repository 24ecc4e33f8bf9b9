// Draws a placed page image on the printer's device context, a band of rows
// at a time, so that the driver's own copies of what it is given stay
// small. An enlarged page is resampled smoothly to the resolution it lands
// at; a page drawn at its size or smaller, and a black-and-white one, goes
// over as it is (one of one bit a pixel at one bit a pixel). Failures are
// logged with the call that failed.
#pragma once
#include <windows.h>

#include "bitmap1.h"
#include "bitmap24.h"
#include "document_times.h"
#include "page_layout.h"

// Adds the time spent resampling and in the driver to `times` when given.
bool DrawPage(HDC dc, const Bitmap24& bitmap, const PagePlacement& placement, double deviceDpiX,
              double deviceDpiY, DocumentTimes* times = nullptr);

// A page of one bit a pixel goes over as it is, never smoothed.
bool DrawPage(HDC dc, const Bitmap1& bitmap, const PagePlacement& placement,
              DocumentTimes* times = nullptr);
