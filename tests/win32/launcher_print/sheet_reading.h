// Reading a printed sheet as a reader does. Test page k carries a bar along
// its top edge from its left corner, 0.4 inch thick and k + 1 times as long:
// its length over its thickness tells the page whatever the scale, and lying
// flat at the top left it shows the page upright (pages of 100 dpi).
#pragma once
#include <string>

#include "rendered_pages.h"
#include "test_pages.h"

// The gutter between cells: 4 mm.
const double kGutter = 4 / 25.4;

InkPattern NumberBar(int k);

// The sheet as a reader holds it to read pages turned a quarter to the
// left: turned a quarter to the right, its left edge on top.
RenderedPage TurnedToRead(const RenderedPage& sheet);
InchBox TurnedToRead(const InchBox& box, double sheetHeight);

// Cell (column, row) of an area split into columns x rows with `gutter`
// between them: where a page is expected (with the gutter) and where its ink
// is looked for (without, so that a missing gutter shows).
InchBox Cell(const InchBox& area, int column, int row, int columns, int rows,
             double gutter = kGutter);
InchBox Part(const InchBox& area, int column, int row, int columns, int rows);

// What a reader sees in the cells of the area, row by row ("1 2 / 3 4"):
// the page number of each, "-" for an empty cell, the number in brackets
// for a page that does not stand upright, and "P" for a cell that ink fills
// nearly whole, as a placeholder does.
std::string Reading(const RenderedPage& sheet, const InchBox& area, int columns, int rows);
