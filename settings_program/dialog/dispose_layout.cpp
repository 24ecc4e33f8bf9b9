#include "dialog/dispose_layout.h"

#include <climits>

#include "dialog/dispose_table.h"

namespace {

// Truncates toward zero. A product beyond int's range (absurd coordinates)
// is held at its ends: converting it would be undefined.
int ScaledEdge(int edge, double factor)
{
    const double product = edge * factor;
    if (product >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (product <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(product);
}

int CentredOffset(int screenExtent, int extent)
{
    const int offset = (screenExtent - extent) / 2;
    return offset < 0 ? 0 : offset;
}

}  // namespace

DisposeScale::DisposeScale(int dialogWidth, double maxWidth)
    : factor_(1.0), limit_(dialogWidth > 0 ? maxWidth / dialogWidth : 1.0)
{
}

void DisposeScale::Consider(int controlWidth, int textWidth, int margin)
{
    const int needed = textWidth + margin;
    if (controlWidth <= 0 || needed <= controlWidth)
        return;
    const double ratio = static_cast<double>(needed) / controlWidth;
    if (ratio > factor_)
        factor_ = ratio > limit_ ? limit_ : ratio;
}

void DisposeScale::ConsiderRow(const DisposeRow& row, int controlWidth, int textWidth)
{
    if (row.textKey != nullptr)
        Consider(controlWidth, textWidth, row.margin);
}

DisposeText DisposeTextFor(int code)
{
    switch (code) {
    case kDisposeScaled:
    case kDisposeScaledNoKey:
        return DisposeText::WindowText;
    case kDisposeListItem:
        return DisposeText::ListItem;
    default:
        return DisposeText::Invalid;
    }
}

DisposeMove DisposeScaledRect(int code, double factor, const DisposeRect& old, DisposeRect& scaled)
{
    switch (code) {
    case kDisposeScaled:
    case kDisposeScaledNoKey:
        scaled = {ScaledEdge(old.left, factor), old.top, ScaledEdge(old.right, factor), old.bottom};
        return DisposeMove::Move;
    case kDisposeKeepWidth: {
        const int left = ScaledEdge(old.left, factor);
        scaled = {left, old.top, left + (old.right - old.left), old.bottom};
        return DisposeMove::Move;
    }
    case kDisposeListItem:
        return DisposeMove::Skip;
    default:
        return DisposeMove::Invalid;
    }
}

DisposeRect DisposeDialogRect(const DisposeRect& old, double factor, int fullScreenWidth, int fullScreenHeight)
{
    DisposeRect scaled = {};
    DisposeScaledRect(kDisposeScaled, factor, old, scaled);
    const int width = scaled.right - scaled.left;
    const int height = scaled.bottom - scaled.top;
    const int left = CentredOffset(fullScreenWidth, width);
    const int top = CentredOffset(fullScreenHeight, height);
    return {left, top, left + width, top + height};
}
