// Windows of another process, read and driven through window messages the
// way a user's clicks and choices drive them. Every wait is bounded.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Bound of every wait for the program (start-up, a window, its end).
const DWORD kProgramWaitMs = 20000;

// Polls `done` every 20 ms until it holds or timeoutMs has passed.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kProgramWaitMs);

// The visible top-level "#32770" windows of a process.
std::vector<HWND> VisibleDialogs(DWORD process);

// A dialog's window text, its controls' texts and states; clicks and choices.
namespace dialog {
std::string Text(HWND window);
std::string Text(HWND dialog, int id);
std::vector<std::string> ComboItems(HWND dialog, int id);
std::string ComboSelection(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// A control's window rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int id);
// Rectangles as text, for readable failures.
std::string RectText(const RECT& rect);
std::string WindowRectText(HWND window);
// BM_CLICK, as a mouse click would do it.
void Click(HWND dialog, int id);
// Selects the item with this text and tells the dialog, as a user's choice would.
void Choose(HWND dialog, int comboId, const std::string& item);
}  // namespace dialog

// In the settings dialog of Tessary.exe: chooses the printer (null: keeps
// the one shown) and the orientation as a user would, and waits until the
// dialog shows them; false when it does not in time.
bool ChoosePrinterAndOrientation(HWND dialog, const char* printer, bool landscape);
