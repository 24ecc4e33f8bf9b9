// Which system icon a message box shows, read from the screen: icon handles
// of another process cannot be compared, but the pixels the box painted can.
// The box must not be covered by another window (a new box is on top).
#pragma once
#include <windows.h>

enum class BoxIcon { None, Stop, Exclamation, Information, Question, Unknown };

const char* BoxIconName(BoxIcon icon);

// The icon of message box `box`: None when its icon static is hidden or
// missing; otherwise the system icon its painted pixels match, polled until
// they do or timeoutMs has passed (Unknown then).
BoxIcon ReadBoxIcon(HWND box, DWORD timeoutMs);
