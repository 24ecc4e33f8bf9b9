// The settings dialog's pictures at a display scale other than 100 %: the
// scale measured on the dialog's template font, and the preview pictures
// and copy-order icons drawn at that scale with the code that draws the
// resources (settings_program/pictures), so they are as sharp as at 100 %.
#pragma once
#include <windows.h>

#include "dialog/display_scale.h"
#include "win32_shared/gdi_handles_win32.h"

// The dialog's scale, from the font its template gave it (call before the
// dialog's font is replaced). Unscaled at 96 dots per inch or when the font
// cannot be measured.
DisplayScale MeasureDialogScale(HWND dialog);

// A preview picture (index 0 to 35) size x size pixels large; empty when
// it cannot be drawn.
BitmapHandle DrawPreviewBitmap(int previewIndex, int size);

// The copy-order icon of a resource id (12000, 12001, 12002, 12022, 12024)
// size x size pixels large; empty when it cannot be drawn.
IconHandle DrawCopyOrderIcon(int iconId, int size);
