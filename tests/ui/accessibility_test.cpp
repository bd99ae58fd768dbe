// What screen readers are told about the window, through the interfaces Qt hands them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <QAbstractItemView>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "resources/accessible_names.h"
#include "resources/control_ids.h"
#include "resources/main_dialog_template.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/grid_input.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/up_down_control.h"

namespace zurcfg {
namespace {

QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(accessible, nullptr);
    return accessible;
}

// What a screen reader names a control by: a drop-down list is named by the label it is linked
// to, as Qt names it by its current item on Linux.
QString SpokenName(QWidget* widget) {
    QAccessibleInterface* accessible = Accessible(widget);
    if (accessible->role() == QAccessible::ComboBox) {
        const auto labels = accessible->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
    }
    return accessible->text(QAccessible::Name);
}

class AccessibilityTest : public testing::DialogHarness {
protected:
    QString NameOf(int id) const { return SpokenName(Find(id)); }
};

TEST_F(AccessibilityTest, EveryFocusableControlHasANameOfItsOwn) {
    Open();
    std::set<QString> names;
    int focusable = 0;
    for (const ControlTemplate& control : kMainDialog) {
        QWidget* widget = control.id == kNoId ? nullptr : Find(control.id);
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        ++focusable;
        const QString name = SpokenName(widget);
        EXPECT_FALSE(name.isEmpty()) << control.id;
        EXPECT_TRUE(names.insert(name).second) << control.id << " repeats " << name.toStdString();
    }
    EXPECT_EQ(focusable, std::count_if(kMainDialog.begin(), kMainDialog.end(), [](auto& c) {
                  return c.kind != ControlKind::Label && c.kind != ControlKind::GroupBox;
              }));
    // Captions that say what they are stand alone; generic ones take their row or group.
    EXPECT_EQ(NameOf(kEnableAllCheck), "Enable all");
    EXPECT_EQ(NameOf(kBrowseButton), "Browse...");
    EXPECT_EQ(NameOf(kCsemEnableCheck), "CSEM Enable");
    EXPECT_EQ(NameOf(kMsgIsrCheck), "MSG ISR");
    EXPECT_EQ(NameOf(kTaskTimersEnableCheck), "Task timers Enable");
    EXPECT_EQ(NameOf(kStimersBankList), "Static timers bank");
    EXPECT_EQ(NameOf(kBsemsBankList), "Binary semaphores bank");
    EXPECT_EQ(NameOf(kSystemBankList), "ZUR variables bank");
    EXPECT_EQ(NameOf(kSystemTimerSizeList), "System timer type");
    EXPECT_EQ(NameOf(kMsgTypeEdit), "MSG type");
    EXPECT_EQ(NameOf(kPathBox), "Path");
    EXPECT_EQ(NameOf(kTasksEdit), "Tasks count");
    EXPECT_EQ(NameOf(kTasksUpDown), "Tasks count arrows");
    EXPECT_EQ(NameOf(kStimersGrid), "Static timers table");
    EXPECT_EQ(NameOf(kBsemsGrid), "Binary semaphores table");
}

// Each list tells its choice, opens its list on request and says whether it is open.
TEST_F(AccessibilityTest, TheListsTellTheirChoiceAndOpenTheirList) {
    Open();
    for (const auto& [id, position] :
         {std::pair{kStimersBankList, 2}, std::pair{kPlatformList, 3}}) {
        Choose(id, position);
        auto* list = Find<QComboBox>(id);
        QAccessibleInterface* accessible = Accessible(list);
        EXPECT_EQ(accessible->text(QAccessible::Value), list->currentText());
        EXPECT_TRUE(accessible->state().expandable);
        EXPECT_FALSE(accessible->state().expanded);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
        actions->doAction(QAccessibleActionInterface::showMenuAction());
        EXPECT_TRUE(list->view()->isVisible());
        EXPECT_TRUE(accessible->state().expanded);
        list->hidePopup();
    }
    // Three lists share the label text "BANK:"; their labels tell them apart all the same.
    EXPECT_NE(NameOf(kStimersBankList), NameOf(kBsemsBankList));
}

// Entering a group announces it: the controls inside a group box are its children, in the
// template's order, and the box's caption names the group.
TEST_F(AccessibilityTest, GroupsHoldTheirControlsInTheTemplatesOrder) {
    Open();
    const ControlNames names(kMainDialog);
    for (int index = 0; index < kMainDialog.controlCount; ++index) {
        const ControlTemplate& control = kMainDialog.controls[index];
        const int group = names.GroupOf(index);
        if (control.id == kNoId || group < 0) {
            continue;
        }
        QAccessibleInterface* parent = Accessible(Find(control.id))->parent();
        EXPECT_EQ(parent->role(), QAccessible::Grouping) << control.id;
        EXPECT_EQ(parent->text(QAccessible::Name).toStdString(),
                  kMainDialog.controls[group].caption)
            << control.id;
    }
    QAccessibleInterface* system = Accessible(Find(kEnableAllCheck))->parent();
    EXPECT_EQ(system->child(0)->object(), Find(kEnableAllCheck));
    EXPECT_EQ(system->indexOfChild(Accessible(Find(kDisablePriorityCheck))), 1);
    for (int child = 0; child < system->childCount(); ++child) {
        EXPECT_EQ(qobject_cast<QGroupBox*>(system->child(child)->object()), nullptr)
            << "the frame is no child of its own";
    }
    EXPECT_EQ(Accessible(Find(kPlatformList))->parent()->text(QAccessible::Description),
              "This statistic is average.");
}

TEST_F(AccessibilityTest, ArrowsCellsHeadingsAndTheCellEditBoxAreNamed) {
    Open();
    const QList<QToolButton*> arrows = Find(kTasksUpDown)->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    EXPECT_EQ(Accessible(arrows[0])->text(QAccessible::Name), "Tasks count up");
    EXPECT_EQ(Accessible(arrows[1])->text(QAccessible::Name), "Tasks count down");

    auto* bsems = Find<FlexGrid>(kBsemsGrid);
    QAccessibleInterface* table = Accessible(bsems);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), kBsemsEntries);
    EXPECT_EQ(table->tableInterface()->columnDescription(1), "ID name");

    // A keyword is an error, a count that does not match the names a warning on the heading.
    testing::DoubleClickCell(bsems, 1, 1);
    testing::TypeText("int");
    QLineEdit* box = bsems->findChild<QLineEdit*>();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(Accessible(box)->text(QAccessible::Name),
              "Binary semaphores table, entry 0, ID name");
    EXPECT_EQ(Accessible(box)->parent(), table);
    EXPECT_EQ(table->indexOfChild(Accessible(box)), table->childCount() - 1);
    EXPECT_EQ(table->child(table->childCount() - 1), Accessible(box));
    testing::PressKey(Qt::Key_Return);

    QAccessibleInterface* cell = table->tableInterface()->cellAt(0, 1);
    EXPECT_EQ(cell->text(QAccessible::Name), "int");
    EXPECT_EQ(cell->text(QAccessible::Description), "Error: a C keyword");
    EXPECT_EQ(table->child(table->indexOfChild(cell)), cell);
    QAccessibleInterface* heading = cell->tableCellInterface()->columnHeaderCells().value(0);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(heading->text(QAccessible::Name), "ID name");
    EXPECT_EQ(heading->text(QAccessible::Description), bsems->CellMark(0, 1));
    EXPECT_FALSE(heading->text(QAccessible::Description).isEmpty());
}

// Tab into a table: its current cell has the focus, as the announcement of it on a real display
// says (tests/accessibility).
TEST_F(AccessibilityTest, TheCurrentCellOfATableInFocusIsFocused) {
    Open();
    auto* bsems = Find<FlexGrid>(kBsemsGrid);
    bsems->SetCurrentCell(3, 1);
    Find(kBsemsEdit)->setFocus();
    QTest::keyClick(Find(kBsemsEdit), Qt::Key_Tab);
    ASSERT_TRUE(bsems->hasFocus());
    QAccessibleTableInterface* table = Accessible(bsems)->tableInterface();
    EXPECT_TRUE(table->cellAt(2, 1)->state().focused);
    EXPECT_TRUE(table->cellAt(2, 1)->state().selected);
    EXPECT_FALSE(table->cellAt(2, 2)->state().focused);
    Find(kBsemsEdit)->setFocus();
    EXPECT_FALSE(table->cellAt(2, 1)->state().focused);
}

TEST_F(AccessibilityTest, TheRamFiguresAreReadWithTheirBank) {
    Open();
    EXPECT_EQ(NameOf(kRamBank0Label), "bank0 (near): ? (select platform)");
    Choose(kPlatformList, 2);
    for (int id : {kRamBank0Label, kRamBank1Label, kRamBank2Label, kRamBank3Label}) {
        const int bank = id - kRamBank0Label;
        const QString bankCaption = bank == 0 ? "bank0 (near)" : QString("bank%1").arg(bank);
        EXPECT_EQ(NameOf(id), bankCaption + ": " + Label(id) + " bytes");
    }
}

}  // namespace
}  // namespace zurcfg
