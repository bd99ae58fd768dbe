#pragma once

#include <QTableView>

namespace zurcfg {

class GridModel;

// A text grid addressed the way the name tables expect: row 0 holds the column headings, column 0
// the fixed row numbers, and rows 1 onwards the cells the user works on. Row 0 is the view's
// horizontal header, so it stays in place while the rows scroll; column 0 is drawn like a header
// and cannot be reached by mouse or arrow keys, only by SetCol.
//
// The selection is a single cell, so the selection end (RowSel, ColSel) is the current cell.
// Geometry is in pixels, in the grid widget's own coordinates, so that a child of the grid can be
// placed over the current cell directly. Every change of the current cell, by the user or by
// SetCol, sends LeaveCell and then RowColChange.
class FlexGrid : public QTableView {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // Number of rows, the heading row included (at least 1).
    int Rows() const;
    void SetRows(int rows);
    int Cols() const;
    void SetCols(int cols);

    int Col() const;
    // Makes column `col` of the current row the current cell; column 0 is allowed.
    void SetCol(int col);
    // Makes cell (row, col) the current one and scrolls it into view; row 1 is the first body row.
    void SetCurrentCell(int row, int col);
    int RowSel() const;
    int ColSel() const;

    // The current cell's rectangle (left, top, width and height of the cell). The cell is
    // scrolled into view first, so that a box placed there covers it on screen.
    QRect CellRect();

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    // How bad what a mark says is.
    enum class MarkLevel { Warning, Error };

    // A mark on a cell says something is wrong with it: the reason is the cell's tooltip, and a
    // body cell is drawn on a reddish background with a sign of its level at its right end: an
    // exclamation mark in a triangle for a warning, a cross in a circle for an error, drawn in
    // the cell's text colour, so that it shows in the current cell's highlight too. Row 0 marks a
    // heading, with the tooltip only. An empty reason removes the mark; setting the mark a cell
    // already has repaints nothing.
    QString CellMark(int row, int col) const;
    MarkLevel CellMarkLevel(int row, int col) const;
    void SetCellMark(int row, int col, const QString& reason, MarkLevel level = MarkLevel::Warning);

    // Typing in the grid searches nothing: the current cell moves only by the user's explicit
    // steps, since Insert and Delete act on it.
    void keyboardSearch(const QString& search) override;

signals:
    // A double click on the cells.
    void DblClick();
    // The current cell has been left for another one (sent before RowColChange).
    void LeaveCell();
    // The current cell has changed.
    void RowColChange();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The first cell right of the number column, as a fresh grid has it.
    void EnsureCurrentCell();

    GridModel* model_;
};

}  // namespace zurcfg
