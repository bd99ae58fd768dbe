#include "ui/widgets/flex_grid.h"

#include <QAbstractTableModel>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

#include "ui/common/marked_background.h"
#include "ui/widgets/flex_grid_accessible.h"

namespace zurcfg {

namespace {

constexpr int kHeadingRow = 0;
constexpr int kNumberColumn = 0;
// Row padding around the text, in pixels.
constexpr int kRowPadding = 4;
// A body cell's mark level for the delegate: absent for none, else the FlexGrid::MarkLevel.
constexpr int kMarkLevelRole = Qt::UserRole;

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
        levels_.assign(texts_.cells.size(), FlexGrid::MarkLevel::Warning);
        endResetModel();
    }

    FlexGrid::MarkLevel Level(int gridRow, int col) const {
        return Contains(gridRow, col) && gridRow != kHeadingRow
                   ? levels_[CellIndex(gridRow - 1, col)]
                   : FlexGrid::MarkLevel::Warning;
    }

    // Repaints only what really changed.
    void SetMark(int gridRow, int col, const QString& reason, FlexGrid::MarkLevel level) {
        if (!Contains(gridRow, col)) {
            return;
        }
        bool changed = false;
        if (gridRow != kHeadingRow) {
            FlexGrid::MarkLevel& stored = levels_[CellIndex(gridRow - 1, col)];
            changed = stored != level && !reason.isEmpty();
            stored = level;
        }
        QString& mark = At(marks_, gridRow, col);
        if (changed || mark != reason) {
            mark = reason;
            Changed(Layer::Mark, gridRow, col);
        }
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
        if (stored != value) {
            stored = value;
            Changed(layer, gridRow, col);
        }
    }

    void Changed(Layer layer, int gridRow, int col) {
        if (gridRow == kHeadingRow) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex changed = index(gridRow - 1, col);
            emit dataChanged(changed, changed,
                             layer == Layer::Text
                                 ? QList<int>{Qt::DisplayRole}
                                 : QList<int>{Qt::BackgroundRole, Qt::ToolTipRole,
                                              Qt::AccessibleDescriptionRole, kMarkLevelRole});
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
            case kMarkLevelRole:
                return mark.isEmpty() ? QVariant()
                                      : QVariant(static_cast<int>(
                                            levels_[CellIndex(index.row(), index.column())]));
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
        const bool described = role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole;
        if (described && !marks_.headings[section].isEmpty()) {
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
    std::vector<FlexGrid::MarkLevel> levels_;  // of the body cells' marks
};

// Frames the current cell while the grid has the keyboard focus, in every style: without the
// focus only the selection colour marks the cell, so the user sees which grid the keys reach.
// Draws the sign of a marked cell at its right end.
class CurrentCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant level = index.data(kMarkLevelRole);
        if (level.isValid()) {
            PaintMarked(painter, option, index, static_cast<FlexGrid::MarkLevel>(level.toInt()));
        } else {
            QStyledItemDelegate::paint(painter, option, index);
        }
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
    static constexpr int kSignMargin = 3;

    // The cell's background across the whole cell, its text left of the sign.
    void PaintMarked(QPainter* painter, const QStyleOptionViewItem& option,
                     const QModelIndex& index, FlexGrid::MarkLevel level) const {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget* view = option.widget;
        QStyle* style = view != nullptr ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);

        const int side = std::max(0, option.rect.height() - 2 * kSignMargin);
        QStyleOptionViewItem text = option;
        text.rect.setRight(option.rect.right() - side - 2 * kSignMargin);
        QStyledItemDelegate::paint(painter, text, index);

        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QColor ink =
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QRectF sign(option.rect.right() - kSignMargin - side + 1,
                          option.rect.top() + kSignMargin, side, side);
        PaintSign(painter, sign, ink, level);
    }

    // A cross in a circle for an error, an exclamation mark in a triangle for a warning.
    static void PaintSign(QPainter* painter, const QRectF& box, const QColor& ink,
                          FlexGrid::MarkLevel level) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(ink, std::max(1.0, box.width() / 8), Qt::SolidLine, Qt::RoundCap));
        painter->setBrush(Qt::NoBrush);
        const QRectF inner = box.adjusted(1, 1, -1, -1);
        if (level == FlexGrid::MarkLevel::Error) {
            painter->drawEllipse(inner);
            const qreal d = inner.width() * 0.3;
            const QPointF c = inner.center();
            painter->drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
            painter->drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
        } else {
            const QPointF top(inner.center().x(), inner.top());
            painter->drawPolygon(QPolygonF({top, inner.bottomRight(), inner.bottomLeft()}));
            const qreal x = inner.center().x();
            painter->drawLine(QPointF(x, inner.top() + inner.height() * 0.38),
                              QPointF(x, inner.top() + inner.height() * 0.66));
            painter->drawPoint(QPointF(x, inner.top() + inner.height() * 0.84));
        }
        painter->restore();
    }
};

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new GridModel(this)) {
    ExposeFlexGridsToScreenReaders();
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

FlexGrid::MarkLevel FlexGrid::CellMarkLevel(int row, int col) const {
    return model_->Level(row, col);
}

void FlexGrid::SetCellMark(int row, int col, const QString& reason, MarkLevel level) {
    model_->SetMark(row, col, reason, level);
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

// Screen readers hear the current cell after the table, as the arrow keys would tell it.
void FlexGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    const QModelIndex current = currentIndex();
    if (QAccessible::isActive() && current.isValid()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(AccessibleCellIndex(*this, current.row() + 1, current.column()));
        QAccessible::updateAccessibility(&focus);
    }
}

void FlexGrid::EnsureCurrentCell() {
    if (!currentIndex().isValid() && model_->rowCount() > 0 && model_->columnCount() > 0) {
        const int firstBodyColumn = std::min(kNumberColumn + 1, model_->columnCount() - 1);
        selectionModel()->setCurrentIndex(model_->index(0, firstBodyColumn),
                                          QItemSelectionModel::ClearAndSelect);
    }
}

}  // namespace zurcfg
