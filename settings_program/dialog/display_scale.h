// How much larger than at 100 % display scale the settings dialog is laid
// out, and the sizes of its pictures and its width limit that follow. The
// dialog grows with its template font's pixel size, which does not grow
// exactly with the display's dots per inch (fonts snap to whole pixels), so
// the scale is measured on that font: the pictures then keep their size
// relative to the dialog around them.
#pragma once

struct DisplayScale {
    double across = 1.0;  // width of the font's characters now / at 100 %
    double down = 1.0;    // height of the font's lines now / at 100 %

    bool IsUnscaled() const { return across == 1.0 && down == 1.0; }
};

// The scale from the template font measured now and at 100 %: average
// character width and line height in pixels. A measure of 0 or less (no
// font) counts as unscaled in its direction.
DisplayScale DisplayScaleFromFont(int widthNow, int heightNow, int widthAt100, int heightAt100);

// A picture's size in pixels at a scale: its size at 100 % times the
// dialog's vertical growth, rounded to the nearest pixel, at least 1.
int ScaledPictureSize(int sizeAt100, const DisplayScale& scale);
