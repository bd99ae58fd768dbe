#include "ui/widgets/flex_grid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

#include "ui/common/marked_background.h"

namespace zurcfg {

namespace {

constexpr int kHeadingRow = 0;
constexpr int kNumberColumn = 0;
// Row padding around the text, in pixels.
constexpr int kRowPadding = 4;

}  // namespace

// The texts of a FlexGrid and the marks on them: the headings of row 0 and the body rows 1
// onwards, each held as one flat array of strings so that a table of a few hundred rows costs no
// per-cell objects.
class GridModel : public QAbstractTableModel {
public:
    // What a cell holds: its text, and a mark with the reason shown as its tooltip.
    enum class Layer { Text, Mark };

    using QAbstractTableModel::QAbstractTableModel;

    int GridRows() const { return bodyRows_ + 1; }
    int GridCols() const { return cols_; }

    // Keeps the texts of the cells that both shapes have; the marks go.
    void Resize(int gridRows, int cols) {
        const int bodyRows = std::max(gridRows, 1) - 1;
        cols = std::max(cols, 0);
        std::vector<QString> headings(cols);
        std::vector<QString> cells(static_cast<size_t>(bodyRows) * cols);
        for (int col = 0; col < std::min(cols, cols_); ++col) {
            headings[col] = texts_.headings[col];
            for (int row = 0; row < std::min(bodyRows, bodyRows_); ++row) {
                cells[static_cast<size_t>(row) * cols + col] = texts_.cells[CellIndex(row, col)];
            }
        }
        beginResetModel();
        bodyRows_ = bodyRows;
        cols_ = cols;
        texts_ = {std::move(headings), std::move(cells)};
        marks_ = {std::vector<QString>(cols), std::vector<QString>(texts_.cells.size())};
        endResetModel();
    }

    QString Get(Layer layer, int gridRow, int col) const {
        return Contains(gridRow, col) ? At(Of(layer), gridRow, col) : QString();
    }

    // Repaints only what really changed.
    void Set(Layer layer, int gridRow, int col, const QString& value) {
        if (!Contains(gridRow, col)) {
            return;
        }
        QString& stored = At(Of(layer), gridRow, col);
        if (stored == value) {
            return;
        }
        stored = value;
        if (gridRow == kHeadingRow) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex changed = index(gridRow - 1, col);
            emit dataChanged(changed, changed,
                             layer == Layer::Text ? QList<int>{Qt::DisplayRole}
                                                  : QList<int>{Qt::BackgroundRole, Qt::ToolTipRole,
                                                               Qt::AccessibleDescriptionRole});
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : bodyRows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : cols_;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const QString& mark = marks_.cells[CellIndex(index.row(), index.column())];
        switch (role) {
            case Qt::DisplayRole:
                return texts_.cells[CellIndex(index.row(), index.column())];
            case Qt::BackgroundRole:
                if (IsFixed(index)) {
                    return QApplication::palette().button();
                }
                return mark.isEmpty() ? QVariant() : QVariant(MarkedBackground());
            case Qt::ForegroundRole:
                return IsFixed(index) ? QVariant(QApplication::palette().buttonText()) : QVariant();
            // Screen readers tell the reason as the cell's description.
            case Qt::ToolTipRole:
            case Qt::AccessibleDescriptionRole:
                return mark.isEmpty() ? QVariant() : QVariant(mark);
            default:
                return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= cols_) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return texts_.headings[section];
        }
        if (role == Qt::ToolTipRole && !marks_.headings[section].isEmpty()) {
            return marks_.headings[section];
        }
        return {};
    }

    // The number column is neither selectable nor reachable by mouse or arrow keys.
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid() || IsFixed(index)) {
            return Qt::NoItemFlags;
        }
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    // One layer's strings: the heading row, then the body rows one after another.
    struct Strings {
        std::vector<QString> headings;
        std::vector<QString> cells;
    };

    // The string of cell (gridRow, col) in `strings`, const as `strings` is.
    template <typename LayerStrings>
    auto At(LayerStrings& strings, int gridRow, int col) const -> decltype(strings.cells[0]) {
        return gridRow == kHeadingRow ? strings.headings[col]
                                      : strings.cells[CellIndex(gridRow - 1, col)];
    }

    static bool IsFixed(const QModelIndex& index) { return index.column() == kNumberColumn; }

    Strings& Of(Layer layer) { return layer == Layer::Text ? texts_ : marks_; }
    const Strings& Of(Layer layer) const { return layer == Layer::Text ? texts_ : marks_; }

    bool Contains(int gridRow, int col) const {
        return gridRow >= 0 && gridRow <= bodyRows_ && col >= 0 && col < cols_;
    }
    size_t CellIndex(int bodyRow, int col) const {
        return static_cast<size_t>(bodyRow) * cols_ + col;
    }

    int bodyRows_ = 0;
    int cols_ = 0;
    Strings texts_;
    Strings marks_;
};

// Frames the current cell while the grid has the keyboard focus, in every style: without the
// focus only the selection colour marks the cell, so the user sees which grid the keys reach.
class CurrentCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if ((option.state & QStyle::State_HasFocus) == 0) {
            return;
        }
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Text), kFocusFrameWidth));
        painter->setBrush(Qt::NoBrush);
        const int inset = kFocusFrameWidth / 2;
        painter->drawRect(option.rect.adjusted(inset, inset, -inset - 1, -inset - 1));
        painter->restore();
    }

private:
    static constexpr int kFocusFrameWidth = 2;
};

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
    setModel(model_);
    setItemDelegate(new CurrentCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control instead of walking its cells.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) {
                if (previous.isValid()) {
                    emit LeaveCell();
                }
                emit RowColChange();
            });
}

int FlexGrid::Rows() const {
    return model_->GridRows();
}

void FlexGrid::SetRows(int rows) {
    model_->Resize(rows, model_->GridCols());
    EnsureCurrentCell();
}

int FlexGrid::Cols() const {
    return model_->GridCols();
}

void FlexGrid::SetCols(int cols) {
    model_->Resize(model_->GridRows(), cols);
    EnsureCurrentCell();
}

int FlexGrid::Col() const {
    return currentIndex().column();
}

void FlexGrid::SetCol(int col) {
    const QModelIndex cell = model_->index(currentIndex().row(), col);
    if (cell.isValid()) {
        // Through the selection model: the view itself refuses the fixed number column.
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    }
}

int FlexGrid::RowSel() const {
    return currentIndex().row() + 1;
}

int FlexGrid::ColSel() const {
    return currentIndex().column();
}

QRect FlexGrid::CellRect() {
    const QModelIndex cell = currentIndex();
    scrollTo(cell);
    return visualRect(cell).translated(viewport()->pos());
}

int FlexGrid::ColWidth(int col) const {
    return columnWidth(col);
}

void FlexGrid::SetColWidth(int col, int width) {
    setColumnWidth(col, width);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    return model_->Get(GridModel::Layer::Text, row, col);
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    model_->Set(GridModel::Layer::Text, row, col, text);
}

QString FlexGrid::CellMark(int row, int col) const {
    return model_->Get(GridModel::Layer::Mark, row, col);
}

void FlexGrid::SetCellMark(int row, int col, const QString& reason) {
    model_->Set(GridModel::Layer::Mark, row, col, reason);
}

void FlexGrid::SetCurrentCell(int row, int col) {
    const QModelIndex cell = model_->index(row - 1, col);
    if (cell.isValid()) {
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
        scrollTo(cell);
    }
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit DblClick();
    }
}

void FlexGrid::keyboardSearch(const QString& /*search*/) {}

void FlexGrid::EnsureCurrentCell() {
    if (!currentIndex().isValid() && model_->rowCount() > 0 && model_->columnCount() > 0) {
        const int firstBodyColumn = std::min(kNumberColumn + 1, model_->columnCount() - 1);
        selectionModel()->setCurrentIndex(model_->index(0, firstBodyColumn),
                                          QItemSelectionModel::ClearAndSelect);
    }
}

}  // namespace zurcfg
