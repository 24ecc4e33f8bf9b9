#include "framework/message_box_style.h"

unsigned WithDefaultIcon(unsigned style)
{
    using namespace box_style;
    const unsigned buttons = style & kButtonMask;
    const bool plainButtons =
        buttons == kOk || buttons == kOkCancel || buttons == kYesNo || buttons == kYesNoCancel;
    if ((style & kIconMask) == 0 && plainButtons)
        return style | kIconExclamation;
    return style;
}
