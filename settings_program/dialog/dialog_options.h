// The layout options as the settings dialog's controls hold them. The
// dialog keeps no other copy: it reads them from the controls when it needs
// them, and keeps one snapshot only across a save that has to be retried.
#pragma once

struct DialogOptions {
    bool oneJobOnePage = false;  // first copy: print while the pages arrive (11008)
    bool oneJobNPage = false;    // first copy: print after the whole job (11009)
    bool sorted = false;         // SortPrint (11001)
    int horizontal = -1;         // list position: 0 left, 1 centre, 2 right; -1 none
    int vertical = -1;           // list position: 0 top, 1 middle, 2 bottom; -1 none
    int printSize = -1;          // list position: 0 fit, 1 full size; -1 none
    bool framePrinting = false;  // FramePrinting (11006)
    bool autoRotate = false;     // AutoRotate (11007)
    bool landscape = false;      // the Landscape radio button (1057), the common dialog's
};
