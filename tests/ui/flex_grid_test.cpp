#include <cstdlib>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "ui/widgets/flex_grid.h"

namespace zurcfg {
namespace {

class FlexGridTest : public ::testing::Test {
protected:
    FlexGridTest() {
        grid_.resize(300, 200);
        grid_.SetRows(11);
        grid_.SetCols(3);
        for (int row = 1; row < grid_.Rows(); ++row) {
            grid_.SetTextMatrix(row, 0, QString::number(row - 1));
        }
        grid_.show();
        grid_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid_));
        grid_.setFocus();
    }

    QPoint CellCentre(int row, int col) {
        return grid_.visualRect(grid_.model()->index(row - 1, col)).center();
    }

    FlexGrid grid_;
};

TEST_F(FlexGridTest, RowZeroIsTheHeadingRowAndRowsFollowTheGridNumbering) {
    grid_.SetTextMatrix(0, 1, "ID name");
    grid_.SetTextMatrix(1, 1, "first");
    grid_.SetTextMatrix(10, 2, "last");
    EXPECT_EQ(grid_.model()->headerData(1, Qt::Horizontal).toString(), "ID name");
    EXPECT_EQ(grid_.model()->index(0, 1).data().toString(), "first");
    EXPECT_EQ(grid_.TextMatrix(10, 2), "last");
    EXPECT_EQ(grid_.TextMatrix(11, 2), "") << "outside the grid";

    grid_.SetRows(21);
    EXPECT_EQ(grid_.Rows(), 21);
    EXPECT_EQ(grid_.TextMatrix(10, 2), "last") << "resizing keeps the texts";
    EXPECT_EQ(grid_.TextMatrix(0, 1), "ID name");
}

TEST_F(FlexGridTest, TheNumberColumnIsOutOfReachOfMouseAndArrows) {
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, CellCentre(4, 1));
    ASSERT_EQ(grid_.RowSel(), 4);
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, CellCentre(6, 0));
    EXPECT_EQ(grid_.RowSel(), 4);
    EXPECT_EQ(grid_.ColSel(), 1);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home}) {
        QTest::keyClick(&grid_, key);
        EXPECT_EQ(grid_.ColSel(), 1);
    }
    QTest::keyClick(&grid_, Qt::Key_Right);
    QTest::keyClick(&grid_, Qt::Key_Down);
    EXPECT_EQ(grid_.RowSel(), 5);
    EXPECT_EQ(grid_.ColSel(), 2);
}

TEST_F(FlexGridTest, EveryChangeOfTheCurrentCellSendsLeaveCellThenRowColChange) {
    QStringList events;
    QObject::connect(&grid_, &FlexGrid::LeaveCell, [&events] { events << "leave"; });
    QObject::connect(&grid_, &FlexGrid::RowColChange, [&events] { events << "change"; });
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, CellCentre(3, 2));
    grid_.SetCol(0);
    EXPECT_EQ(grid_.Col(), 0) << "the program may make the number column current";
    EXPECT_EQ(grid_.RowSel(), 3);
    EXPECT_EQ(events, QStringList({"leave", "change", "leave", "change"}));

    events.clear();
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, CellCentre(3, 2));
    QTest::mouseClick(grid_.viewport(), Qt::LeftButton, {}, CellCentre(3, 2));
    EXPECT_EQ(events, QStringList({"leave", "change"}))
        << "a click on the current cell leaves nothing";
}

TEST_F(FlexGridTest, AMarkShowsItsReasonOnAReddishCellInLightAndDarkPalettes) {
    grid_.SetTextMatrix(2, 1, "int");
    QSignalSpy repaints(grid_.model(), &QAbstractItemModel::dataChanged);
    grid_.SetCellMark(2, 1, "a keyword");
    grid_.SetCellMark(0, 1, "too many names");
    const QModelIndex marked = grid_.model()->index(1, 1);
    EXPECT_EQ(marked.data(Qt::ToolTipRole).toString(), "a keyword");
    EXPECT_EQ(marked.data(Qt::AccessibleDescriptionRole).toString(), "a keyword");
    EXPECT_EQ(grid_.model()->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
              "too many names");
    EXPECT_FALSE(grid_.model()->index(1, 2).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(grid_.model()->index(1, 2).data(Qt::ToolTipRole).isValid());

    // Red over the base, and as light or dark as the base, so the palette's text stays readable.
    const QPalette original = QApplication::palette();
    for (const QColor& base : {QColor(Qt::white), QColor(0x20, 0x20, 0x20)}) {
        QPalette palette = original;
        palette.setColor(QPalette::Base, base);
        QApplication::setPalette(palette);
        const auto background = marked.data(Qt::BackgroundRole).value<QColor>();
        EXPECT_GT(background.red(), background.green() + 64) << base.name().toStdString();
        EXPECT_EQ(background.lightness() > 127, base.lightness() > 127)
            << base.name().toStdString();
    }
    QApplication::setPalette(original);

    EXPECT_EQ(repaints.count(), 1);
    grid_.SetCellMark(2, 1, "a keyword");
    EXPECT_EQ(repaints.count(), 1) << "the same mark again repaints nothing";
    grid_.SetCellMark(2, 1, {});
    EXPECT_EQ(repaints.count(), 2);
    EXPECT_EQ(grid_.CellMark(2, 1), "");
    EXPECT_FALSE(marked.data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(grid_.TextMatrix(2, 1), "int") << "marks leave the texts alone";
}

// Told by shape, not colour alone, and in the current cell's highlight too: the sign is drawn in
// the highlighted text's colour at the cell's right end.
TEST_F(FlexGridTest, AMarkedCellShowsASignOfItsLevelAlsoInTheHighlight) {
    grid_.SetTextMatrix(2, 1, "int");
    grid_.SetCurrentCell(2, 1);
    const QRect cell = grid_.visualRect(grid_.model()->index(1, 1));
    const QRect signArea(cell.right() - cell.height(), cell.top(), cell.height(), cell.height());
    const auto sign = [&] { return grid_.viewport()->grab(signArea).toImage(); };
    const QImage none = sign();
    grid_.SetCellMark(2, 1, "a keyword", FlexGrid::MarkLevel::Error);
    EXPECT_EQ(grid_.CellMarkLevel(2, 1), FlexGrid::MarkLevel::Error);
    const QImage error = sign();
    QSignalSpy repaints(grid_.model(), &QAbstractItemModel::dataChanged);
    grid_.SetCellMark(2, 1, "a keyword", FlexGrid::MarkLevel::Warning);
    EXPECT_EQ(repaints.count(), 1) << "a new level alone repaints the cell";
    const QImage warning = sign();

    const QColor ink = grid_.palette().color(QPalette::HighlightedText);
    const auto inked = [&](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                count += std::abs(pixel.lightness() - ink.lightness()) < 40;
            }
        }
        return count;
    };
    EXPECT_GT(inked(error), inked(none) + 10);
    EXPECT_GT(inked(warning), inked(none) + 10);
    EXPECT_NE(error, warning);
}

TEST_F(FlexGridTest, DoubleClickIsSentAndCellRectCoversTheCurrentCell) {
    QSignalSpy doubleClick(&grid_, &FlexGrid::DblClick);
    QTest::mouseDClick(grid_.viewport(), Qt::LeftButton, {}, CellCentre(2, 2));
    EXPECT_EQ(doubleClick.count(), 1);
    const QRect cell = grid_.CellRect();
    EXPECT_EQ(grid_.childAt(cell.center()), grid_.viewport());
    EXPECT_EQ(grid_.viewport()->mapTo(&grid_, CellCentre(2, 2)), cell.center());
}

TEST(FlexGridFocusTest, TheCurrentCellLooksDifferentWhileTheGridHasTheKeyboardFocus) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* grid = new FlexGrid(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(grid);
    grid->SetRows(4);
    grid->SetCols(3);
    grid->SetTextMatrix(1, 1, "name");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QRect cell = grid->visualRect(grid->currentIndex());
    const auto currentCell = [&] { return grid->viewport()->grab(cell).toImage(); };

    edit->setFocus();
    const QImage withoutFocus = currentCell();
    grid->setFocus();
    const QImage withFocus = currentCell();
    edit->setFocus();
    // A mark the eye sees: along the cell's edges, pixels of clearly another brightness.
    int marked = 0;
    for (int y = 0; y < withFocus.height(); ++y) {
        for (int x = 0; x < withFocus.width(); ++x) {
            marked += std::abs(qGray(withFocus.pixel(x, y)) - qGray(withoutFocus.pixel(x, y))) > 64;
        }
    }
    EXPECT_GT(marked, cell.width());
    EXPECT_EQ(currentCell(), withoutFocus) << "the mark goes with the focus";
}

}  // namespace
}  // namespace zurcfg
