// The arithmetic of widening the settings dialog when its texts do not fit:
// one scale factor for every horizontal edge, heights and vertical positions
// kept. The Windows side measures texts and controls and moves the windows.
#pragma once

struct DisposeRow;

// A window rectangle in pixels.
struct DisposeRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Widest dialog, in pixels at 100 % display scale, that widening may
// produce. At other scales the limit grows with the dialog's own units
// (DisplayScale::across), so the same texts widen the same dialog alike.
constexpr double kDisposeMaxDialogWidth = 640.0;

// The scale factor F: 1.0 until a text overflows its control, then the
// largest overflow ratio met, limited so the dialog ends up at most
// kDisposeMaxDialogWidth wide. A dialog already wider than that limit is
// narrowed to it as soon as any text overflows.
class DisposeScale {
public:
    // dialogWidth: width in pixels of the dialog's window rectangle. A
    // dialog without width (0 or less) is never widened. maxWidth: the
    // width limit in pixels at the display's scale.
    explicit DisposeScale(int dialogWidth, double maxWidth = kDisposeMaxDialogWidth);

    // One measured text: controlWidth is the control's client width,
    // textWidth the text's width, margin the row's margin (pixels).
    void Consider(int controlWidth, int textWidth, int margin);
    // The same for a row of DisposeTable; a row without text is ignored.
    void ConsiderRow(const DisposeRow& row, int controlWidth, int textWidth);

    double Factor() const { return factor_; }
    double Limit() const { return limit_; }
    // False when every text fitted (F is exactly 1.0): nothing is moved.
    bool MovesAnything() const { return factor_ != 1.0; }

private:
    double factor_;
    double limit_;
};

// How a row's text is applied: codes 0 and 10 as window text, 11 as the next
// combo list item. Invalid (code 20, which carries no text, or an unknown
// code) is an internal error for the caller to raise.
enum class DisposeText { WindowText, ListItem, Invalid };
DisposeText DisposeTextFor(int code);

// What to do with a row when the layout is widened.
enum class DisposeMove { Move, Skip, Invalid };

// New rectangle of an item (in the dialog's client coordinates for a
// control): left edge x factor; right edge x factor for codes 0 and 10, left
// plus the old width for code 20; top and bottom kept; products truncated
// toward zero. Code 11 gives Skip; any other code is Invalid, an internal
// error for the caller to raise. `scaled` is written only for Move.
DisposeMove DisposeScaledRect(int code, double factor, const DisposeRect& old, DisposeRect& scaled);

// New screen rectangle of the dialog: scaled as a code-0 item, then centred
// in the full-screen area (SM_CXFULLSCREEN x SM_CYFULLSCREEN); an offset that
// would be negative becomes 0.
DisposeRect DisposeDialogRect(const DisposeRect& old, double factor, int fullScreenWidth, int fullScreenHeight);
