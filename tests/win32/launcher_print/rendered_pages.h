// Ghostscript's picture of what a Wine printer wrote: the PostScript file is
// rendered to one grey-level image per printed page, and the tests ask where
// the ink lies. Coordinates are in inches from the paper's top-left corner.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "installation.h"  // UnixPath, for the scripts

struct InchBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

struct RenderedPage {
    int width = 0;   // pixels
    int height = 0;
    double dpi = 0;
    std::vector<uint8_t> gray;

    double WidthInches() const { return width / dpi; }
    double HeightInches() const { return height / dpi; }
    // The bounding box of dark pixels inside `within` (the whole page when
    // empty); false when there is none.
    bool InkBox(InchBox& box, const InchBox& within = InchBox()) const;
    bool IsInk(double x, double y) const;
};

// Renders the PostScript file (a Windows path) with /usr/bin/gs at `dpi`.
// Ghostscript is a Unix program: Wine starts it but gives no handle to wait
// on, so a shell runs it and leaves a status file, which is polled for.
bool RenderPostScript(const std::string& postScript, double dpi, std::vector<RenderedPage>& pages,
                      std::string& error);

// Runs a /bin/sh script and waits (bounded) until it has written its exit
// status to statusFile (a Windows path); false, with `error`, when it could
// not run or ended with a status other than 0.
bool RunUnixShell(const std::string& script, const std::string& statusFile, std::string& error);

// The printable area of a printer's default (portrait) sheet, in inches;
// all zero when the printer cannot be opened.
InchBox PrinterPrintableArea(const char* printer);
