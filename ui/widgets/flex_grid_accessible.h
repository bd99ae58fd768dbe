#pragma once

class QAccessibleInterface;

namespace zurcfg {

class FlexGrid;

// What screen readers see of a FlexGrid: a table of its headings and cells, the cell edit box
// open over a cell as a child of the table, a cell's mark as its description, begun by its level
// ("Error: ", "Warning: "), and a heading's mark as the heading's description. Children are
// numbered as the table view numbers them in the events it sends, the view's hidden row headings
// included, so that its focus and selection events reach the right cell.
void ExposeFlexGridsToScreenReaders();

// The number the table gives the cell (row, col) in the grid's numbering (row 0 the headings).
int AccessibleCellIndex(const FlexGrid& grid, int row, int col);

}  // namespace zurcfg
