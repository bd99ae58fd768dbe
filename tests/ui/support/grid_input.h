#pragma once

#include <QApplication>
#include <QTest>

#include "ui/widgets/flex_grid.h"

namespace zurcfg::testing {

// The centre of a cell in the grid's numbering (row 1 = the first entry), scrolled into view, in
// the coordinates of the grid's viewport.
inline QPoint CellCentre(FlexGrid* grid, int row, int col) {
    const QModelIndex cell = grid->model()->index(row - 1, col);
    grid->scrollTo(cell);
    return grid->visualRect(cell).center();
}

inline void ClickCell(FlexGrid* grid, int row, int col) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, col));
}

inline void DoubleClickCell(FlexGrid* grid, int row, int col) {
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, col));
}

// Keys and text as the user types them: delivered to whatever has the focus.
inline void PressKey(int key) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
}

inline void TypeText(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Opens the BSEMS box on the identifier of entry 2 and types "SEM"; then a double click on the
// STIMERS grid's current cell, which leaves no cell and so keeps the BSEMS box open, opens the
// STIMERS box on the identifier of entry 1, and "TMR" is typed there.
inline void OpenBothTables(FlexGrid* stimers, FlexGrid* bsems) {
    ClickCell(stimers, 2, 1);
    ClickCell(bsems, 3, 1);
    PressKey(Qt::Key_Return);
    TypeText("SEM");
    DoubleClickCell(stimers, 2, 1);
    TypeText("TMR");
}

}  // namespace zurcfg::testing
