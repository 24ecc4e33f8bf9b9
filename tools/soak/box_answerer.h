// Answers the library's warning boxes on the thread that creates it, as a
// user would press OK, and counts each in the report by caption and text
// (warning_boxes.h: a hook on the calling thread sees the box right after
// WM_INITDIALOG; a thread polling for windows could deadlock in Wine while
// the library's DLLs load). One per host thread; it must be destroyed on
// that thread.
#pragma once
#include "soak_report.h"
#include "warning_boxes.h"

class BoxAnswerer {
public:
    explicit BoxAnswerer(SoakReport& report)
        : m_answerer([&report](const WarningBox& box) {
              report.Count("box answered: \"" + box.caption + "\": \"" + box.text + "\"");
          })
    {
    }

    bool Hooked() const { return m_answerer.Hooked(); }

private:
    WarningBoxAnswerer m_answerer;
};
