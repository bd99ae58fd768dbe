// The name tables against a plain item-per-cell table widget doing the same work: setting up the
// 200-entry table and filling every entry (what a header read does), and inserting and deleting
// an entry at the top (each moves all the others). Run on the offscreen platform.

#include <QTableWidget>

#include <benchmark/benchmark.h>

#include "ui/name_tables/name_table.h"
#include "ui/widgets/flex_grid.h"

namespace zurcfg {
namespace {

constexpr int kGridWidth = 460;
constexpr int kGridHeight = 200;

QString IdentifierText(int entry) {
    return QStringLiteral("SEMAPHORE_%1").arg(entry);
}
QString CommentText(int entry) {
    return QStringLiteral("comment of entry %1").arg(entry);
}

void FillTable(NameTable& table) {
    for (int entry = 0; entry < table.EntryCount(); ++entry) {
        table.SetEntry(entry,
                       {IdentifierText(entry).toStdString(), CommentText(entry).toStdString()});
    }
}

void BM_NameTableSetUpAndFill(benchmark::State& state) {
    for (auto _ : state) {
        FlexGrid grid;
        grid.resize(kGridWidth, kGridHeight);
        NameTable table(&grid, "BSEMS", kBsemsEntries, QFont("Courier New"));
        FillTable(table);
        benchmark::DoNotOptimize(table.Entry(kBsemsEntries - 1));
    }
}
BENCHMARK(BM_NameTableSetUpAndFill);

// Baseline: the same rows, headings, numbers and texts as one item per cell.
void BM_TableWidgetItemsSetUpAndFill(benchmark::State& state) {
    for (auto _ : state) {
        QTableWidget grid(kBsemsEntries, 3);
        grid.resize(kGridWidth, kGridHeight);
        grid.setHorizontalHeaderLabels({"N", "ID name", "Comment"});
        for (int entry = 0; entry < kBsemsEntries; ++entry) {
            grid.setItem(entry, 0, new QTableWidgetItem(QString::number(entry)));
            grid.setItem(entry, 1, new QTableWidgetItem(IdentifierText(entry)));
            grid.setItem(entry, 2, new QTableWidgetItem(CommentText(entry)));
        }
        benchmark::DoNotOptimize(grid.item(kBsemsEntries - 1, 2)->text());
    }
}
BENCHMARK(BM_TableWidgetItemsSetUpAndFill);

void BM_NameTableInsertAndDeleteAtTop(benchmark::State& state) {
    FlexGrid grid;
    grid.resize(kGridWidth, kGridHeight);
    NameTable table(&grid, "BSEMS", kBsemsEntries, QFont("Courier New"));
    FillTable(table);
    for (auto _ : state) {
        table.HandleKey(Qt::Key_Insert);
        table.HandleKey(Qt::Key_Delete);
    }
    benchmark::DoNotOptimize(table.Entry(0));
}
BENCHMARK(BM_NameTableInsertAndDeleteAtTop);

// Baseline: moving the texts of the same rows down and back up by one through the items.
void BM_TableWidgetItemsInsertAndDeleteAtTop(benchmark::State& state) {
    QTableWidget grid(kBsemsEntries, 3);
    grid.resize(kGridWidth, kGridHeight);
    for (int entry = 0; entry < kBsemsEntries; ++entry) {
        grid.setItem(entry, 0, new QTableWidgetItem(QString::number(entry)));
        grid.setItem(entry, 1, new QTableWidgetItem(IdentifierText(entry)));
        grid.setItem(entry, 2, new QTableWidgetItem(CommentText(entry)));
    }
    const auto copyRow = [&grid](int from, int to) {
        for (int col = 1; col < 3; ++col) {
            grid.item(to, col)->setText(grid.item(from, col)->text());
        }
    };
    for (auto _ : state) {
        for (int row = kBsemsEntries - 2; row >= 0; --row) {
            copyRow(row, row + 1);
        }
        for (int row = 1; row < kBsemsEntries; ++row) {
            copyRow(row, row - 1);
        }
    }
    benchmark::DoNotOptimize(grid.item(0, 1)->text());
}
BENCHMARK(BM_TableWidgetItemsInsertAndDeleteAtTop);

}  // namespace
}  // namespace zurcfg
