#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <QAccessible>
#include <QLabel>

#include "resources/control_ids.h"
#include "resources/main_dialog_template.h"
#include "ui/support/dialog_harness.h"

namespace zurcfg {
namespace {

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

class AccessibilityTest : public testing::DialogHarness {
protected:
    QString NameOf(int id) const { return AccessibleName(Find(id)); }
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
        const QString name = AccessibleName(widget);
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
