// The controls of a dialog in another process, read and changed through
// window messages the way a user's clicks and choices change them. Every
// message is sent with a time limit, so a program that hangs cannot hold
// the driver; texts go through the W messages (Wine hands the A form of
// some texts across processes as one character).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace remote {

// How long one message may take, a handler's message boxes included.
const UINT kAnswerMs = 10000;

std::string ClassName(HWND window);
std::string Text(HWND window);

// What a user reads beside the control: its own text for a button, else
// the text of the label just before it in the dialog ("&" and a closing
// ":" removed).
std::string Label(HWND dialog, int id);
// The control's state as a user sees it: the chosen list item, "checked"
// or "not checked" for a check box or radio button, else its text; with
// " (greyed)" when it is disabled.
std::string State(HWND dialog, int id);

// Each returns false with a reason when the control is missing, the item
// is not in the list or the dialog does not answer in time.
// Selects the list item of that text (CB_SETCURSEL) and tells the dialog
// (WM_COMMAND with CBN_SELCHANGE), as a choice with the mouse does.
bool Choose(HWND dialog, int id, const std::string& item, std::string& error);
// Clicks the button (BM_CLICK) and returns when the dialog has handled the
// click, message boxes the click opened included.
bool Click(HWND dialog, int id, std::string& error);
// Clicks a check box when it is not already in the wanted state.
bool SetChecked(HWND dialog, int id, bool checked, std::string& error);

}  // namespace remote
