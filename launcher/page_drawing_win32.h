// Draws a placed page image on the printer's device context. An enlarged
// page is resampled smoothly to the resolution it lands at and handed over a
// band at a time; a page drawn at its size or smaller, and a black-and-white
// one, goes over as it is. Failures are logged with the call that failed.
#pragma once
#include <windows.h>

#include "bitmap24.h"
#include "document_times.h"
#include "page_layout.h"

// Adds the time spent resampling and in the driver to `times` when given.
bool DrawPage(HDC dc, const Bitmap24& bitmap, const PagePlacement& placement, double deviceDpiX,
              double deviceDpiY, DocumentTimes* times = nullptr);
