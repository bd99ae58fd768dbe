#include <gtest/gtest.h>

#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "resources/main_dialog_template.h"
#include "ui/layout/dialog_builder.h"
#include "ui/layout/dialog_fonts.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/up_down_control.h"
#include "ui/window/control_bindings.h"

namespace zurcfg {
namespace {

class DialogLayoutTest : public ::testing::Test {
protected:
    DialogLayoutTest() : fonts_(PlatformDialogFonts()), units_(BaseUnitsOf(fonts_.dialog)) {
        BuildDialog(&dialog_, kMainDialog, fonts_);
    }

    QWidget* Control(int id) const { return dialog_.findChild<QWidget*>(QString::number(id)); }
    // Where a control stands in the dialog, whatever group holds it.
    QRect InDialog(const QWidget* control) const {
        return QRect(control->mapTo(&dialog_, QPoint()), control->size());
    }

    template <std::size_t N, typename T>
    void ExpectKind(const std::array<ControlBinding<T>, N>& bindings, const char* className) {
        for (const auto& binding : bindings) {
            QWidget* widget = Control(binding.controlId);
            ASSERT_NE(widget, nullptr) << binding.controlId;
            EXPECT_TRUE(widget->inherits(className)) << binding.controlId;
        }
    }

    DialogFonts fonts_;
    DialogUnits units_;
    QDialog dialog_;
};

bool IsOfKind(const QWidget* widget, ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return qobject_cast<const QPushButton*>(widget) != nullptr;
        case ControlKind::Edit:
            return qobject_cast<const QLineEdit*>(widget) != nullptr;
        case ControlKind::DropDownList:
            return qobject_cast<const QComboBox*>(widget) != nullptr;
        case ControlKind::CheckBox:
            return qobject_cast<const QCheckBox*>(widget) != nullptr;
        case ControlKind::UpDown:
            return qobject_cast<const UpDownControl*>(widget) != nullptr;
        case ControlKind::Grid:
            return qobject_cast<const FlexGrid*>(widget) != nullptr;
        case ControlKind::Label:
            return qobject_cast<const QLabel*>(widget) != nullptr;
        case ControlKind::GroupBox:
            return qobject_cast<const QGroupBox*>(widget) != nullptr;
        case ControlKind::Icon:
            return qobject_cast<const QLabel*>(widget) != nullptr;
    }
    return false;
}

TEST_F(DialogLayoutTest, EveryControlWithAnIdIsAWidgetOfItsKindNamedByTheId) {
    std::set<int> ids;
    for (const ControlTemplate& control : kMainDialog) {
        if (control.id == kNoId) {
            continue;
        }
        EXPECT_TRUE(ids.insert(control.id).second) << "id used twice: " << control.id;
        QWidget* widget = Control(control.id);
        ASSERT_NE(widget, nullptr) << control.id;
        EXPECT_TRUE(IsOfKind(widget, control.kind)) << control.id;
    }
    EXPECT_EQ(dialog_.windowTitle(), "ZURcfg_Tool");
    // One widget per control: in the dialog, or in the group that holds a group box and its
    // controls.
    qsizetype built = 0;
    for (QWidget* child : dialog_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const bool group = child->findChild<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
        built +=
            group ? child->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size() : 1;
    }
    EXPECT_EQ(built, kMainDialog.controlCount);
}

TEST_F(DialogLayoutTest, ControlsSitWhereTheTemplatePutsThemInDialogUnits) {
    const PixelRect client = units_.Map(0, 0, 522, 399);
    EXPECT_EQ(dialog_.size(), QSize(client.width, client.height));
    for (int id : {kBrowseButton, kEnableAllCheck, kTasksEdit, kOldStyleNamesCheck, kTimersGroup,
                   kNameLabel}) {
        const ControlTemplate& control =
            *std::find_if(kMainDialog.begin(), kMainDialog.end(),
                          [id](const ControlTemplate& c) { return c.id == id; });
        const PixelRect rect = units_.Map(control.x, control.y, control.width, control.height);
        EXPECT_EQ(InDialog(Control(id)), QRect(rect.x, rect.y, rect.width, rect.height)) << id;
    }
    // A drop-down list is as high as it is closed; its template height is the open list's.
    auto* platforms = qobject_cast<QComboBox*>(Control(kPlatformList));
    EXPECT_EQ(InDialog(platforms).topLeft(), QPoint(units_.X(60), units_.Y(73)));
    EXPECT_LT(platforms->height(), units_.Y(69));
}

TEST_F(DialogLayoutTest, HeadingsAreBoldTypeNamesFixedPitchAndNoTextIsCut) {
    EXPECT_TRUE(Control(kTasksLabel)->font().bold());
    EXPECT_TRUE(Control(kTimersGroup)->font().bold());
    EXPECT_TRUE(Control(kInlineTimerCheck)->font().bold());
    EXPECT_FALSE(Control(kEnableAllCheck)->font().bold());
    EXPECT_EQ(Control(kEnableAllCheck)->font(), fonts_.dialog);
#ifdef Q_OS_WIN
    // A face Windows has, not a fallback of other metrics (elsewhere the family may be an alias
    // such as "Sans Serif" that the system resolves itself).
    EXPECT_EQ(QFontInfo(fonts_.dialog).family(), fonts_.dialog.family());
#endif
    EXPECT_EQ(Control(kMsgTypeEdit)->font(), fonts_.fixed);
    EXPECT_EQ(Control(kPathBox)->font(), fonts_.fixed);
    for (QLabel* label : dialog_.findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
}

TEST_F(DialogLayoutTest, TheTabOrderFollowsTheTemplate) {
    std::vector<QWidget*> expected;
    for (const ControlTemplate& control : kMainDialog) {
        QWidget* widget = control.id == kNoId ? nullptr : Control(control.id);
        if (widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            expected.push_back(widget);
        }
    }
    ASSERT_GT(expected.size(), 30u);
    EXPECT_EQ(expected.front()->objectName(), QString::number(kPathBox));
    EXPECT_EQ(expected.back()->objectName(), QString::number(kOldStyleNamesCheck));
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        while ((next->focusPolicy() & Qt::TabFocus) == 0) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next, expected[i + 1]) << expected[i]->objectName().toStdString();
    }
}

TEST_F(DialogLayoutTest, FramesAndTextsNeverCoverTheControlsInsideThem) {
    dialog_.show();
    for (int id : {kEnableAllCheck, kTasksEdit, kInlineTimerCheck, kBsemsBankList, kPlatformList}) {
        QWidget* control = Control(id);
        EXPECT_EQ(dialog_.childAt(InDialog(control).center()), control) << id;
    }
}

TEST_F(DialogLayoutTest, TooltipsBindingsAndRulesNameControlsOfTheRightKind) {
    for (const Tooltip& tooltip : kMainDialogTooltips) {
        EXPECT_NE(Control(tooltip.controlId), nullptr) << tooltip.controlId;
    }
    ExpectKind(kCountControls, "QLineEdit");
    ExpectKind(kSwitchControls, "QCheckBox");
    ExpectKind(kListControls, "QComboBox");
    ExpectKind(kTextControls, "QLineEdit");
    for (const ControlRule& rule : kControlRules) {
        const int controlId = RuleControlId(rule);
        EXPECT_NE(Control(controlId), nullptr) << controlId;
    }
}

TEST_F(DialogLayoutTest, OnlyDigitsCanBeTypedIntoTheCountEdits) {
    auto* tasks = qobject_cast<QLineEdit*>(Control(kTasksEdit));
    auto* name = qobject_cast<QLineEdit*>(Control(kProjectNameEdit));
    QTest::keyClicks(tasks, "1a-2 3");
    QTest::keyClicks(name, "1a-2 3");
    EXPECT_EQ(tasks->text(), "123");
    EXPECT_EQ(name->text(), "1a-2 3");
}

TEST(ListItemsTest, EachListHasTheItemsOfItsField) {
    EXPECT_EQ(ListItems(kPlatformList).size(), 6u);
    EXPECT_EQ(ListItems(kPlatformList)[5], "PIC24, dsPIC (Microchip C30)");
    EXPECT_EQ(ListItems(kSystemBankList).front(), "default (near)");
    for (int id : {kTasksBankList, kStimersBankList, kBsemsBankList}) {
        EXPECT_EQ(ListItems(id).front(), "BANK_OS");
        EXPECT_EQ(ListItems(id).size(), 5u);
    }
    EXPECT_EQ(ListItems(kCsemSizeList).front(), "default (char)");
    EXPECT_EQ(ListItems(kSystemTimerSizeList).front(), "default (int)");
    for (int id : {kTaskTimerSizeList, kDynamicTimerSizeList, kStaticTimerSizeList}) {
        EXPECT_EQ(ListItems(id).front(), "(system)");
        EXPECT_EQ(ListItems(id).back(), "long");
    }
    EXPECT_EQ(ListItems(kPathBox), std::vector<std::string_view>{""});
    EXPECT_TRUE(ListItems(kEnableAllCheck).empty());
}

}  // namespace
}  // namespace zurcfg
