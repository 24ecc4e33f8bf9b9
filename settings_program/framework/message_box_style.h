// Message-box style bits the program composes, with the values the Windows
// headers give them (checked against <windows.h> in the Windows build).
#pragma once

namespace box_style {
constexpr unsigned kOk = 0x0000;
constexpr unsigned kOkCancel = 0x0001;
constexpr unsigned kYesNoCancel = 0x0003;
constexpr unsigned kYesNo = 0x0004;
constexpr unsigned kButtonMask = 0x000F;
constexpr unsigned kIconStop = 0x0010;
constexpr unsigned kIconExclamation = 0x0030;
constexpr unsigned kIconMask = 0x00F0;
constexpr unsigned kSystemModal = 0x1000;
}  // namespace box_style

// Every box of the program carries an icon: a style that asks for none and
// whose buttons are OK, OK/Cancel, Yes/No or Yes/No/Cancel gets the
// exclamation icon.
unsigned WithDefaultIcon(unsigned style);
