// The settings dialog's layout as its template gives it, in pixels: a hidden
// copy of template 1539 made in this process from the program file, with
// what happens to the real dialog before its layout is read (the GUI font
// on every control, an icon in the orientation picture, a preview picture).
#pragma once
#include <windows.h>

#include <map>
#include <string>

struct TemplateLayout {
    RECT dialog = {};                 // window rectangle on the screen
    std::map<int, RECT> controls;     // window rectangles in client coordinates
    std::map<int, int> clientWidths;  // widths of the controls' client areas
};

// False when the program file or its template cannot be used.
bool ReadTemplateLayout(const std::string& programPath, TemplateLayout& layout);
