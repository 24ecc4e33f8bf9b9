// DisposeTable: the order in which the settings dialog gives its controls
// their texts and lays them out, with how each one is treated.
#pragma once
#include <cstddef>

// Layout codes of a row.
enum DisposeCode : int {
    kDisposeScaled = 0,     // window text; left and right edges scaled
    kDisposeScaledNoKey = 10,  // as 0; rows with this code carry no text
    kDisposeListItem = 11,  // text added as the next combo list item; not moved
    kDisposeKeepWidth = 20  // no text; left edge scaled, width kept
};

struct DisposeRow {
    int controlId;
    const char* textKey;  // key in section "Language", or nullptr
    int code;             // a DisposeCode
    int margin;           // pixels added to the text width before comparing
};

constexpr std::size_t kDisposeTableCount = 51;
extern const DisposeRow DisposeTable[kDisposeTableCount];
