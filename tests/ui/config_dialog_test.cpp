#include "ui/window/config_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "resources/control_ids.h"
#include "ui/support/dialog_harness.h"

namespace zurcfg {
namespace {

using testing::ReadBytes;

// The five "Enable" boxes that "Enable all" greys.
constexpr int kEnableBoxes[] = {kCsemEnableCheck, kQmsgEnableCheck, kQsmsgEnableCheck,
                                kTaskTimersEnableCheck, kDynamicTimersEnableCheck};
constexpr int kIsrBoxes[] = {kCsemIsrCheck, kMsgIsrCheck, kSmsgIsrCheck, kQueueIsrCheck};

class ConfigDialogTest : public testing::DialogHarness {
protected:
    void ExpectIntegerMessage() const {
        ASSERT_EQ(prompter_.Messages().size(), 1u);
        const Message& message = prompter_.Last();
        EXPECT_EQ(message.text, "Please enter an integer.");
        EXPECT_EQ(message.caption, "ui_tests");
        EXPECT_EQ(message.buttons, Buttons::Ok);
        EXPECT_EQ(message.icon, Icon::Exclamation);
    }
};

TEST_F(ConfigDialogTest, AFirstStartShowsOneTaskAndNoPlatform) {
    Open();
    EXPECT_EQ(Text(kTasksEdit), "1");
    EXPECT_EQ(Text(kBsemsEdit), "0");
    EXPECT_EQ(Text(kStimersEdit), "0");
    EXPECT_EQ(Selected(kPlatformList), -1);
    EXPECT_EQ(Find<QComboBox>(kPlatformList)->count(), 6);
    EXPECT_EQ(Selected(kSystemBankList), 0);
    EXPECT_EQ(Find<QComboBox>(kSystemBankList)->currentText(), "default (near)");
    EXPECT_EQ(Selected(kTaskTimerSizeList), 0);
    EXPECT_EQ(Find<QComboBox>(kPathBox)->count(), 0);
    EXPECT_EQ(Title(), "ZURcfg: nofile");
    EXPECT_EQ(Label(kRamBank0Label), "? (select platform)");
    for (int id : {kRamBank1Label, kRamBank2Label, kRamBank3Label}) {
        EXPECT_EQ(Label(id), "?");
        EXPECT_TRUE(Enabled(id));
    }
    EXPECT_FALSE(Checked(kEnableAllCheck));
    // No name style chosen yet: old-style names.
    EXPECT_TRUE(Checked(kOldStyleNamesCheck));
    EXPECT_EQ(dialog_->focusWidget(), Find(kPathBox));
    EXPECT_EQ(Find(kTasksEdit)->toolTip(),
              "Select maximum number of tasks,\n that will work at the same time");
    EXPECT_EQ(Current().OS_TASKS, 1);
    EXPECT_EQ(Current().PLATFORM, -1);
}

TEST_F(ConfigDialogTest, TheDefaultsAndRecentPathsComeFromTheSettingsFile) {
    OpenWithSettings(
        "[SERVICES]\r\nOS_TASKS=3\r\nOS_ENABLE_ALL=1\r\n[BANKS]\r\nOS_BANK_OS=9\r\n"
        "[TYPES]\r\nOST_MSG=char*\r\n[ADDITIONAL]\r\nPLATFORM=1\r\n"
        "[PATHS]\r\npath0=/p/one/ZURcfg.h\r\npath1=/p/two/ZURcfg.h\r\n"
        "[SETUP]\r\nZURVERSION=90200\r\n");
    EXPECT_EQ(Text(kTasksEdit), "3");
    EXPECT_TRUE(Checked(kEnableAllCheck));
    EXPECT_EQ(Text(kMsgTypeEdit), "char*");
    EXPECT_EQ(Selected(kPlatformList), 1);
    // A bank beyond the list selects nothing.
    EXPECT_EQ(Selected(kSystemBankList), -1);
    auto* pathBox = Find<QComboBox>(kPathBox);
    ASSERT_EQ(pathBox->count(), 2);
    EXPECT_EQ(pathBox->itemText(1), "/p/two/ZURcfg.h");
    EXPECT_EQ(pathBox->currentIndex(), -1);
    EXPECT_FALSE(Checked(kOldStyleNamesCheck));
    EXPECT_EQ(Title(), "ZURcfg: nofile");
    // 9 + 3, three tasks of 2 + 2 (task timers under "Enable all"), dynamic timers 2.
    EXPECT_EQ(Label(kRamBank0Label), "26");

    // Read back, the bank beyond the list becomes "none selected", which marks the document.
    Click(kDisablePriorityCheck);
    Click(kDisablePriorityCheck);
    EXPECT_EQ(Current().OS_BANK_OS, -1);
    EXPECT_EQ(Title(), "ZURcfg: nofile (*)");
}

TEST_F(ConfigDialogTest, OldStyleNamesAreCheckedForAnOldStyleSetting) {
    OpenWithSettings("[SETUP]\r\nZURVERSION=90115\r\n");
    EXPECT_TRUE(Checked(kOldStyleNamesCheck));
}

TEST_F(ConfigDialogTest, EachClickOnACheckBoxIsReadIntoTheRecord) {
    Open();
    Click(kDisablePriorityCheck);
    EXPECT_EQ(Current().OS_DISABLE_PRIORITY, 1);
    EXPECT_EQ(Title(), "ZURcfg: nofile (*)");
    Click(kQmsgEnableCheck);
    Click(kQueueIsrCheck);
    EXPECT_EQ(Current().OS_ENABLE_QMSG, 1);
    EXPECT_EQ(Current().OS_ENABLE_INT_QUEUE, 1);
    Click(kDisablePriorityCheck);
    Click(kQmsgEnableCheck);
    Click(kQueueIsrCheck);  // greyed again once no queue is in use: the click changes nothing
    EXPECT_EQ(Current().OS_ENABLE_INT_QUEUE, 1);
    EXPECT_TRUE(Checked(kQueueIsrCheck));
    EXPECT_EQ(Title(), "ZURcfg: nofile (*)");
    Click(kQmsgEnableCheck);
    Click(kQueueIsrCheck);
    Click(kQmsgEnableCheck);
    // Every box is as it was at the start: the mark goes.
    EXPECT_EQ(Title(), "ZURcfg: nofile");
}

TEST_F(ConfigDialogTest, AListSelectionIsReadIntoTheRecordAndTheRamFiguresFollow) {
    Open();
    Choose(kPlatformList, 1);
    EXPECT_EQ(Current().PLATFORM, 1);
    EXPECT_EQ(Label(kRamBank0Label), "14");
    EXPECT_EQ(Label(kRamBank1Label), "0");
    Choose(kSystemBankList, 3);  // bank2
    Choose(kPlatformList, 3);    // PIC18: banks 2 and 3 merge into bank 1
    EXPECT_EQ(Current().OS_BANK_OS, 3);
    EXPECT_EQ(Label(kRamBank0Label), "8");
    EXPECT_EQ(Label(kRamBank1Label), "7");  // 3 system variables, one task of 4
    EXPECT_FALSE(Enabled(kRamBank2Label));
    EXPECT_FALSE(Enabled(kRamBank3Label));
    EXPECT_EQ(Label(kRamBank2Label), "0");
    Choose(kPlatformList, 0);
    EXPECT_EQ(Current().PLATFORM, 0);
    EXPECT_EQ(Label(kRamBank0Label), "? (select platform)");
    EXPECT_TRUE(Enabled(kRamBank3Label));
}

TEST_F(ConfigDialogTest, TheNameAndTwoCountsAreReadAtEachKeystroke) {
    Open();
    Type(kProjectNameEdit, "Pump ");
    EXPECT_EQ(Current().PROJECT_NAME, "Pump ");
    Type(kStimersEdit, "12");
    EXPECT_EQ(Current().OS_STIMERS, 12);
    Type(kBsemsEdit, "7");
    EXPECT_EQ(Current().OS_BSEMS, 7);
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(ConfigDialogTest, TheTaskCountAndMessageTypesWaitForTheNextRead) {
    Open();
    Choose(kPlatformList, 1);
    Type(kTasksEdit, "3");
    Type(kMsgTypeEdit, "Msg *");
    Type(kSmsgTypeEdit, "Char");
    EXPECT_EQ(Current().OS_TASKS, 1);
    EXPECT_EQ(Current().OST_MSG, "");
    EXPECT_EQ(Label(kRamBank0Label), "14");
    EXPECT_EQ(Title(), "ZURcfg: nofile (*)");  // from the platform
    Click(kCriticalSectionsCheck);
    EXPECT_EQ(Current().OS_TASKS, 3);
    EXPECT_EQ(Current().OST_MSG, "Msg *");
    EXPECT_EQ(Current().OST_SMSG, "Char");
    EXPECT_EQ(Label(kRamBank0Label), "18");
}

TEST_F(ConfigDialogTest, CountTextsAreReadByTheirLeadingInteger) {
    Open();
    Find<QLineEdit>(kMsgTypeEdit)->setText("x");
    Find<QLineEdit>(kTasksEdit)->setText("007");
    Click(kCriticalSectionsCheck);
    EXPECT_EQ(Current().OS_TASKS, 7);
    EXPECT_EQ(Text(kTasksEdit), "007");  // left as typed
    Find<QLineEdit>(kStimersEdit)->setText(" -3 ");
    EXPECT_EQ(Current().OS_STIMERS, -3);
}

TEST_F(ConfigDialogTest, ABadCountIsReportedAndStopsTheRead) {
    Open();
    prompter_.Will(Answer::Ok);
    Type(kTasksEdit, "");
    Click(kDisablePriorityCheck);
    ExpectIntegerMessage();
    EXPECT_EQ(dialog_->focusWidget(), Find(kTasksEdit));
    // The box shows the click, the record and the title do not.
    EXPECT_TRUE(Checked(kDisablePriorityCheck));
    EXPECT_EQ(Current().OS_DISABLE_PRIORITY, 0);
    EXPECT_EQ(Title(), "ZURcfg: nofile");
}

TEST_F(ConfigDialogTest, TheFailingEditGetsTheFocusWithItsTextSelected) {
    Open();
    prompter_.Will(Answer::Ok);
    Find<QLineEdit>(kTasksEdit)->setText("-0");
    Find<QLineEdit>(kBsemsEdit)->setText("x");  // the task count reports first
    ExpectIntegerMessage();
    auto* tasks = Find<QLineEdit>(kTasksEdit);
    EXPECT_EQ(dialog_->focusWidget(), tasks);
    EXPECT_EQ(tasks->selectedText(), "-0");
    EXPECT_EQ(Current().OS_TASKS, 1);
    EXPECT_EQ(Current().OS_BSEMS, 0);
}

TEST_F(ConfigDialogTest, EmptyingACountThatIsReadAtEachKeystrokeComplainsAtOnce) {
    Open();
    Type(kBsemsEdit, "5");
    prompter_.Will(Answer::Ok);
    Type(kBsemsEdit, "");
    ExpectIntegerMessage();
    EXPECT_EQ(Current().OS_BSEMS, 5);
    EXPECT_EQ(dialog_->focusWidget(), Find(kBsemsEdit));
}

TEST_F(ConfigDialogTest, FillingTheWindowNeverChangesTheRecord) {
    Open();
    Type(kMsgTypeEdit, "typed but not read");
    Type(kTasksEdit, "");
    const Configuration before = Current();
    // Setting the count edits raises their notifications while the rest still shows old text.
    dialog_->ShowConfiguration();
    EXPECT_FALSE(Current().IsDifferent(before));
    EXPECT_EQ(Text(kMsgTypeEdit), "");
    EXPECT_EQ(Text(kTasksEdit), "1");
    EXPECT_EQ(Title(), "ZURcfg: nofile");
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(ConfigDialogTest, EnableAllGreysTheFiveEnableBoxesAndOpensWhatItCovers) {
    Open();
    Click(kCsemEnableCheck);
    Click(kEnableAllCheck);
    for (int id : kEnableBoxes) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(kCriticalSectionsCheck));
    EXPECT_TRUE(Checked(kCsemEnableCheck));  // greyed, not cleared
    EXPECT_EQ(Current().OS_ENABLE_CSEM, 1);
    for (int id : {kQueuesIdenticalCheck, kCsemSizeList, kSystemTimerSizeList, kTaskTimerSizeList,
                   kDynamicTimerSizeList, kInlineTimerCheck, kCsemIsrCheck, kQueueIsrCheck}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    Click(kIntAllCheck);
    for (int id : kIsrBoxes) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    Click(kEnableAllCheck);
    for (int id : kEnableBoxes) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(kQueuesIdenticalCheck));
    EXPECT_FALSE(Enabled(kInlineTimerCheck));
}

TEST_F(ConfigDialogTest, AGreyedControlsTooltipEndsWithWhyItIsGreyed) {
    Open();
    const QString ownTip = Find<QWidget>(kCsemEnableCheck)->toolTip();
    Click(kEnableAllCheck);
    EXPECT_EQ(Find<QWidget>(kCsemEnableCheck)->toolTip(),
              ownTip + "\nGreyed: 'Enable all' is checked");
    Click(kEnableAllCheck);
    EXPECT_EQ(Find<QWidget>(kCsemEnableCheck)->toolTip(), ownTip);
    EXPECT_TRUE(Find<QWidget>(kStimersBankList)
                    ->toolTip()
                    .endsWith("bank to allocate array of static timers\nGreyed: the static timer "
                              "count is 0"));
    // A figure label has no tooltip of its own: the reason is all it shows.
    Choose(kPlatformList, 3);
    EXPECT_EQ(Find<QWidget>(kRamBank3Label)->toolTip(),
              "Greyed: platform PIC18 (ht-picc18) has no bank3; its variables count in bank1");
    EXPECT_EQ(Find<QWidget>(kRamBank1Label)->toolTip(), "");
}

TEST_F(ConfigDialogTest, EnableAllGreysTheEnableBoxesEvenWhenTheReadStopsAtABadCount) {
    Open();
    Type(kTasksEdit, "");
    prompter_.Will(Answer::Ok);
    Click(kEnableAllCheck);
    ExpectIntegerMessage();
    for (int id : kEnableBoxes) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    // The rules did not run: "Critical sections" follows the record, where "Enable all" is off.
    EXPECT_TRUE(Enabled(kCriticalSectionsCheck));
    EXPECT_EQ(Current().OS_ENABLE_ALL, 0);
}

TEST_F(ConfigDialogTest, QueuesIdenticalNeedsBothQueues) {
    Open();
    Click(kQmsgEnableCheck);
    EXPECT_FALSE(Enabled(kQueuesIdenticalCheck));
    EXPECT_TRUE(Enabled(kQueueIsrCheck));
    Click(kQsmsgEnableCheck);
    EXPECT_TRUE(Enabled(kQueuesIdenticalCheck));
}

TEST_F(ConfigDialogTest, TheIsrBoxesFollowTheirServicesAndAllUsedInInterrupts) {
    Open();
    EXPECT_FALSE(Enabled(kCsemIsrCheck));
    EXPECT_TRUE(Enabled(kMsgIsrCheck));
    EXPECT_TRUE(Enabled(kSmsgIsrCheck));
    EXPECT_FALSE(Enabled(kQueueIsrCheck));
    EXPECT_FALSE(Enabled(kCsemSizeList));
    Click(kCsemEnableCheck);
    EXPECT_TRUE(Enabled(kCsemIsrCheck));
    EXPECT_TRUE(Enabled(kCsemSizeList));
    Click(kQsmsgEnableCheck);
    Click(kIntAllCheck);
    for (int id : kIsrBoxes) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
}

TEST_F(ConfigDialogTest, TimerListsFollowTheTimersInUse) {
    Open();
    for (int id : {kInlineTimerCheck, kSystemTimerSizeList, kTaskTimerSizeList,
                   kDynamicTimerSizeList, kStaticTimerSizeList, kStimersBankList}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    Click(kTaskTimersEnableCheck);
    EXPECT_TRUE(Enabled(kTaskTimerSizeList));
    EXPECT_TRUE(Enabled(kSystemTimerSizeList));
    EXPECT_TRUE(Enabled(kInlineTimerCheck));
    EXPECT_FALSE(Enabled(kDynamicTimerSizeList));
    Click(kTaskTimersEnableCheck);
    Click(kDynamicTimersEnableCheck);
    EXPECT_TRUE(Enabled(kDynamicTimerSizeList));
    EXPECT_FALSE(Enabled(kTaskTimerSizeList));
    Click(kDynamicTimersEnableCheck);

    // One static timer opens its lists, the in-line timer and the system timer type.
    Type(kStimersEdit, "1");
    for (int id :
         {kStaticTimerSizeList, kStimersBankList, kInlineTimerCheck, kSystemTimerSizeList}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    Type(kStimersEdit, "0");
    EXPECT_FALSE(Enabled(kStaticTimerSizeList));
    EXPECT_FALSE(Enabled(kStimersBankList));
}

TEST_F(ConfigDialogTest, TheBinarySemaphoreBankNeedsAPositiveCount) {
    Open();
    EXPECT_FALSE(Enabled(kBsemsBankList));
    Type(kBsemsEdit, "3");
    EXPECT_TRUE(Enabled(kBsemsBankList));
    Find<QLineEdit>(kBsemsEdit)->setText("-2");
    EXPECT_FALSE(Enabled(kBsemsBankList));
}

TEST_F(ConfigDialogTest, EnterOutsideAPushButtonDoesNothing) {
    Open();
    Find(kDisablePriorityCheck)->setFocus();
    QTest::keyClick(Find(kDisablePriorityCheck), Qt::Key_Return);
    Find(kTasksEdit)->setFocus();
    QTest::keyClick(Find(kTasksEdit), Qt::Key_Enter, Qt::KeypadModifier);
    Find(kPlatformList)->setFocus();
    QTest::keyClick(Find(kPlatformList), Qt::Key_Return);
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(Title(), "ZURcfg: nofile");
    EXPECT_FALSE(Checked(kDisablePriorityCheck));
}

TEST_F(ConfigDialogTest, EnterOnExitClosesTheWindow) {
    Open();
    Find(kExitButton)->setFocus();
    QTest::keyClick(Find(kExitButton), Qt::Key_Return);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

TEST_F(ConfigDialogTest, EscExitAndTheCloseBoxAllCloseTheWindow) {
    Open();
    QTest::keyClick(Find(kTasksEdit), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());

    dialog_->show();
    Click(kExitButton);
    EXPECT_FALSE(dialog_->isVisible());

    dialog_->show();
    EXPECT_TRUE(dialog_->close());
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(ConfigDialogTest, ClosingWritesTheSettingsFile) {
    Open();
    Type(kTasksEdit, "4");
    Click(kEnableAllCheck);
    prompter_.Will(Answer::No);
    QTest::keyClick(Find(kTasksEdit), Qt::Key_Escape);
    EXPECT_FALSE(std::filesystem::exists(settingsPath_));
    dialog_.reset();
    const std::string ini = ReadBytes(settingsPath_);
    // The defaults are written as they were read; the window's edits are not defaults.
    EXPECT_NE(ini.find("OS_TASKS=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("OS_ENABLE_ALL=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("PLATFORM=-1"), std::string::npos) << ini;
}

}  // namespace
}  // namespace zurcfg
