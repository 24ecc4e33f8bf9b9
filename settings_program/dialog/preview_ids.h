// Resource ids of the pictures the settings program shows: the application
// icon, the copy-order icons and the 36 layout previews. The build-time
// generator that draws them (tools/resource_art) reads the same table, so
// every id lives here only. Plain constants: no Windows headers needed.
#pragma once

// Icon of the program (window, About box).
constexpr int kAppIconId = 128;

// Copy order, unsorted: two sheets with the same page number each.
constexpr int kIconUnsortedFirst = 12000;   // sheets 1 and 1
constexpr int kIconUnsortedSecond = 12002;  // sheets 2 and 2
constexpr int kIconUnsortedThird = 12001;   // sheets 3 and 3
// Copy order, sorted: a stack of pages 1, 2, 3 per set.
constexpr int kIconSortedFirst = 12022;
constexpr int kIconSortedSecond = 12024;

constexpr int kPreviewBitmapCount = 36;

// Layout previews by preview index H + 3*V + 9*S + 18*L, where
// H is the horizontal place (0 left, 1 centre, 2 right), V the vertical
// place (0 top, 1 middle, 2 bottom), S the print size (0 fit to the page,
// 1 full size) and L the orientation (0 portrait, 1 landscape).
constexpr int kPreviewBitmapIds[kPreviewBitmapCount] = {
    // fit, portrait
    12020, 12005, 12007, 12009, 12011, 12013, 12015, 12017, 12019,
    // full size, portrait
    12004, 12006, 12008, 12010, 12012, 12014, 12016, 12018, 12003,
    // fit, landscape
    12026, 12028, 12030, 12032, 12034, 12036, 12038, 12040, 12042,
    // full size, landscape
    12027, 12029, 12031, 12033, 12035, 12037, 12039, 12041, 12043,
};
