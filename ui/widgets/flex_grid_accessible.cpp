#include "ui/widgets/flex_grid_accessible.h"

#include <map>

#include <QAccessibleWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>

#include "ui/widgets/flex_grid.h"

namespace zurcfg {

namespace {

// Columns a row takes in the numbering: the view's hidden row heading first.
int Stride(const FlexGrid& grid) {
    return grid.Cols() + 1;
}

// The box open over a cell, if any.
QLineEdit* OpenEditBox(const FlexGrid& grid) {
    for (auto* box : grid.findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// One place of the table: a heading (row 0), a cell, or one of the view's hidden row headings
// (column -1), which are there only to keep the numbering.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(FlexGrid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

    bool isValid() const override {
        return !grid_.isNull() && row_ < grid_->Rows() && col_ < grid_->Cols();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_->window()->windowHandle(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text kind) const override {
        if (col_ < 0) {
            return kind == QAccessible::Name ? grid_->TextMatrix(row_, 0) : QString();
        }
        if (kind == QAccessible::Name) {
            return grid_->TextMatrix(row_, col_);
        }
        if (kind != QAccessible::Description) {
            return {};
        }
        QString mark = grid_->CellMark(row_, col_);
        if (mark.isEmpty() || row_ == 0) {
            return mark;
        }
        const bool error = grid_->CellMarkLevel(row_, col_) == FlexGrid::MarkLevel::Error;
        return (error ? QObject::tr("Error: ") : QObject::tr("Warning: ")) + mark;
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (col_ < 0 || !grid_->isVisible()) {
            return {};
        }
        if (row_ == 0) {
            const QHeaderView* header = grid_->horizontalHeader();
            return QRect(header->mapToGlobal(QPoint(header->sectionViewportPosition(col_), 0)),
                         QSize(header->sectionSize(col_), header->height()));
        }
        const QRect cell = grid_->visualRect(Index());
        return QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::Role role() const override {
        if (col_ < 0) {
            return row_ == 0 ? QAccessible::Pane : QAccessible::RowHeader;
        }
        return row_ == 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (col_ < 0) {
            state.invisible = true;
            return state;
        }
        if (row_ == 0 || col_ == 0) {
            return state;  // headings and entry numbers are read, never chosen
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = state.selected && grid_->hasFocus();
        if (!grid_->visualRect(Index()).intersects(grid_->viewport()->rect())) {
            state.offscreen = true;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface && row_ > 0 && col_ >= 0
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return grid_->currentIndex() == Index(); }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        return {table()->child(AccessibleCellIndex(*grid_, 0, col_))};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_ - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    int Row() const { return row_; }
    int Col() const { return col_; }

private:
    QModelIndex Index() const { return grid_->model()->index(row_ - 1, col_); }

    QPointer<FlexGrid> grid_;
    int row_;
    int col_;
};

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(FlexGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override { Forget(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return Places() + (OpenEditBox(Grid()) != nullptr ? 1 : 0); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index > Places()) {
            return nullptr;
        }
        if (index == Places()) {
            QLineEdit* box = OpenEditBox(Grid());
            return box != nullptr ? QAccessible::queryAccessibleInterface(box) : nullptr;
        }
        auto& id = places_[index];
        if (id == 0) {
            auto* place =
                new GridCellAccessible(&Grid(), index / Stride(Grid()), index % Stride(Grid()) - 1);
            id = QAccessible::registerAccessibleInterface(place);
        }
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() != nullptr) {
            return child->object() == OpenEditBox(Grid()) ? Places() : -1;
        }
        const auto* place = dynamic_cast<const GridCellAccessible*>(child);
        return place != nullptr && place->parent() == this
                   ? AccessibleCellIndex(Grid(), place->Row(), place->Col())
                   : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint global(x, y);
        if (QLineEdit* box = OpenEditBox(Grid());
            box != nullptr && box->rect().contains(box->mapFromGlobal(global))) {
            return QAccessible::queryAccessibleInterface(box);
        }
        const QModelIndex cell = Grid().indexAt(Grid().viewport()->mapFromGlobal(global));
        return cell.isValid() ? cellAt(cell.row(), cell.column()) : nullptr;
    }

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return child(AccessibleCellIndex(Grid(), row + 1, column));
    }
    int selectedCellCount() const override { return Grid().currentIndex().isValid() ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        const QModelIndex current = Grid().currentIndex();
        return current.isValid()
                   ? QList<QAccessibleInterface*>{cellAt(current.row(), current.column())}
                   : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int column) const override { return Grid().TextMatrix(0, column); }
    QString rowDescription(int row) const override { return Grid().TextMatrix(row + 1, 0); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Grid().Cols(); }
    int rowCount() const override { return Grid().Rows() - 1; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The shape changed: the places are made afresh when asked for.
    void modelChange(QAccessibleTableModelChangeEvent*) override { Forget(); }

private:
    FlexGrid& Grid() const { return *static_cast<FlexGrid*>(widget()); }
    int Places() const { return Grid().Rows() * Stride(Grid()); }

    void Forget() {
        for (const auto& [index, id] : places_) {
            QAccessible::deleteAccessibleInterface(id);
        }
        places_.clear();
    }

    mutable std::map<int, QAccessible::Id> places_;
};

QAccessibleInterface* FlexGridFactory(const QString& className, QObject* object) {
    auto* grid = qobject_cast<FlexGrid*>(object);
    if (grid == nullptr || className != QLatin1String(FlexGrid::staticMetaObject.className())) {
        return nullptr;
    }
    return new GridAccessible(grid);
}

}  // namespace

void ExposeFlexGridsToScreenReaders() {
    static const bool installed = [] {
        QAccessible::installFactory(FlexGridFactory);
        return true;
    }();
    static_cast<void>(installed);
}

int AccessibleCellIndex(const FlexGrid& grid, int row, int col) {
    return row * Stride(grid) + col + 1;
}

}  // namespace zurcfg
