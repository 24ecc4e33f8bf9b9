// Which of Tessary.exe's preview pictures its dialog shows. The picture is
// read from the screen: the control's bitmap handle belongs to the other
// process, but under Wine all processes paint on one display. What it shows
// is compared with the bitmap resources of the program file itself.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class PreviewPictures {
public:
    // Loads the preview pictures from the program file (as data, not run).
    explicit PreviewPictures(const std::string& programPath);

    // False when a picture of the table could not be loaded.
    bool Loaded() const { return m_loaded; }
    // Resource id of the picture the control shows now; 0 when it shows
    // none of them.
    int Shown(HWND control) const;

private:
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<DWORD> pixels;  // 0x00RRGGBB, rows from the top
    };
    std::map<int, Picture> m_pictures;  // by resource id
    bool m_loaded = false;
};
